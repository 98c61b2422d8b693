#include "SettingsTable.h"

#include <algorithm>
#include <memory>

#include "NumberText.h"
#include "PaperSizes.h"
#include "StartSettings.h"
#include "TextDepth.h"

namespace {

using K = TSettingKind;
using T = TSettingTarget;
using R = TRangeRule;
using TS = TStereogram;
using V = const TSettingValue&;

int Whole(V Value) { return std::get<int>(Value); }
double Real(V Value) { return std::get<double>(Value); }
bool On(V Value) { return std::get<bool>(Value); }

void ApplyPaper(TS& S, V Value) {
    if (const auto Paper = PaperOfName(std::get<std::string>(Value))) SetPaper(S, *Paper);
}

constexpr std::array<TSettingEntry, 26> Table{{
    {TSettingId::DepthMap, "--depth", "FILE|sample:N|text:WORDS|reveal:FILE|none|-", K::DepthSource, T::Generator,
     "depth map: a picture or 3D model file, a built-in sample, hidden text (\\n in WORDS breaks the line), the depth revealed "
     "from a stereogram FILE, nothing, or - for a picture from standard input",
     "Tiefenbild", {}, "text and models are drawn at the width and height set before"},
    {TSettingId::MaskMap, "--mask", "FILE|texture:N|none|-", K::MaskSource, T::Generator,
     "texture of the textured kind and colour source of colored-dot: a file, a built-in texture, nothing, or - for standard input",
     "Maske, Textur"},
    {TSettingId::StereoType, "--type", "KIND", K::Choice, T::Generator, "kind of stereogram", "Stereogram-Typ", {},
     "colored-dot takes the depth map's size",
     StereoTypeChoices, [](const TS& S) -> TSettingValue { return int(S.StereoType()); },
     [](TS& S, V Value) { S.SetStereoType(TStereoGramType(Whole(Value))); }},
    {TSettingId::Blur, "--blur", "STRENGTH", K::Choice, T::Generator, "depth jitter", "Unschärfe", {}, {}, BlurChoices,
     [](const TS& S) -> TSettingValue { return int(S.Blur()); }, [](TS& S, V Value) { S.SetBlur(TBlurType(Whole(Value))); }},
    {TSettingId::DotColor, "--dot-color", "COLOR", K::Choice, T::Generator, "colours of the random dots", "Punktfarbe", {}, {},
     DotColorChoices, [](const TS& S) -> TSettingValue { return int(S.RandomDotColor()); },
     [](TS& S, V Value) { S.SetRandomDotColor(TRandomDotColorType(Whole(Value))); }},
    {TSettingId::DotIntensity, "--dot-intensity", "N", K::Integer, T::Generator, "share of black dots in percent", "Punktdichte",
     {R::Clamped, TS::MinDotIntensity, TS::MaxDotIntensity}, {}, {},
     [](const TS& S) -> TSettingValue { return S.DotIntensity(); }, [](TS& S, V Value) { S.SetDotIntensity(Whole(Value)); }},
    {TSettingId::Oversampling, "--oversampling", "N", K::Integer, T::Generator, "samples per pixel of the textured kinds",
     "Überabtastung", {R::Clamped, TS::MinOversampling, TS::MaxOversampling}, {}, {},
     [](const TS& S) -> TSettingValue { return S.Oversampling(); }, [](TS& S, V Value) { S.SetOversampling(Whole(Value)); }},
    {TSettingId::ObservDistance, "--observ-distance", "X", K::Number, T::Generator, "viewing distance in inches",
     "Betrachtungsabstand", {}, {}, {}, [](const TS& S) -> TSettingValue { return S.ObservDistance(); },
     [](TS& S, V Value) { S.SetObservDistance(Real(Value)); }},
    {TSettingId::MaxDepth, "--max-depth", "X", K::Number, T::Generator, "far plane in inches behind the picture", "Ferne Ebene", {},
     {}, {}, [](const TS& S) -> TSettingValue { return S.Max3Ddepth(); }, [](TS& S, V Value) { S.SetMax3Ddepth(Real(Value)); }},
    {TSettingId::MinDepth, "--min-depth", "X", K::Number, T::Generator, "near plane in inches behind the picture", "Nahe Ebene", {},
     {}, {}, [](const TS& S) -> TSettingValue { return S.Min3Ddepth(); }, [](TS& S, V Value) { S.SetMin3Ddepth(Real(Value)); }},
    {TSettingId::DPI, "--dpi", "N", K::Integer, T::Generator, "output pixels per inch", "Auflösung (dpi)",
     {R::DpiOfSize, TS::MinDPI}, {}, {}, [](const TS& S) -> TSettingValue { return S.DPI(); },
     [](TS& S, V Value) { S.SetDPI(Whole(Value)); }},
    {TSettingId::Width, "--width", "N", K::Integer, T::Generator, "output width", "Breite",
     {R::SideOfLimit, TS::MinSide, TS::ClassicMaxWidth, TS::LargeMaxSide, TS::FallbackSide}, {}, {},
     [](const TS& S) -> TSettingValue { return S.Width(); }, [](TS& S, V Value) { S.SetWidth(Whole(Value)); }},
    {TSettingId::Height, "--height", "N", K::Integer, T::Generator, "output height", "Höhe",
     {R::SideOfLimit, TS::MinSide, TS::ClassicMaxHeight, TS::LargeMaxSide, TS::FallbackSide}, {}, {},
     [](const TS& S) -> TSettingValue { return S.Height(); }, [](TS& S, V Value) { S.SetHeight(Whole(Value)); }},
    {TSettingId::Separation, "--separation", "N", K::Integer, T::Generator,
     "far-plane separation in pixels; sets the far plane", "Abstand", {R::BelowEyes, 1}, {}, {},
     [](const TS& S) -> TSettingValue { return S.Separation(); }, [](TS& S, V Value) { S.SetSeparation(Whole(Value)); }},
    {TSettingId::Large, "--large", "", K::Flag, T::Generator, "lift the size limit from here on, for prints",
     "Große Bilder", {}, "a later --width 3000 is kept", {},
     [](const TS& S) -> TSettingValue { return S.SizeLimit() == slLarge; },
     [](TS& S, V Value) { S.SetSizeLimit(On(Value) ? slLarge : slClassic); }},
    {TSettingId::Paper, "--paper", "SIZE", K::Paper, T::Generator,
     "output as large as the paper", "Papier", {},
     "upright, at the --dpi given before it, A4 at 300 dpi being 2480 x 3508; implies --large", {}, nullptr,
     ApplyPaper},
    {TSettingId::Landscape, "--landscape", "", K::Flag, T::Generator, "turn the output on its side when it stands upright",
     "Querformat", {}, "give it after --paper", {}, nullptr,
     [](TS& S, V Value) {
         if (On(Value)) SetLandscape(S);
     }},
    {TSettingId::GuideDots, "--guide-dots", "", K::Flag, T::Generator,
     "two guide dots near the top, one separation apart, to help the eyes converge", "Hilfspunkte", {}, {}, {},
     [](const TS& S) -> TSettingValue { return S.GuideDots(); }, [](TS& S, V Value) { S.SetGuideDots(On(Value)); }},
    {TSettingId::CrossEyed, "--cross-eyed", "", K::Flag, T::Generator, "for viewing with crossed eyes: near is far", "Kreuzblick",
     {}, {}, {}, [](const TS& S) -> TSettingValue { return S.CrossEyed(); }, [](TS& S, V Value) { S.SetCrossEyed(On(Value)); }},
    {TSettingId::Threads, "--threads", "N", K::Count, T::Run, "threads that render one picture", "Threads",
     {R::Clamped, TS::MinThreads, TS::MaxThreads}, "default: one per processor core, shared out among the files --jobs renders at once", {},
     [](const TS& S) -> TSettingValue { return S.Threads(); }, [](TS& S, V Value) { S.SetThreads(Whole(Value)); }},
    {TSettingId::Font, "--font", "NAME|FILE", K::Text, T::Text, "font of a later hidden text, a font name or file",
     "Schriftart"},
    {TSettingId::TextProfile, "--text-profile", "PROFILE", K::Choice, T::Text, "relief of a later hidden text", "Relief", {}, {},
     ReliefProfileChoices},
    {TSettingId::Camera, "--camera", "PROJECTION", K::Choice, T::Model, "how a later model file is seen", "Kamera", {}, {},
     ProjectionChoices},
    {TSettingId::Rotation, "--rotate", "X,Y,Z", K::Rotation, T::Model, "turn a later model file by these degrees about the x, y and z axes",
     "Drehung"},
    {TSettingId::InvertDepth, "--invert-depth", "", K::Flag, T::DepthReading,
     "white is far: every depth map is inverted as it is read (depth estimators often write so)", "Tiefe umkehren"},
    {TSettingId::Fit, "--fit", "", K::Flag, T::DepthReading,
     "scale the depth map to the output size before the run: aspect kept, centred on black (far); without it the map is "
     "centred and cut as is",
     "Einpassen"},
}};

static_assert(std::ranges::all_of(Table, [](const TSettingEntry& E) { return &E - Table.data() == int(E.Id); }),
              "the table lists the settings in the order of TSettingId");

// The generator as the program starts, read by the start values.
const TStereogram& StartGenerator() {
    static const std::unique_ptr<TStereogram> Start = [] {
        auto S = std::make_unique<TStereogram>(nullptr);
        ApplyStartSettings(*S);
        // Setting the viewing distance to itself recomputes the geometry with the pictures,
        // so that the separation reads as a run would use it.
        S->SetObservDistance(S->ObservDistance());
        return S;
    }();
    return *Start;
}

}  // namespace

std::span<const TSettingEntry> SettingsTable() { return Table; }

const TSettingEntry& SettingEntry(TSettingId Id) { return Table[std::size_t(Id)]; }

const TSettingEntry* FindSetting(std::string_view Option) {
    const auto Found = std::ranges::find(Table, Option, &TSettingEntry::Option);
    return Found == Table.end() ? nullptr : &*Found;
}

TSettingValue StartValue(const TSettingEntry& Entry) {
    if (Entry.Target == T::Run) return {};
    if (Entry.Read) return Entry.Read(StartGenerator());
    const TTextDepthOptions Text;
    const TModelView View;
    switch (Entry.Id) {
        case TSettingId::DepthMap: return TPictureSource{TPictureSource::TKind::Sample, StartDepthSample, {}};
        case TSettingId::MaskMap: return TPictureSource{TPictureSource::TKind::Sample, StartTextureSample, {}};
        case TSettingId::Font: return Text.Font;
        case TSettingId::TextProfile: return int(Text.Profile);
        case TSettingId::Camera: return int(View.Projection);
        case TSettingId::Rotation: return TRotation{View.RotateX, View.RotateY, View.RotateZ};
        case TSettingId::Landscape:
        case TSettingId::InvertDepth:
        case TSettingId::Fit: return false;
        default: return {};  // a paper: none until one is given
    }
}

std::string_view ChoiceName(const TSettingEntry& Entry, int Value) {
    const auto Found = std::ranges::find(Entry.Choices, Value, &TChoiceName::Value);
    return Found == Entry.Choices.end() ? "?" : Found->Name;
}

std::optional<int> ChoiceValue(const TSettingEntry& Entry, std::string_view Name) {
    const auto Found = std::ranges::find(Entry.Choices, Name, &TChoiceName::Name);
    if (Found == Entry.Choices.end()) return std::nullopt;
    return Found->Value;
}

std::string SettingValueText(const TSettingEntry& Entry, const TSettingValue& Value) {
    if (const auto* Whole = std::get_if<int>(&Value))
        return Entry.Kind == K::Choice ? std::string(ChoiceName(Entry, *Whole)) : std::to_string(*Whole);
    if (const auto* Real = std::get_if<double>(&Value)) return NumberText(*Real);
    if (const auto* Flag = std::get_if<bool>(&Value)) return *Flag ? "on" : "off";
    if (const auto* Text = std::get_if<std::string>(&Value)) return *Text;
    if (const auto* Turn = std::get_if<TRotation>(&Value))
        return NumberText(Turn->X) + "," + NumberText(Turn->Y) + "," + NumberText(Turn->Z);
    if (const auto* Source = std::get_if<TPictureSource>(&Value))
        return PictureSourceText(*Source, Entry.Kind == K::MaskSource ? TPictureRole::Texture : TPictureRole::DepthMap);
    return {};
}
