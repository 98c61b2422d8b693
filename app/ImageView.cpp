#include "ImageView.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

#include "PictureToQImage.h"

namespace {
// The one local file a drag carries; empty for anything else.
QString DraggedFile(const QMimeData* Data) {
    const QList<QUrl> Urls = Data->urls();
    return Urls.size() == 1 && Urls.front().isLocalFile() ? Urls.front().toLocalFile() : QString();
}
}  // namespace

ImageView::ImageView(QWidget* Parent, Mode AMode) : QWidget(Parent), FMode(AMode) {
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

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

void ImageView::dragEnterEvent(QDragEnterEvent* Event) {
    if (OnFileDrop && !DraggedFile(Event->mimeData()).isEmpty()) Event->acceptProposedAction();
}

void ImageView::dropEvent(QDropEvent* Event) {
    const QString FileName = DraggedFile(Event->mimeData());
    if (!OnFileDrop || FileName.isEmpty()) return;
    Event->acceptProposedAction();
    OnFileDrop(FileName);
}

void ImageView::mouseDoubleClickEvent(QMouseEvent* Event) {
    if (OnDoubleClick) OnDoubleClick();
    QWidget::mouseDoubleClickEvent(Event);
}

void ImageView::mousePressEvent(QMouseEvent* Event) {
    if (OnDrag && Event->button() == Qt::LeftButton) FDragFrom = Event->position().toPoint();
    QWidget::mousePressEvent(Event);
}

void ImageView::mouseMoveEvent(QMouseEvent* Event) {
    if (FDragFrom && OnDrag && (Event->buttons() & Qt::LeftButton)) {
        const QPoint At = Event->position().toPoint();
        const QPoint Movement = At - *FDragFrom;
        FDragFrom = At;
        if (!Movement.isNull()) OnDrag(Movement, false);
    }
    QWidget::mouseMoveEvent(Event);
}

void ImageView::mouseReleaseEvent(QMouseEvent* Event) {
    if (FDragFrom && Event->button() == Qt::LeftButton) {
        FDragFrom.reset();
        if (OnDrag) OnDrag({}, true);
    }
    QWidget::mouseReleaseEvent(Event);
}
