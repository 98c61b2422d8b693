#include "PictureInputs.h"

#include "DepthMapTools.h"
#include "Messages.h"
#include "StandardStreams.h"

namespace cli {
namespace {

bool ReadsStandardInput(const SettingAction& Action) {
    const auto* Source = std::get_if<TPictureSource>(&Action.Value);
    return Source && Source->From == TPictureSource::TKind::File && Source->FileName == StandardStream;
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
            Console.Problem(Name, ReadFailureText(E));
            return std::nullopt;
        }
    }
    return Shared;
}

}  // namespace cli
