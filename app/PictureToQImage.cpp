#include "PictureToQImage.h"

#include "Exception.h"
#include "Picture.h"

namespace {
QImage BitmapToQImage(const TBitmap& Bitmap) {
    if (Bitmap.Empty()) return {};
    // 24-bit rows are blue, green, red: Qt converts them whole (a result every run).
    if (Bitmap.PixelFormat() == pf24bit)
        return QImage(Bitmap.ScanLine(0), Bitmap.Width(), Bitmap.Height(), Bitmap.RowBytes(), QImage::Format_BGR888)
            .convertToFormat(QImage::Format_RGB32);
    QImage Image(Bitmap.Width(), Bitmap.Height(), QImage::Format_RGB32);
    if (Image.isNull()) return {};  // too large for Qt or for memory: shown as nothing
    for (int Y = 0; Y < Bitmap.Height(); ++Y) {
        auto* Line = reinterpret_cast<QRgb*>(Image.scanLine(Y));
        for (int X = 0; X < Bitmap.Width(); ++X) {
            const TColor32 C = Bitmap.Pixel(X, Y);
            Line[X] = qRgb(RedOf(C), GreenOf(C), BlueOf(C));
        }
    }
    return Image;
}
}  // namespace

QImage PictureToQImage(const TPicture& Picture) {
    const TGraphic* Graphic = Picture.Graphic();
    if (!Graphic || Graphic->Empty()) return {};
    if (const auto* Bitmap = Picture.As<TBitmap>()) return BitmapToQImage(*Bitmap);
    // Other graphics (a JPEG picture) are shown through a decoded bitmap; one that does not
    // decode shows nothing.
    try {
        TBitmap Decoded;
        Graphic->AssignTo(Decoded);
        return BitmapToQImage(Decoded);
    } catch (const EInvalidGraphic&) {
        return {};
    }
}
