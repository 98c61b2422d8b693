#include "ImageView.h"

#include <QPainter>

#include "PictureToQImage.h"

ImageView::ImageView(QWidget* Parent, Mode AMode) : QWidget(Parent), FMode(AMode) {}

void ImageView::SetPicture(const TPicture& Value) {
    ChangePicture([&](TPicture& Picture) { Picture.Assign(Value); });
}

void ImageView::ChangePicture(const std::function<void(TPicture&)>& Change) {
    try {
        Change(FPicture);
    } catch (...) {
        PictureChanged();
        throw;
    }
    PictureChanged();
}

void ImageView::PictureChanged() {
    FImage = PictureToQImage(FPicture);
    update();
}

QPoint ImageView::PictureOrigin() const {
    // Integer division truncates toward zero, so a picture one pixel wider than the view
    // loses its odd pixel on the right.
    return {(width() - FImage.width()) / 2, (height() - FImage.height()) / 2};
}

void ImageView::paintEvent(QPaintEvent*) {
    if (FImage.isNull()) return;
    QPainter Painter(this);
    if (FMode == Mode::Stretch)
        Painter.drawImage(rect(), FImage);
    else
        Painter.drawImage(PictureOrigin(), FImage);
}
