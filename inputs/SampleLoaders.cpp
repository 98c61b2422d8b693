#include "SampleLoaders.h"

#include <memory>
#include <utility>

#include "Exception.h"
#include "JPEGImage.h"
#include "PictureFiles.h"
#include "Resources.h"

namespace {

TJPEGImage* JpegOf(TPicture& Picture) { return dynamic_cast<TJPEGImage*>(Picture.Graphic()); }

}  // namespace

void LoadSampleDepthMap(TPicture& Target, const std::string& Name) {
    TJPEGImage Jpeg;
    Jpeg.LoadFromBytes(LoadResource("Jpeg", Name));
    auto Decoded = std::make_unique<TBitmap>();
    Decoded->Assign(Jpeg);
    Target.SetGraphic(std::move(Decoded));
}

void SetJPEGOptions(TPicture& Picture) {
    TJPEGImage* Jpeg = JpegOf(Picture);
    if (!Jpeg) return;
    Jpeg->SetPixelFormat(jf24Bit);
    Jpeg->SetScale(jsFullSize);
    Jpeg->SetGrayscale(false);
    Jpeg->SetPerformance(jpBestQuality);
    Jpeg->SetProgressiveDisplay(false);
}

void TakeLoadedPicture(TPicture& Target, TPicture& Loaded) {
    SetJPEGOptions(Loaded);
    if (!Loaded.Graphic()) return;
    if (const TJPEGImage* Jpeg = JpegOf(Loaded)) {
        // Decoded into a bitmap of its own first, so that a decoder error leaves Target as it was.
        TBitmap Widened(0, 0, pf24bit);
        Widened.SetWidth(Jpeg->Width());
        Widened.SetHeight(Jpeg->Height());
        Jpeg->Draw(Widened, 0, 0);
        Target.MakeBitmap() = std::move(Widened);
    } else {
        auto Bitmap = std::make_unique<TBitmap>();
        std::swap(*Bitmap, Loaded.MakeBitmap());  // a large picture is not copied; Loaded keeps an empty bitmap
        Target.SetGraphic(std::move(Bitmap));
    }
}

bool LoadImage(TPicture& Target, const std::string& FileName) {
    TPicture Loaded;
    try {
        LoadPictureFromFile(Loaded, FileName);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    TakeLoadedPicture(Target, Loaded);
    return Loaded.Graphic() != nullptr;
}
