#include "Refusals.h"

#include "Messages.h"
#include "NumberText.h"
#include "OptionNames.h"
#include "RefusalText.h"

namespace cli {
namespace {

TProblem EmptyDepthMap(const TPictureOrigins& Origins) {
    if (Origins.Depth && Origins.Depth->From == TPictureSource::TKind::File)
        return {SourceName(Origins.Depth->FileName), "the depth map has no pixels; give another with --depth"};
    return {{}, "there is no depth map (--depth none); give one with --depth FILE or --depth sample:N"};
}

TProblem EmptyTexture(const TStereogram& S, const TPictureOrigins& Origins) {
    if (Origins.Mask && Origins.Mask->From == TPictureSource::TKind::File)
        return {SourceName(Origins.Mask->FileName), "the texture has no pixels; give another with --mask"};
    const bool Textured = S.StereoType() == sgtTextured;
    return {{}, "--type " + KindName(S.StereoType()) + (Textured ? " repeats a texture" : " takes dot colours from a texture") +
                    ", and there is none (--mask none); give one with --mask FILE or --mask texture:N, or use --type " +
                    (Textured ? "random-dot-textured" : "fast-random-dot")};
}

TProblem NoSeparation(const TStereogram& S) {
    return {{}, "the depth planes give no separation: the far plane at " + RoundedNumberText(S.Max3Ddepth()) +
                    " inches (--max-depth) seen from " + RoundedNumberText(S.ObservDistance()) + " inches (--observ-distance) at " +
                    std::to_string(S.DPI()) + " dpi gives " + std::to_string(S.Separation()) +
                    " pixels; raise --max-depth, or give --separation N"};
}

TProblem SeparationTooWide(const TStereogram& S) {
    return {{}, "the separation, " + std::to_string(S.Separation()) + " pixels, is wider than the picture, " +
                    std::to_string(S.Width()) + " pixels (--width); raise --width, or lower --max-depth (" +
                    RoundedNumberText(S.Max3Ddepth()) + ") or --dpi (" + std::to_string(S.DPI()) + "), which set the separation"};
}

TProblem TooManySamples(const TStereogram& S) {
    return {{}, "the picture is too wide for the textured kinds: --width " + std::to_string(S.Width()) + " at --oversampling " +
                    std::to_string(S.Oversampling()) + " makes " + std::to_string(std::int64_t(S.Width()) * S.Oversampling()) +
                    " samples a row, more than a row holds; lower --oversampling or --width"};
}

}  // namespace

TProblem RefusalProblem(const Exception& E, const TStereogram& S, const TPictureOrigins& Origins) {
    if (const auto* Refusal = dynamic_cast<const ERefusal*>(&E)) {
        switch (Refusal->Code()) {
            case TRefusal::EmptyDepthMap: return EmptyDepthMap(Origins);
            case TRefusal::EmptyMask: return EmptyTexture(S, Origins);
            case TRefusal::NoSeparation: return NoSeparation(S);
            case TRefusal::SeparationTooWide: return SeparationTooWide(S);
            case TRefusal::RowTooWide: return TooManySamples(S);
            default: return {{}, RefusalText(*Refusal)};
        }
    }
    if (const auto* Picture = dynamic_cast<const EInvalidGraphic*>(&E); Picture && Picture->Failure() == TReadFailure::TooLarge)
        return {{}, "the picture to render is too large (" + Picture->Detail() +
                        "); lower --width or --height, or use a smaller depth map"};
    return {{}, "the run was refused; change the settings and try again"};
}

}  // namespace cli
