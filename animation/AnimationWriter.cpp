#include "AnimationWriter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "AnimationFormats.h"
#include "Exception.h"

namespace {

enum class TAnimationFormat { None, Gif, WebP, Mp4, WebM, PngFolder };

TAnimationFormat FormatOfPath(const std::string& Path) {
    if (!Path.empty() && Path.back() == '/') return TAnimationFormat::PngFolder;
    std::string Extension = std::filesystem::path(Path).extension().string();
    std::transform(Extension.begin(), Extension.end(), Extension.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    if (Extension == ".gif") return TAnimationFormat::Gif;
    if (Extension == ".webp") return TAnimationFormat::WebP;
    if (Extension == ".mp4") return TAnimationFormat::Mp4;
    if (Extension == ".webm") return TAnimationFormat::WebM;
    return TAnimationFormat::None;
}

}  // namespace

bool IsAnimationPath(const std::string& Path) { return FormatOfPath(Path) != TAnimationFormat::None; }

std::unique_ptr<TAnimationWriter> OpenAnimationWriter(const std::string& Path, const TAnimationSettings& Settings) {
    if (Settings.Width < 1 || Settings.Height < 1 || !(Settings.Fps > 0))
        throw Exception("Animation ohne Bildgröße oder Bildrate: " + Path);
    switch (FormatOfPath(Path)) {
        case TAnimationFormat::Gif: return OpenGifWriter(Path, Settings);
        case TAnimationFormat::WebP: return OpenWebPWriter(Path, Settings);
        case TAnimationFormat::Mp4: return OpenVideoWriter(Path, Settings, false);
        case TAnimationFormat::WebM: return OpenVideoWriter(Path, Settings, true);
        case TAnimationFormat::PngFolder: return OpenPngFolderWriter(Path, Settings);
        case TAnimationFormat::None: break;
    }
    throw Exception("Unbekanntes Animationsformat: " + Path);
}
