#include "PictureInputs.h"

#include <algorithm>
#include <cerrno>

#include "ApplySettings.h"
#include "DepthMapTools.h"
#include "Exception.h"
#include "Messages.h"
#include "OptionValues.h"
#include "StandardStreams.h"
#include "StartSettings.h"

namespace cli {
namespace {

bool ReadsStandardInput(const SettingAction& Action) {
    const auto* Source = std::get_if<TPictureSource>(&Action.Value);
    return Source && Source->From == TPictureSource::TKind::File && Source->FileName == StandardStream;
}

// A missing file named like a built-in picture of the other role: "--mask sample:3".
std::string SampleHint(const TPictureSource& Source, TPictureRole Role, const std::exception& E) {
    const auto* File = dynamic_cast<const EFileError*>(&E);
    const TPictureRole Other = Role == TPictureRole::DepthMap ? TPictureRole::Texture : TPictureRole::DepthMap;
    if (!File || File->ErrorNumber() != ENOENT || !Source.FileName.starts_with(SamplePrefix(Other))) return {};
    return std::string("; the built-in ") + (Role == TPictureRole::DepthMap ? "depth maps are " : "textures are ") + SampleRange(Role);
}

// What Action says about the look of a later text or model.
void Reshape(TDepthShape& Shape, const SettingAction& Action) {
    const SettingValue& V = Action.Value;
    switch (Action.Target) {
        case Setting::Font: Shape.Text.Font = std::get<std::string>(V); break;
        case Setting::TextProfile: Shape.Text.Profile = std::get<TReliefProfile>(V); break;
        case Setting::Camera: Shape.View.Projection = std::get<TProjection>(V); break;
        case Setting::Rotation: {
            const auto& R = std::get<TRotation>(V);
            Shape.View.RotateX = R.X, Shape.View.RotateY = R.Y, Shape.View.RotateZ = R.Z;
            break;
        }
        default: break;
    }
}

// A --font, --text-profile, --camera or --rotate after the last text or model it could
// shape changes nothing. Index is where the last text (or model) depth map stands, or none;
// a model FILE argument is shaped by every --camera and --rotate.
void WarnAboutLateShaping(const Options& Parsed, std::optional<std::size_t> LastText, std::optional<std::size_t> LastModel,
                          TConsole& Console) {
    for (std::size_t I = 0; I < Parsed.Settings.size(); ++I) {
        const SettingAction& Action = Parsed.Settings[I];
        const TSettingTarget Shapes = SettingEntry(Action.Target).Target;
        const bool Text = Shapes == TSettingTarget::Text, Model = Shapes == TSettingTarget::Model;
        if ((!Text && !Model) || (Model && !Parsed.Files.empty())) continue;
        const std::optional<std::size_t> Last = Text ? LastText : LastModel;
        if (Last && *Last > I) continue;
        const std::string Which = Text ? "text: depth map" : "model";
        Console.Warning({}, Action.Option + " " + Shortened(Action.Argument) + (Last ? " comes after the last " : " has no ") + Which +
                                (Last ? "" : " after it") + " and " + (Action.Target == Setting::Rotation ? "turns" : "changes") +
                                " nothing; give it before --depth" + (Text ? " text:" : ""));
    }
}

// The subject of the source's messages: the file, or the option that gives the text.
std::string SubjectOf(const TPictureSource& Source, const SettingAction& Action) {
    return Source.From == TPictureSource::TKind::Text ? Action.Option + " " + Shortened(Action.Argument) : SourceName(Source.FileName);
}

}  // namespace

TPictureRead ReadSource(const TPictureSource& Source, TPictureRole Role, std::span<const std::uint8_t> StandardInput, bool Invert,
                        const TDepthShape& Shape) {
    const bool FromStandardInput = Source.From == TPictureSource::TKind::File && Source.FileName == StandardStream;
    TPictureRead Read = FromStandardInput ? ReadPictureBytes(StandardInput) : LoadPictureSource(Source, Role, Shape);
    if (Invert && Role == TPictureRole::DepthMap && Read.Picture.Graphic())
        Read.Picture.SetGraphic(std::make_unique<TBitmap>(InvertDepth(Read.Picture.Bitmap())));
    return Read;
}

std::optional<TSharedPictures> ReadSharedPictures(const Options& Parsed, TConsole& Console, std::optional<std::size_t> ModelDrawnElsewhere) {
    TSharedPictures Shared;
    std::vector<std::uint8_t> StandardInput;
    // The settings in order on a generator of their own give the size at each depth map.
    TStereogram Sized(nullptr);
    ApplyStartSettings(Sized);
    TDepthShape Shape{Sized.Width(), Sized.Height(), {}, {}};
    for (const SettingAction& Action : Parsed.Settings) Reshape(Shape, Action);
    Shared.OfFiles = Shape;
    Shape = {};
    // A revealed depth map is read for the eyes the picture is drawn for.
    Shape.CrossEyed = std::ranges::any_of(Parsed.Settings, [](const SettingAction& A) { return A.Target == Setting::CrossEyed; });
    std::optional<std::size_t> LastText, LastModel;
    for (const SettingAction& Action : Parsed.Settings) {
        TPicture& Picture = Shared.OfSetting.emplace_back();
        Reshape(Shape, Action);
        Shape.Width = Sized.Width();
        Shape.Height = Sized.Height();
        Shared.ShapeOfSetting.push_back(Shape);
        const auto* Source = std::get_if<TPictureSource>(&Action.Value);
        if (!Source) {
            ApplySetting(Sized, {&Action, &Picture});
            continue;
        }
        const TPictureRole Role = Action.Target == Setting::DepthMap ? TPictureRole::DepthMap : TPictureRole::Texture;
        const std::string Name = SubjectOf(*Source, Action);
        try {
            if (ReadsStandardInput(Action)) StandardInput = ReadStandardInput();
            TPictureRead Read = ReadSource(*Source, Role, StandardInput, Parsed.InvertDepth, Shape);
            for (const std::string& Warning : Read.Warnings) Console.Warning(Name, Warning);
            const std::size_t Index = Shared.OfSetting.size() - 1;
            if (Source->From == TPictureSource::TKind::Text) LastText = Index;
            if (Read.FromModel || Index == ModelDrawnElsewhere) LastModel = Index;
            Picture = std::move(Read.Picture);
            ApplySetting(Sized, {&Action, &Picture});
        } catch (const std::exception& E) {
            Console.Problem(Name, ReadFailureText(E) + SampleHint(*Source, Role, E));
            return std::nullopt;
        }
    }
    WarnAboutLateShaping(Parsed, LastText, LastModel, Console);
    return Shared;
}

}  // namespace cli
