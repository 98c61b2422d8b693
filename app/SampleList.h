// A drop-down list with an editable text field. Change is raised only when the user picks
// an entry (with the mouse or the keys, in the open list or on the closed one), never
// when code changes the selection, when text is typed or when the field is left. Typed
// text that is not the selected entry's text leaves no entry selected. While the list is
// open, Esc and Enter belong to it: they close it (Enter picking the entry) and reach no
// shortcut of the window; Ctrl+C in the text field is left to the window.
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

protected:
    bool event(QEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // Set while the field is left: Qt then activates an entry whose text was typed, which
    // is no pick.
    bool FLeavingField = false;
};
