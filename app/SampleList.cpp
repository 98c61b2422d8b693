#include "SampleList.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {
class FixedHeightDelegate : public QStyledItemDelegate {
public:
    FixedHeightDelegate(QObject* Parent, int Height) : QStyledItemDelegate(Parent), FHeight(Height) {}
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
        return {QStyledItemDelegate::sizeHint(Option, Index).width(), FHeight};
    }

private:
    int FHeight;
};
}  // namespace

SampleList::SampleList(QWidget* Parent, int ItemHeight, int DropDownCount) : QComboBox(Parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(DropDownCount);
    setItemDelegate(new FixedHeightDelegate(this, ItemHeight));
    connect(this, &QComboBox::activated, this, [this] {
        if (!FLeavingField) emit Change();
    });
    view()->installEventFilter(this);
    lineEdit()->installEventFilter(this);
}

int SampleList::ItemIndex() const {
    const int Index = currentIndex();
    if (Index < 0 || lineEdit()->text() != itemText(Index)) return -1;
    return Index;
}

void SampleList::Clear() {
    clear();
    clearEditText();
}

void SampleList::focusOutEvent(QFocusEvent* Event) {
    FLeavingField = true;
    QComboBox::focusOutEvent(Event);
    FLeavingField = false;
}

// A shortcut is looked up only when the focused widget does not claim its key first.
// The open list closes itself on Esc and Enter before the window's shortcuts are looked
// up, so it claims them here; the text field gives up Ctrl+C, which copies the result
// (an entry's name is not worth copying).
bool SampleList::eventFilter(QObject* Watched, QEvent* Event) {
    if (Event->type() == QEvent::ShortcutOverride) {
        auto* Key = static_cast<QKeyEvent*>(Event);
        if (Watched == view() && (Key->key() == Qt::Key_Escape || Key->key() == Qt::Key_Return || Key->key() == Qt::Key_Enter))
            Key->accept();
        if (Watched == lineEdit() && Key->matches(QKeySequence::Copy)) {
            Key->ignore();
            return true;
        }
    }
    return QComboBox::eventFilter(Watched, Event);
}
