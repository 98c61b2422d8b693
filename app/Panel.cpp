#include "Panel.h"

#include <QPainter>
#include <utility>

namespace {
const QColor BevelLight(255, 255, 255);
const QColor BevelShadow(160, 160, 160);
}  // namespace

// The panel's colour becomes its children's background colour too.
Panel::Panel(QWidget* Parent, QColor Color, Bevel Outer) : QWidget(Parent), FColor(Color), FOuter(Outer) {
    if (!FColor.isValid()) return;
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, FColor);
    setPalette(Colours);
}

void Panel::SetCaption(QString Value) {
    FCaption = std::move(Value);
    update();
}

void Panel::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    if (FColor.isValid()) Painter.fillRect(rect(), FColor);
    if (FOuter == Bevel::Raised) {
        const QRect R = rect().adjusted(0, 0, -1, -1);
        Painter.setPen(BevelLight);
        Painter.drawLine(R.topLeft(), R.topRight());
        Painter.drawLine(R.topLeft(), R.bottomLeft());
        Painter.setPen(BevelShadow);
        Painter.drawLine(R.bottomLeft(), R.bottomRight());
        Painter.drawLine(R.topRight(), R.bottomRight());
    }
    if (!FCaption.isEmpty()) {
        Painter.setPen(palette().color(QPalette::WindowText));
        Painter.drawText(rect(), Qt::AlignCenter, FCaption);
    }
}
