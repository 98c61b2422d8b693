// A drop-down list with an editable text field. Change is raised when the user picks an
// entry or types into the field, never when code changes the selection. Typed text that
// is not the selected entry's text leaves no entry selected.
#pragma once

#include <QComboBox>

class SampleList : public QComboBox {
    Q_OBJECT
public:
    SampleList(QWidget* Parent, int ItemHeight, int DropDownCount);

    // The selected entry, or −1 when the text field does not show it.
    int ItemIndex() const;
    void SetItemIndex(int Value) { setCurrentIndex(Value); }
    // Removes the entries and the text.
    void Clear();

signals:
    void Change();
};
