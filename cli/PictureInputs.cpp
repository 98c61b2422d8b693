#include "PictureInputs.h"

#include <cerrno>

#include "DepthMapTools.h"
#include "Exception.h"
#include "Messages.h"
#include "OptionValues.h"
#include "StandardStreams.h"

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

}  // namespace

TPictureRead ReadSource(const TPictureSource& Source, TPictureRole Role, std::span<const std::uint8_t> StandardInput, bool Invert) {
    const bool FromStandardInput = Source.From == TPictureSource::TKind::File && Source.FileName == StandardStream;
    TPictureRead Read = FromStandardInput ? ReadPictureBytes(StandardInput) : LoadPictureSource(Source, Role);
    if (Invert && Role == TPictureRole::DepthMap && Read.Picture.Graphic())
        Read.Picture.SetGraphic(std::make_unique<TBitmap>(InvertDepth(Read.Picture.Bitmap())));
    return Read;
}

std::optional<TSharedPictures> ReadSharedPictures(const Options& Parsed, TConsole& Console) {
    TSharedPictures Shared;
    std::vector<std::uint8_t> StandardInput;
    for (const SettingAction& Action : Parsed.Settings) {
        TPicture& Picture = Shared.OfSetting.emplace_back();
        const auto* Source = std::get_if<TPictureSource>(&Action.Value);
        if (!Source) continue;
        const TPictureRole Role = Action.Target == Setting::DepthMap ? TPictureRole::DepthMap : TPictureRole::Texture;
        const std::string Name = SourceName(Source->FileName);
        try {
            if (ReadsStandardInput(Action)) StandardInput = ReadStandardInput();
            TPictureRead Read = ReadSource(*Source, Role, StandardInput, Parsed.InvertDepth);
            for (const std::string& Warning : Read.Warnings) Console.Warning(Name, Warning);
            Picture = std::move(Read.Picture);
        } catch (const std::exception& E) {
            Console.Problem(Name, ReadFailureText(E) + SampleHint(*Source, Role, E));
            return std::nullopt;
        }
    }
    return Shared;
}

}  // namespace cli
