#include "Gauge.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr int MaxProgress = 100;
}

Gauge::Gauge(QWidget* Parent) : QWidget(Parent) {}

void Gauge::SetProgress(int Value) {
    const int Clamped = std::clamp(Value, 0, MaxProgress);
    if (Clamped == FProgress) return;
    FProgress = Clamped;
    update();
}

void Gauge::paintEvent(QPaintEvent*) {
    QPainter Painter(this);
    Painter.setPen(Qt::black);
    Painter.setBrush(Qt::white);
    Painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const QRect Inside = rect().adjusted(1, 1, -1, -1);
    QRect Bar = Inside;
    Bar.setWidth(Inside.width() * FProgress / MaxProgress);
    Painter.fillRect(Bar, Qt::black);

    // The text is black over the white part and white over the bar.
    const QString Text = QString::number(FProgress) + '%';
    Painter.drawText(Inside, Qt::AlignCenter, Text);
    Painter.setClipRect(Bar);
    Painter.setPen(Qt::white);
    Painter.drawText(Inside, Qt::AlignCenter, Text);
}
