#include "AnimationInput.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "Animation.h"
#include "AnimationWriter.h"
#include "DepthVideo.h"
#include "FormatLists.h"
#include "ModelReader.h"
#include "OptionValues.h"
#include "PictureFormats.h"

namespace cli {
namespace {

std::string Quoted(std::string_view Text) { return "'" + std::string(Text) + "'"; }

// Enough of a file to tell a picture, a model and a video apart.
std::vector<std::uint8_t> FileStart(const std::string& Name) {
    constexpr std::size_t StartBytes = 4096;
    std::vector<std::uint8_t> Start(StartBytes);
    std::ifstream File(Name, std::ios::binary);
    File.read(reinterpret_cast<char*>(Start.data()), std::streamsize(Start.size()));
    Start.resize(std::size_t(std::max<std::streamsize>(File.gcount(), 0)));
    return Start;
}

// A file that cannot be read counts as a still picture, whose reading then tells why.
TDepthKind KindOfFile(const std::string& Name) {
    if (Name == StandardStream) return TDepthKind::Still;
    const std::vector<std::uint8_t> Start = FileStart(Name);
    if (Start.empty() || FormatOfContent(Start)) return TDepthKind::Still;
    if (LooksLikeModel(Start, Name)) return TDepthKind::Model;
    if (LooksLikeVideo(Start)) return TDepthKind::Video;
    return TDepthKind::Still;
}

int LastDepthAction(const Options& Parsed) {
    for (int I = int(Parsed.Settings.size()) - 1; I >= 0; --I)
        if (Parsed.Settings[std::size_t(I)].Target == Setting::DepthMap) return I;
    return -1;
}

// Written only as an animation: GIF and the video formats (WebP and folders hold stills too).
bool OnlyAnimated(const std::string& Path) {
    if (!IsAnimationPath(Path) || IsFolderPath(Path)) return false;
    std::string Extension = std::filesystem::path(Path).extension().string();
    for (char& C : Extension) C = char(std::tolower(static_cast<unsigned char>(C)));
    return !WrittenFormatOfExtension(Extension.substr(1));
}

}  // namespace

TDepthInput DepthInput(const Options& Parsed) {
    if (Parsed.Animate) return {TDepthKind::Sequence, -1, {}};
    if (const int D = LastDepthAction(Parsed); D >= 0) {
        const auto& Source = std::get<TPictureSource>(Parsed.Settings[std::size_t(D)].Value);
        if (Source.From != TPictureSource::TKind::File) return {TDepthKind::Still, D, {}};
        return {KindOfFile(Source.FileName), D, Source.FileName};
    }
    if (Parsed.Files.size() == 1) return {KindOfFile(Parsed.Files.front()), -1, Parsed.Files.front()};
    return {};
}

void CheckAnimationOptions(const Options& Parsed, const TDepthInput& Input) {
    const bool HasDepthOption = LastDepthAction(Parsed) >= 0;
    if (HasDepthOption && !Parsed.Files.empty()) throw UsageError("--depth and FILE arguments both name the depth map; give one of them");
    if (Parsed.Animate && Parsed.Files.size() < 2) throw UsageError("--animate makes the FILE arguments the frames; give two or more");
    if (!Parsed.Animate && Parsed.Files.size() > 1) throw UsageError("several FILE arguments make one animation only with --animate");
    const std::string& Out = Parsed.OutputPath;
    if (Out == StandardStream) throw UsageError("--output -: an animation is written to a file or a folder DIR/");
    if (!IsAnimationPath(Out) && !IsFolderPath(Out))
        throw UsageError("--output " + Quoted(Out) + ": an animation is written as .gif, .webp, .mp4, .webm or a folder DIR/");
    if (!Parsed.DepthOutPath.empty()) throw UsageError("--depth-out writes one depth map; it cannot serve an animation");
    if (!Parsed.Format.empty()) throw UsageError("--format: an animation's format is named by the extension of --output");
    if (Input.Kind != TDepthKind::Sequence && Input.Kind != TDepthKind::Video && Parsed.Frames == 0)
        throw UsageError("an animation needs --frames N");
}

bool AnimationAsked(const Options& Parsed) {
    if (Parsed.Action != Command::Render) return false;
    const TDepthInput Input = DepthInput(Parsed);
    if (Parsed.Frames == 0 && !Parsed.Animate && Input.Kind != TDepthKind::Video) {
        if (OnlyAnimated(Parsed.OutputPath))
            throw UsageError("--output " + Quoted(Parsed.OutputPath) + " is written only as an animation: add --frames N");
        return false;
    }
    CheckAnimationOptions(Parsed, Input);
    return true;
}

}  // namespace cli
