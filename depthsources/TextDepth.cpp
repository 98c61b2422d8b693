#include "TextDepth.h"

#include <algorithm>

#include "Exception.h"
#include "TextFont.h"
#include "Utf8.h"

namespace {

// How far from the outline the relief reaches full height, in ems: about half the stem
// width of a bold sans-serif, so that strokes become rounded ridges.
constexpr double ReliefCapEms = 0.09;
// More characters than any picture can show legibly; the limit bounds the work of laying out.
constexpr std::size_t MaxTextLength = 10000;

bool IsBlank(char32_t Code) { return Code <= 0x20 || (Code >= 0x7F && Code < 0xA0); }

}  // namespace

TBitmap RenderTextDepth(const std::string& Utf8Text, int Width, int Height, const TTextDepthOptions& Options,
                        std::vector<std::string>* Warnings) {
    const auto TooLong = [] {
        return ERefusal("Text ist zu lang (höchstens " + std::to_string(MaxTextLength) + " Zeichen)", TRefusal::TextTooLong,
                        {.Limit = std::int64_t(MaxTextLength)});
    };
    // No character takes more than four bytes: a longer text is refused before it is decoded.
    if (Utf8Text.size() > 4 * MaxTextLength) throw TooLong();
    const std::u32string Text = DecodeUtf8(Utf8Text);
    if (std::all_of(Text.begin(), Text.end(), IsBlank)) throw ERefusal("Text ist leer", TRefusal::TextEmpty);
    if (Text.size() > MaxTextLength) throw TooLong();
    TTextCoverage Set = SetText(Text, Width, Height, DepthMargin(Width, Height), Options.Font.empty() ? TTextDepthOptions().Font : Options.Font, Warnings);
    ApplyDistanceProfile(Set.Coverage, Options.Profile, ReliefCapEms * Set.PixelsPerEm);
    return ToDepthBitmap(Set.Coverage);
}
