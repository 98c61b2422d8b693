// A radio group: a captioned frame with one radio button per item. It raises Click
// whenever its selection moves to another item, by the user or by code, and not when the
// selected item is clicked again.
#pragma once

#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <vector>

class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    RadioGroup(QWidget* Parent, const QString& Caption, const QStringList& Items);

    // −1 when no item is selected.
    int ItemIndex() const;
    // Selecting the index already selected does nothing; −1 clears the selection and
    // larger values select the last item.
    void SetItemIndex(int Value);
    QRadioButton* Button(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
    int Count() const { return static_cast<int>(FButtons.size()); }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void ArrangeButtons();
    void UpdateTabStop();

    std::vector<QRadioButton*> FButtons;
};
