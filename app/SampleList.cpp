#include "SampleList.h"

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
    connect(this, &QComboBox::activated, this, &SampleList::Change);
    connect(lineEdit(), &QLineEdit::textEdited, this, &SampleList::Change);
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
