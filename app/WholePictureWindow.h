// The whole result in a window of its own, at 100 % in a scroll area or fitted into the
// window with its aspect kept: "Einpassen" (Ctrl+0) and "100 %" (Ctrl+1); Esc closes it.
#pragma once

#include <QImage>
#include <QWidget>

class QAction;
class QScrollArea;

class WholePictureWindow : public QWidget {
    Q_OBJECT
public:
    // Opens at the picture's size, as far as the screen allows, at 100 %.
    WholePictureWindow(QWidget* Parent, const QImage& Image);

    QAction* Fit = nullptr;
    QAction* ActualSize = nullptr;
    // The widget the picture is drawn in.
    QWidget* PictureArea() const;
    // Shows Image (of the same size) in place of the picture.
    void SetImage(const QImage& Image);

private:
    void ShowFitted(bool Fitted);

    QScrollArea* FScroll = nullptr;
};
