// A panel: a rectangle in its own colour (or its parent's), optionally with a raised
// one-pixel bevel, and a caption centred in it.
#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class Panel : public QWidget {
public:
    enum class Bevel { None, Raised };

    // An invalid Color leaves the parent's colour showing.
    Panel(QWidget* Parent, QColor Color, Bevel Outer);

    const QString& Caption() const { return FCaption; }
    void SetCaption(QString Value);
    QColor Color() const { return FColor; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QColor FColor;
    Bevel FOuter;
    QString FCaption;
};
