#include "PictureSource.h"

#include <charconv>

#include "SampleLoaders.h"

std::string_view SamplePrefix(TPictureRole Role) { return Role == TPictureRole::DepthMap ? "sample:" : "texture:"; }

std::optional<TPictureSource> ParsePictureSource(std::string_view Text, TPictureRole Role) {
    if (Text.empty()) return std::nullopt;
    if (Text == "none") return TPictureSource{};
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
            if (Source.FileName == "none" || Source.FileName.starts_with(SamplePrefix(Role))) return "./" + Source.FileName;
            return Source.FileName;
    }
    return "none";
}

TPictureRead LoadPictureSource(const TPictureSource& Source, TPictureRole Role) {
    switch (Source.From) {
        case TPictureSource::TKind::None: break;
        case TPictureSource::TKind::Sample: {
            TPictureRead Result;
            LoadSampleDepthMap(Result.Picture, SampleResourceName(Role, Source.Number));
            return Result;
        }
        case TPictureSource::TKind::File: return ReadPicture(Source.FileName);
    }
    return {};
}
