#include "RadioGroup.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {
constexpr int ButtonLeft = 8;
constexpr int SideMargins = 10;
constexpr int BottomMargin = 5;
constexpr int CaptionPadding = 4;
const QColor EtchShadow(160, 160, 160);
const QColor EtchLight(255, 255, 255);
}  // namespace

RadioGroup::RadioGroup(QWidget* Parent, const QString& Caption, const QStringList& Items)
    : QGroupBox(Caption, Parent) {
    for (const QString& Item : Items) {
        auto* Button = new QRadioButton(Item, this);
        connect(Button, &QRadioButton::toggled, this, [this](bool Checked) {
            UpdateTabStop();
            if (Checked) emit Click();
        });
        FButtons.push_back(Button);
    }
    ArrangeButtons();
    UpdateTabStop();
}

// Tab stops at the selected item only (at every item while none is selected); the arrow
// keys move between the items.
void RadioGroup::UpdateTabStop() {
    const int Selected = ItemIndex();
    for (int I = 0; I < Count(); ++I)
        Button(I)->setFocusPolicy(Selected < 0 || I == Selected ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::ItemIndex() const {
    for (int I = 0; I < Count(); ++I)
        if (Button(I)->isChecked()) return I;
    return -1;
}

void RadioGroup::SetItemIndex(int Value) {
    Value = std::clamp(Value, -1, Count() - 1);
    if (Value == ItemIndex()) return;
    if (Value >= 0) {
        Button(Value)->setChecked(true);
        return;
    }
    // Auto-exclusive buttons cannot all be unchecked one by one.
    const int Old = ItemIndex();
    Button(Old)->setAutoExclusive(false);
    Button(Old)->setChecked(false);
    Button(Old)->setAutoExclusive(true);
}

// An etched frame whose top line runs through the middle of the caption.
void RadioGroup::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    const QFontMetrics Metrics(font());
    const QRect Frame = rect().adjusted(0, Metrics.height() / 2, -1, -1);
    Painter.setPen(EtchShadow);
    Painter.drawRect(Frame.adjusted(0, 0, -1, -1));
    Painter.setPen(EtchLight);
    Painter.drawRect(Frame.adjusted(1, 1, 0, 0));
    const QRect Caption(ButtonLeft, 0, Metrics.horizontalAdvance(title()) + CaptionPadding, Metrics.height());
    Painter.fillRect(Caption, palette().color(QPalette::Window));
    Painter.setPen(palette().color(QPalette::WindowText));
    Painter.drawText(Caption, Qt::AlignCenter, title());
}

void RadioGroup::resizeEvent(QResizeEvent* Event) {
    QGroupBox::resizeEvent(Event);
    ArrangeButtons();
}

// The items share the height below the caption line in equal rows.
void RadioGroup::ArrangeButtons() {
    if (FButtons.empty()) return;
    const int TextHeight = QFontMetrics(font()).height();
    const int Usable = height() - TextHeight - BottomMargin;
    const int Rows = Count();
    const int RowHeight = Usable / Rows;
    const int Top = TextHeight + 1 + (Usable % Rows) / 2;
    for (int I = 0; I < Rows; ++I) Button(I)->setGeometry(ButtonLeft, Top + I * RowHeight, width() - SideMargins, RowHeight);
}
