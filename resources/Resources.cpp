#include "Resources.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "Exception.h"
#include "ResourceTable.h"

namespace {

bool SameIgnoringCase(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](unsigned char X, unsigned char Y) {
        return std::toupper(X) == std::toupper(Y);
    });
}

}  // namespace

std::optional<TResourceBytes> FindResource(std::string_view Type, std::string_view Name) {
    for (const TResourceEntry& Entry : ResourceTable())
        if (SameIgnoringCase(Entry.Type, Type) && SameIgnoringCase(Entry.Name, Name))
            return TResourceBytes(Entry.Begin, static_cast<std::size_t>(Entry.End - Entry.Begin));
    return std::nullopt;
}

TResourceBytes LoadResource(std::string_view Type, std::string_view Name) {
    if (auto Bytes = FindResource(Type, Name)) return *Bytes;
    throw Exception("Ressource nicht gefunden: " + std::string(Name));
}
