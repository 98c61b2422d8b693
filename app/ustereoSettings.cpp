// The settings panel as a view of the settings table: a change is applied through the
// table's setter, and every row then shows what the generator (or the window, for the
// shaping of text and model depth maps) holds, with the reason when it kept another value.
#include <QCoreApplication>
#include <cmath>

#include "DepthFileRead.h"
#include "DraftDepth.h"
#include "DraftMesh.h"
#include "ImageView.h"
#include "SettingsPanel.h"
#include "SettingsTable.h"
#include "TextDepth.h"
#include "ustereo.h"

namespace {
QString Text(const std::string& Value) { return QString::fromStdString(Value); }

// Why the generator holds Kept rather than the value asked for, worded by its range rule.
QString KeptReason(const TSettingEntry& Entry, const TStereogram& Stereogram, const TSettingValue& Kept) {
    const QString Value = Text(SettingValueText(Entry, Kept));
    const TSettingRange& Range = Entry.Range;
    switch (Range.Rule) {
        case TRangeRule::Clamped:
            return Tfstereo::tr("%1 behalten: erlaubt sind %2 bis %3.").arg(Value).arg(Range.Min).arg(Range.Max);
        case TRangeRule::SideOfLimit:
            return Tfstereo::tr("%1 behalten: unter %2 gilt %3, höchstens %4 (mit „Große Bilder“ %5).")
                .arg(Value).arg(Range.Min).arg(Range.Fallback).arg(Range.Max).arg(Range.LargeMax);
        case TRangeRule::DpiOfSize:
            return Tfstereo::tr("%1 behalten: mindestens %2, und nicht mehr als Breite und Höhe, sonst deren Hälfte.")
                .arg(Value).arg(Range.Min);
        case TRangeRule::BelowEyes:
            return Tfstereo::tr("%1 bleibt: der Abstand muss mindestens %2 und kleiner als der Augenabstand sein, %3 Pixel bei %4 dpi.")
                .arg(Value).arg(Range.Min)
                .arg(static_cast<long long>(static_cast<long double>(Stereogram.DPI()) * TStereogram::EyeDistanceInches))
                .arg(Stereogram.DPI());
        case TRangeRule::None: break;
    }
    return Tfstereo::tr("%1 behalten.").arg(Value);
}
}  // namespace

TSettingValue Tfstereo::SettingValue(const TSettingEntry& Entry) const {
    if (Entry.Read) return Entry.Read(*Stereogram1);
    switch (Entry.Id) {
        case TSettingId::DepthMap:
            return FDepthSource.Kind == TWindowDepthSource::TKind::Text ? FDepthSource.Text : std::string();
        case TSettingId::Font: return FTextShape.Font;
        case TSettingId::TextProfile: return int(FTextShape.Profile);
        case TSettingId::Camera: return int(FModelView.Projection);
        case TSettingId::Rotation: return TRotation{FModelView.RotateX, FModelView.RotateY, FModelView.RotateZ};
        case TSettingId::Landscape: return Stereogram1->Width() > Stereogram1->Height();
        case TSettingId::Paper: return std::string();
        case TSettingId::InvertDepth: return FDepthReading.Invert;
        case TSettingId::Fit: return FDepthReading.Fit;
        default: return false;
    }
}

// Rows a kind or depth map does not use are disabled, not hidden. The text is always open:
// typing one makes it the depth map.
void Tfstereo::ShowSettings() {
    if (!Settings) return;
    const TStereoGramType Kind = Stereogram1->StereoType();
    const bool Text = FDepthSource.Kind == TWindowDepthSource::TKind::Text;
    for (const TSettingEntry& Entry : SettingsTable()) {
        Settings->ShowValue(Entry.Id, SettingValue(Entry));
        bool Used = true;
        switch (Entry.Id) {
            case TSettingId::Oversampling: Used &= Kind != sgtFastRandomDot && Kind != sgtColoredDot; break;
            case TSettingId::DotColor:
            case TSettingId::DotIntensity: Used &= Kind != sgtTextured; break;
            case TSettingId::Width:
            case TSettingId::Height:
            case TSettingId::Paper:
            case TSettingId::Landscape: Used &= Kind != sgtColoredDot; break;
            case TSettingId::Font:
            case TSettingId::TextProfile: Used &= Text; break;
            case TSettingId::Camera:
            case TSettingId::Rotation: Used &= FMesh != nullptr; break;
            default: break;
        }
        Settings->SetUsed(Entry.Id, Used);
    }
}

void Tfstereo::SettingChanged(const TSettingEntry& Entry, const TSettingValue& Value) {
    for (const TSettingEntry& Other : SettingsTable()) Settings->ShowNote(Other.Id, {});
    if (Entry.Target == TSettingTarget::Text) {
        if (Entry.Id == TSettingId::Font) FTextShape.Font = std::get<std::string>(Value);
        if (Entry.Id == TSettingId::TextProfile) FTextShape.Profile = TReliefProfile(std::get<int>(Value));
        if (FDepthSource.Kind == TWindowDepthSource::TKind::Text) LoadTextDepthMap(FDepthSource.Text, FTextShape.Font);
    } else if (Entry.Target == TSettingTarget::Model) {
        if (Entry.Id == TSettingId::Camera) FModelView.Projection = TProjection(std::get<int>(Value));
        if (const auto* Turn = std::get_if<TRotation>(&Value)) {
            FModelView.RotateX = Turn->X;
            FModelView.RotateY = Turn->Y;
            FModelView.RotateZ = Turn->Z;
        }
        RedrawModel();
    } else if (Entry.Target == TSettingTarget::DepthReading) {
        // The generator's map is read again from the preview; a fit waits for the run.
        (Entry.Id == TSettingId::InvertDepth ? FDepthReading.Invert : FDepthReading.Fit) = std::get<bool>(Value);
        ReplaceDepthMap(*Stereogram1, ReadDepth(Image2->Picture(), FDepthReading.Invert));
    } else if (Entry.Id == TSettingId::DepthMap) {
        // The depth map's row is the text of a text depth map, redrawn with every key.
        if (const auto* Words = std::get_if<std::string>(&Value); Words && !Words->empty())
            LoadTextDepthMap(*Words, FTextShape.Font);
    } else if (Entry.Apply) {
        Entry.Apply(*Stereogram1, Value);
        if (Entry.Read) {
            const TSettingValue Kept = Entry.Read(*Stereogram1);
            if (Kept != Value) Settings->ShowNote(Entry.Id, KeptReason(Entry, *Stereogram1, Kept));
        }
        // A change of kind goes on through the radio group, which resets the numeric settings.
        UpdateControls();
    }
    ShowSettings();
    LiveChange();
}

const TMesh& Tfstereo::DraftModel(int Width, int Height) { return FDraftModel.For(FMesh, DraftCells(Width / 2, Height / 2)); }

// Turning the kept mesh costs only drawing; the depth map keeps the size it was drawn at.
// A draft is the coarse mesh drawn at half the size and enlarged.
void Tfstereo::RedrawModel(bool Draft) {
    if (!FMesh) return;
    const TPicture& Depth = Stereogram1->DepthMap();
    const int Width = Depth.Width(), Height = Depth.Height();
    if (Draft && Width > 1 && Height > 1) {
        Image2->SetPicture(DepthPicture(RenderDraftDepth(FModelRasterizer, DraftModel(Width, Height), Width, Height, FModelView)));
    } else {
        Image2->SetPicture(DepthPicture(FModelRasterizer.Render(*FMesh, Width, Height, FModelView)));
    }
    FDepthSource.View = FModelView;
    GiveDepthMap();
}

namespace {
// Degrees a model turns per pixel of a drag: across the result view is about a full turn.
constexpr double DegreesPerPixel = 0.5;

// An angle brought into −180 … 180.
double Wrapped(double Degrees) { return std::remainder(Degrees, 360.0); }
}  // namespace

void Tfstereo::TurnModel(ImageView& View, QPoint Movement, bool Released) {
    if (!FMesh || Stereogram1->Running() || (&View == meinimage && !SettingsOpen())) return;
    FModelView.RotateY = Wrapped(FModelView.RotateY + Movement.x() * DegreesPerPixel);
    FModelView.RotateX = Wrapped(FModelView.RotateX + Movement.y() * DegreesPerPixel);
    RedrawModel(!Released);
    ShowSettings();
    LiveChange(!Released);
}
