#include "Utf8.h"

#include <cstddef>
#include <cstdint>

namespace {

// Length of the sequence a lead byte starts, and the range its second byte must lie in to
// rule out overlong forms, surrogates and values past U+10FFFF; 0 for a byte that starts none.
struct TLead {
    int Length;
    std::uint8_t SecondMin, SecondMax;
};

TLead LeadOf(std::uint8_t Byte) {
    if (Byte < 0x80) return {1, 0, 0};
    if (Byte >= 0xC2 && Byte <= 0xDF) return {2, 0x80, 0xBF};
    if (Byte == 0xE0) return {3, 0xA0, 0xBF};
    if (Byte == 0xED) return {3, 0x80, 0x9F};
    if (Byte >= 0xE1 && Byte <= 0xEF) return {3, 0x80, 0xBF};
    if (Byte == 0xF0) return {4, 0x90, 0xBF};
    if (Byte >= 0xF1 && Byte <= 0xF3) return {4, 0x80, 0xBF};
    if (Byte == 0xF4) return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

}  // namespace

std::u32string DecodeUtf8(std::string_view Text) {
    std::u32string Result;
    Result.reserve(Text.size());
    std::size_t I = 0;
    while (I < Text.size()) {
        const auto Byte = std::uint8_t(Text[I]);
        const TLead Lead = LeadOf(Byte);
        if (Lead.Length == 1) {
            Result.push_back(Byte);
            ++I;
            continue;
        }
        bool WellFormed = Lead.Length > 0 && Text.size() - I >= std::size_t(Lead.Length);
        char32_t Code = Byte & (0x7F >> Lead.Length);
        for (int K = 1; WellFormed && K < Lead.Length; ++K) {
            const auto Next = std::uint8_t(Text[I + std::size_t(K)]);
            const std::uint8_t Min = K == 1 ? Lead.SecondMin : 0x80, Max = K == 1 ? Lead.SecondMax : 0xBF;
            WellFormed = Next >= Min && Next <= Max;
            Code = (Code << 6) | (Next & 0x3F);
        }
        if (WellFormed) {
            Result.push_back(Code);
            I += std::size_t(Lead.Length);
        } else {
            Result.push_back(ReplacementCharacter);
            ++I;
        }
    }
    return Result;
}
