#include "PictureSource.h"

#include <charconv>

#include "RevealedDepthFile.h"
#include "SampleLoaders.h"

namespace {

constexpr std::string_view TextPrefix = "text:";
constexpr std::string_view RevealPrefix = "reveal:";

// "\n" to a line break and "\\" to a backslash; any other backslash stays.
std::string UnescapedWords(std::string_view Text) {
    std::string Words;
    for (std::size_t I = 0; I < Text.size(); ++I) {
        const bool Escape = Text[I] == '\\' && I + 1 < Text.size() && (Text[I + 1] == 'n' || Text[I + 1] == '\\');
        Words += Escape ? (Text[++I] == 'n' ? '\n' : '\\') : Text[I];
    }
    return Words;
}

std::string EscapedWords(std::string_view Words) {
    std::string Text;
    for (const char C : Words) Text += C == '\n' ? "\\n" : C == '\\' ? "\\\\" : std::string(1, C);
    return Text;
}

}  // namespace

std::string_view SamplePrefix(TPictureRole Role) { return Role == TPictureRole::DepthMap ? "sample:" : "texture:"; }

std::optional<TPictureSource> ParsePictureSource(std::string_view Text, TPictureRole Role) {
    if (Text.empty()) return std::nullopt;
    if (Text == "none") return TPictureSource{};
    if (Role == TPictureRole::DepthMap && Text.starts_with(TextPrefix))
        return TPictureSource{TPictureSource::TKind::Text, 0, UnescapedWords(Text.substr(TextPrefix.size()))};
    if (Role == TPictureRole::DepthMap && Text.starts_with(RevealPrefix))
        return Text.size() > RevealPrefix.size() ? std::optional(TPictureSource{TPictureSource::TKind::Reveal, 0, std::string(Text.substr(RevealPrefix.size()))})
                                                 : std::nullopt;
    const std::string_view Prefix = SamplePrefix(Role);
    if (!Text.starts_with(Prefix)) return TPictureSource{TPictureSource::TKind::File, 0, std::string(Text)};
    const std::string_view Digits = Text.substr(Prefix.size());
    int Number = 0;
    const auto [End, Error] = std::from_chars(Digits.data(), Digits.data() + Digits.size(), Number);
    if (Digits.empty() || Error != std::errc{} || End != Digits.data() + Digits.size() || !IsSampleNumber(Role, Number))
        return std::nullopt;
    return TPictureSource{TPictureSource::TKind::Sample, Number, {}};
}

std::string PictureSourceText(const TPictureSource& Source, TPictureRole Role) {
    switch (Source.From) {
        case TPictureSource::TKind::None: return "none";
        case TPictureSource::TKind::Sample: return std::string(SamplePrefix(Role)) + std::to_string(Source.Number);
        case TPictureSource::TKind::File:
            // A file called like a keyword is written as a path, so that it parses back as a file.
            if (Source.FileName == "none" || Source.FileName.starts_with(SamplePrefix(Role)) ||
                (Role == TPictureRole::DepthMap && (Source.FileName.starts_with(TextPrefix) || Source.FileName.starts_with(RevealPrefix))))
                return "./" + Source.FileName;
            return Source.FileName;
        case TPictureSource::TKind::Text: return std::string(TextPrefix) + EscapedWords(Source.FileName);
        case TPictureSource::TKind::Reveal: return std::string(RevealPrefix) + Source.FileName;
    }
    return "none";
}

TPictureRead LoadPictureSource(const TPictureSource& Source, TPictureRole Role, const TDepthShape& Shape) {
    switch (Source.From) {
        case TPictureSource::TKind::None: break;
        case TPictureSource::TKind::Sample: {
            TPictureRead Result;
            LoadSampleDepthMap(Result.Picture, SampleResourceName(Role, Source.Number));
            return Result;
        }
        case TPictureSource::TKind::File:
            if (Role == TPictureRole::DepthMap && Shape.Width > 0 && Shape.Height > 0)
                return ReadDepthFile(Source.FileName, Shape.Width, Shape.Height, Shape.View);
            return ReadPicture(Source.FileName);
        case TPictureSource::TKind::Text: {
            TPictureRead Result;
            Result.Picture.SetGraphic(
                std::make_unique<TBitmap>(RenderTextDepth(Source.FileName, Shape.Width, Shape.Height, Shape.Text, &Result.Warnings)));
            return Result;
        }
        case TPictureSource::TKind::Reveal: {
            TRevealedDepthFile Revealed = RevealDepthFile(Source.FileName, Shape.CrossEyed);
            TPictureRead Result;
            Result.Picture.SetGraphic(std::make_unique<TBitmap>(std::move(Revealed.Result.Depth)));
            Result.Warnings = std::move(Revealed.Warnings);
            return Result;
        }
    }
    return {};
}
