#include "FormatLists.h"

namespace cli {

std::string JoinedWithOr(const std::vector<std::string>& Words) {
    std::string Text;
    for (std::size_t I = 0; I < Words.size(); ++I)
        Text += (I == 0 ? "" : I + 1 == Words.size() ? " or " : ", ") + Words[I];
    return Text;
}

std::string ReadFormatNames() {
    std::vector<std::string> Names;
    for (const TFileFormatInfo& F : FileFormats())
        if (F.Reads) Names.emplace_back(F.Name);
    return JoinedWithOr(Names);
}

std::string WrittenExtensions() {
    std::vector<std::string> Extensions;
    for (const TFileFormatInfo& F : FileFormats())
        if (F.Writes) Extensions.emplace_back(F.Extensions.front().substr(1));
    return JoinedWithOr(Extensions);
}

std::optional<TFileFormat> WrittenFormatOfExtension(std::string_view Extension) {
    const std::optional<TFileFormat> Format = FormatOfExtension("." + std::string(Extension));
    if (Format && FormatInfo(*Format).Writes) return Format;
    return std::nullopt;
}

}  // namespace cli
