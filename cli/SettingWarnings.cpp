#include "SettingWarnings.h"

#include "Messages.h"
#include "NumberText.h"
#include "OptionNames.h"

namespace cli {
namespace {

std::string Size(int Width, int Height) { return std::to_string(Width) + " x " + std::to_string(Height); }

// A value kept within its range: "the highest is 99; using 99".
std::string RangeText(int Asked, int Kept) {
    return std::string(Asked > Kept ? "the highest is " : "the lowest is ") + std::to_string(Kept) + "; using " + std::to_string(Kept);
}

std::optional<std::string> SideText(int Asked, int Kept, const TStereogram& S, const char* Side, const char* Widest) {
    if (Asked == Kept) return std::nullopt;
    const std::string Using = "; using " + std::to_string(Kept);
    if (S.StereoType() == sgtColoredDot) return "colored-dot takes the depth map's " + std::string(Side) + Using;
    if (Asked > Kept)
        return "the " + std::string(Widest) + " output is " + std::to_string(Kept) +
               (S.SizeLimit() == slClassic ? " (give --large before it for up to 16384)" : "") + Using;
    return "must be at least 1" + Using;
}

std::optional<std::string> DpiText(int Asked, const TStereogram& S) {
    const int Kept = S.DPI();
    if (Asked == Kept) return std::nullopt;
    if (Asked < Kept) return RangeText(Asked, Kept);
    const bool ByHeight = Kept == S.Height() / 2 && S.Height() < Asked;
    const int Side = ByHeight ? S.Height() : S.Width();
    return "may not exceed the output's " + std::string(ByHeight ? "height" : "width") + ", " + std::to_string(Side) +
           "; using half of it, " + std::to_string(Kept);
}

std::optional<std::string> OversamplingText(int Asked, const TStereogram& S) {
    const int Kept = S.Oversampling();
    if (Asked == Kept) return std::nullopt;
    if (Kept == 1 && (S.StereoType() == sgtFastRandomDot || S.StereoType() == sgtColoredDot))
        return KindName(S.StereoType()) + " has no oversampling; using 1";
    return RangeText(Asked, Kept);
}

void AddSeparationTexts(int Asked, const TSettingsBefore& Before, const TStereogram& S, std::vector<std::string>& Texts) {
    const bool Textured = S.StereoType() == sgtTextured || S.StereoType() == sgtRandomDotTextured;
    if (S.Max3Ddepth() == Before.Max3Ddepth && S.Separation() != Asked) {
        // The setter takes only 0 < N < Trunc(DPI × 2.5), the eye separation in pixels.
        Texts.push_back(Asked <= 0 ? "ignored, it must be above 0"
                                   : "ignored at " + std::to_string(S.DPI()) + " dpi, it must be below " +
                                         std::to_string(S.DPI() * 5 / 2));
        return;
    }
    if (Textured && S.Separation() < Asked && S.Separation() == S.MaskMap().Width())
        Texts.push_back("the texture is " + std::to_string(S.Separation()) + " pixels wide; using " + std::to_string(S.Separation()));
    if (S.Min3Ddepth() != Before.Min3Ddepth)
        Texts.push_back("the far plane moves to " + RoundedNumberText(S.Max3Ddepth()) + " inches, in front of the near plane " +
                        RoundedNumberText(Before.Min3Ddepth) + "; the near plane moves to " + RoundedNumberText(S.Min3Ddepth()));
}

// colored-dot takes the depth map's size when it is chosen, within the output's limits
// unless it was chosen already, and a later depth map only ever enlarges it.
std::optional<std::string> ColoredDotSizeText(const SettingAction& Action, const TStereogram& S) {
    const TPicture& Depth = S.DepthMap();
    if (S.StereoType() != sgtColoredDot || Depth.Width() == 0 || (S.Width() == Depth.Width() && S.Height() == Depth.Height()))
        return std::nullopt;
    if (Action.Target == Setting::StereoType)
        return "the depth map is " + Size(Depth.Width(), Depth.Height()) + ", the output keeps to " + Size(S.Width(), S.Height()) +
               " here; give --depth after --type colored-dot to use the whole map";
    return "colored-dot keeps " + Size(S.Width(), S.Height()) +
           ", the size it took from the depth map before; give --depth before --type colored-dot to use this map's size, " +
           Size(Depth.Width(), Depth.Height());
}

}  // namespace

std::vector<std::string> SettingWarnings(const SettingAction& Action, const TSettingsBefore& Before, const TStereogram& After) {
    std::vector<std::string> Texts;
    const auto Add = [&Texts](std::optional<std::string> Text) {
        if (Text) Texts.push_back(std::move(*Text));
    };
    const auto Asked = [&Action] { return std::get<int>(Action.Value); };
    switch (Action.Target) {
        case Setting::Width: Add(SideText(Asked(), After.Width(), After, "width", "widest")); break;
        case Setting::Height: Add(SideText(Asked(), After.Height(), After, "height", "tallest")); break;
        case Setting::Paper: {
            const TPaper& Paper = std::get<TPaper>(Action.Value);
            Add(SideText(PaperPixels(Paper.WidthMm, After.DPI()), After.Width(), After, "width", "widest"));
            Add(SideText(PaperPixels(Paper.HeightMm, After.DPI()), After.Height(), After, "height", "tallest"));
            break;
        }
        case Setting::Landscape:
            if (Before.Height > Before.Width) {
                Add(SideText(Before.Height, After.Width(), After, "width", "widest"));
                Add(SideText(Before.Width, After.Height(), After, "height", "tallest"));
            }
            break;
        case Setting::Threads:
            if (Asked() != After.Threads()) Texts.push_back(RangeText(Asked(), After.Threads()));
            break;
        case Setting::DotIntensity:
            if (Asked() != After.DotIntensity()) Texts.push_back(RangeText(Asked(), After.DotIntensity()));
            break;
        case Setting::Oversampling: Add(OversamplingText(Asked(), After)); break;
        case Setting::DPI: Add(DpiText(Asked(), After)); break;
        case Setting::Separation: AddSeparationTexts(Asked(), Before, After, Texts); break;
        case Setting::StereoType:
        case Setting::DepthMap: Add(ColoredDotSizeText(Action, After)); break;
        case Setting::MaskMap:
        case Setting::Blur:
        case Setting::DotColor:
        case Setting::ObservDistance:
        case Setting::MaxDepth:
        case Setting::MinDepth:
        case Setting::Large:
        case Setting::GuideDots:
        case Setting::CrossEyed:
        case Setting::Font:
        case Setting::TextProfile:
        case Setting::Camera:
        case Setting::Rotation:
        case Setting::InvertDepth:
        case Setting::Fit: break;
    }
    const std::string Named = Action.Argument.empty() ? Action.Option : Action.Option + " " + Shortened(Action.Argument);
    for (std::string& Text : Texts) Text = Named + ": " + Text;
    return Texts;
}

std::vector<std::string> PageOrderWarnings(const SettingAction& Action, const TPageSizing& Page, const TSettingsBefore& Before,
                                           const TStereogram& After) {
    const std::string Kept = Size(After.Width(), After.Height());
    if (Action.Target == Setting::DPI && Page.Paper && After.DPI() != Page.DPI)
        return {Action.Option + " " + Action.Argument + " comes after " + Page.Paper->Option + " " + Page.Paper->Argument +
                " and does not resize the page: it keeps " + Kept + " pixels, sized at " + std::to_string(Page.DPI) +
                " dpi; give --dpi before --paper (--dpi " + std::to_string(After.DPI()) + " --paper " + Page.Paper->Argument + ")"};
    if (Action.Target == Setting::Landscape && !Page.Paper && Before.Width == After.Width() && Before.Height == After.Height())
        return {Action.Option + " has no --paper before it and turns nothing: the output, " + Kept +
                ", lies on its side already; give it after --paper"};
    return {};
}

std::vector<std::string> RunSettingWarnings(const TStereogram& S) {
    std::vector<std::string> Texts;
    if (S.Min3Ddepth() > S.Max3Ddepth())
        Texts.push_back("the near plane, " + RoundedNumberText(S.Min3Ddepth()) + " inches (--min-depth), lies behind the far plane, " +
                        RoundedNumberText(S.Max3Ddepth()) +
                        " inches (--max-depth): the relief comes out inside out; give --min-depth below --max-depth");
    if (S.ObservDistance() < 0)
        Texts.push_back("the viewing distance is negative, " + RoundedNumberText(S.ObservDistance()) +
                        " inches (--observ-distance): the relief cannot be seen; give a positive --observ-distance");
    return Texts;
}

}  // namespace cli
