// An image view holding a picture: stretched to fill the view, or drawn at its own size
// centred on the view with what lies outside cut off on both sides. Its actions are its
// context menu; a picture file dropped on it and a double-click are passed on.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "Picture.h"

class ImageView : public QWidget {
public:
    enum class Mode { Stretch, Center };

    ImageView(QWidget* Parent, Mode AMode);

    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& Value);
    // Lets Change work on the picture in place; the view is redrawn also when Change raises.
    void ChangePicture(const std::function<void(TPicture&)>& Change);
    // The picture as it is drawn; null when it has no pixels.
    const QImage& Image() const { return FImage; }

    // Top-left corner of the picture in view coordinates (centred mode).
    QPoint PictureOrigin() const;

    // Called with the local file dropped on the view (while it accepts drops).
    std::function<void(const QString& FileName)> OnFileDrop;
    std::function<void()> OnDoubleClick;
    // Called while the left button drags over the view with the movement since the last
    // call, and once more with no movement when it is released.
    std::function<void(QPoint Movement, bool Released)> OnDrag;

protected:
    void paintEvent(QPaintEvent* Event) override;
    void dragEnterEvent(QDragEnterEvent* Event) override;
    void dropEvent(QDropEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    void PictureChanged();

    Mode FMode;
    TPicture FPicture;
    QImage FImage;
    std::optional<QPoint> FDragFrom;
};
