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
// up, so it claims them here.
bool SampleList::eventFilter(QObject* Watched, QEvent* Event) {
    if (Watched == view() && Event->type() == QEvent::ShortcutOverride) {
        const int Key = static_cast<QKeyEvent*>(Event)->key();
        if (Key == Qt::Key_Escape || Key == Qt::Key_Return || Key == Qt::Key_Enter) Event->accept();
    }
    return QComboBox::eventFilter(Watched, Event);
}

// The text field would claim Ctrl+C for its text; an entry's name is not worth copying,
// so the key is left to the window, which copies the result.
bool SampleList::event(QEvent* Event) {
    if (Event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(Event)->matches(QKeySequence::Copy)) {
        Event->ignore();
        return false;
    }
    return QComboBox::event(Event);
}
