// An image view holding a picture: stretched to fill the view, or drawn at its own size
// centred on the view with what lies outside cut off on both sides.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

#include "Picture.h"

class ImageView : public QWidget {
public:
    enum class Mode { Stretch, Center };

    ImageView(QWidget* Parent, Mode AMode);

    const TPicture& Picture() const { return FPicture; }
    void SetPicture(const TPicture& Value);
    // Lets Change work on the picture in place; the view is redrawn also when Change raises.
    void ChangePicture(const std::function<void(TPicture&)>& Change);

    // Top-left corner of the picture in view coordinates (centred mode).
    QPoint PictureOrigin() const;

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    void PictureChanged();

    Mode FMode;
    TPicture FPicture;
    QImage FImage;
};
