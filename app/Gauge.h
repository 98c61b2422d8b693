// A percentage gauge: a black bar on white growing from the left inside a single black
// border, with the value shown as text in the middle.
#pragma once

#include <QWidget>

class Gauge : public QWidget {
public:
    explicit Gauge(QWidget* Parent);

    int Progress() const { return FProgress; }
    // Values outside 0 … 100 are clamped.
    void SetProgress(int Value);

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    int FProgress = 0;
};
