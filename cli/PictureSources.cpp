#include "PictureSources.h"

#include <string>

#include "Exception.h"
#include "SampleLoaders.h"

namespace cli {

TPicture LoadPictureSource(const PictureSource& Source, PictureRole Role) {
    TPicture Picture;
    switch (Source.From) {
        case PictureSource::Kind::None: break;
        case PictureSource::Kind::Sample:
            if (Role == PictureRole::DepthMap) LoadSampleDepthMap(Picture, "Bei" + std::to_string(Source.Number));
            else LoadSampleMask(Picture, "Bild" + std::to_string(Source.Number));
            break;
        case PictureSource::Kind::File:
            try {
                LoadImage(Picture, Source.FileName);
            } catch (const Exception& E) {
                throw Exception(Source.FileName + ": " + E.Message());
            }
            // The loader leaves the picture untouched when the file is no readable picture;
            // the window then keeps its old picture, a script wants to hear about it.
            if (!Picture.Graphic()) throw Exception(Source.FileName + ": not a readable picture (BMP, JPEG or PNG)");
            break;
    }
    return Picture;
}

}  // namespace cli
