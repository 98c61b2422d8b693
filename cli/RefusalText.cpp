#include "RefusalText.h"

#include "FormatLists.h"
#include "Messages.h"

namespace cli {
namespace {

std::string Pixels(int Width, int Height) { return std::to_string(Width) + " x " + std::to_string(Height) + " pixels"; }

// Which sides of the picture pass the writer's limit, with the options that set them.
std::string TooLargeToWrite(const TRefusalValues& V) {
    const bool Wide = V.Width > V.Limit, Tall = V.Height > V.Limit;
    const std::string Limit = std::to_string(V.Limit);
    std::string Sides, Options;
    if (Wide) Sides = "the width, " + std::to_string(V.Width), Options = "--width";
    if (Wide && Tall) Sides += ", and the height, " + std::to_string(V.Height), Options += " and --height";
    if (!Wide && Tall) Sides = "the height, " + std::to_string(V.Height), Options = "--height";
    return Sides + " pixels, is more than " + V.Subject + " holds, " + Limit + " pixels a side; give " + Options + " of " + Limit +
           " or less, or write another format (" + WrittenExtensions() + ")";
}

}  // namespace

std::string RefusalText(const ERefusal& E) {
    const TRefusalValues& V = E.Values();
    const std::string Font = "the font " + Quoted(V.Subject);
    switch (E.Code()) {
        case TRefusal::EmptyDepthMap: return "there is no depth map; give one with --depth FILE or --depth sample:N";
        case TRefusal::EmptyMask: return "this kind needs a texture and there is none; give one with --mask FILE or --mask texture:N";
        case TRefusal::NoSeparation: return "the depth planes give no separation; raise --max-depth, or give --separation N";
        case TRefusal::SeparationTooWide: return "the separation is wider than the picture; raise --width, or lower --max-depth or --dpi";
        case TRefusal::RowTooWide: return "the picture is too wide for the textured kinds; lower --oversampling or --width";
        case TRefusal::EmptyPictureToWrite: return "the picture is empty, " + Pixels(V.Width, V.Height) + "; give --width and --height";
        case TRefusal::TooLargeToWrite: return TooLargeToWrite(V);
        case TRefusal::EncodingFailed:
            return "the " + V.Subject + " encoder failed" + (V.Detail.empty() ? "" : " (" + Shortened(V.Detail) + ")") +
                   "; write another format (" + WrittenExtensions() + ")";
        case TRefusal::FormatNotWritten:
        case TRefusal::UnknownFormatToWrite:
            return "this format is not written; give -o a file ending in one of " + WrittenExtensions();
        case TRefusal::TextEmpty: return "the text is empty; give words after --depth text:";
        case TRefusal::TextTooLong:
            return "the text is too long (" + std::to_string(V.Limit) + " characters at most); shorten the words after --depth text:";
        case TRefusal::TextWithoutDrawableCharacter:
            return "the text has no character an installed font can draw; give other words or another --font";
        case TRefusal::FontNotFound: return Font + " is not installed (see fc-list); give another --font, a name or a font file";
        case TRefusal::FontFileUnreadable: return "the font file " + Quoted(V.Subject) + " cannot be opened; give another --font";
        case TRefusal::FontUnreadable: return Font + " cannot be opened; give another --font";
        case TRefusal::FontWithoutOutlines: return Font + " has no outlines; give a scalable --font";
        case TRefusal::FontconfigUnavailable: return "fontconfig cannot be started; give --font a font file";
        case TRefusal::FreeTypeUnavailable: return "FreeType cannot be started, so no --depth text: can be drawn";
        case TRefusal::DepthMapTooSmall:
            return "a depth map of " + Pixels(V.Width, V.Height) + " cannot be drawn; give --width and --height of at least 1";
        case TRefusal::NoChildProcess:
            return "the model reader cannot start its own process (" + Shortened(V.Detail) + "); try --depth again when the system has room";
    }
    return "refused";
}

}  // namespace cli
