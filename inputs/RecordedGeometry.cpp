#include "RecordedGeometry.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <span>
#include <vector>

#include "PaperSizes.h"
#include "SettingsTable.h"
#include "ShellWord.h"
#include "StartSettings.h"

namespace {

struct TUnreadable {
    std::string Problem;
};

template <class T>
T WholeText(std::string_view Text, std::string_view Option) {
    T Value{};
    const auto [Stop, Error] = std::from_chars(Text.data(), Text.data() + Text.size(), Value);
    if (Text.empty() || Error != std::errc{} || Stop != Text.data() + Text.size() || !std::isfinite(double(Value)))
        throw TUnreadable{std::string(Option) + ": '" + std::string(Text) + "' is not a number"};
    return Value;
}

// Text as the value Entry's setter takes.
TSettingValue ValueOf(const TSettingEntry& Entry, std::string_view Text) {
    switch (Entry.Kind) {
        case TSettingKind::Integer:
        case TSettingKind::Count: return WholeText<int>(Text, Entry.Option);
        case TSettingKind::Number: return WholeText<double>(Text, Entry.Option);
        case TSettingKind::Choice:
            if (const std::optional<int> Choice = ChoiceValue(Entry, Text)) return *Choice;
            break;
        case TSettingKind::Paper:
            if (PaperOfName(Text)) return std::string(Text);
            break;
        case TSettingKind::Flag: return true;
        default: return {};  // pictures, fonts and turns set no geometry
    }
    throw TUnreadable{std::string(Entry.Option) + ": '" + std::string(Text) + "' is not one of its names"};
}

class TRecordReader {
public:
    TRecordReader(std::span<const std::string> Words, int Width, int Height) : FWords(Words) {
        FPlaceholder.SetGraphic(std::make_unique<TBitmap>(Width, Height, pf24bit));
        ApplyStartSettings(FGenerator);
    }

    TRevealGeometry Read() {
        while (FNext < FWords.size()) ReadOption(FWords[FNext++]);
        return {FGenerator.SeparationTable(), FGenerator.Oversampling(), FGenerator.CrossEyed()};
    }

private:
    void ReadOption(std::string_view Word) {
        const std::size_t Equals = Word.find('=');
        const TSettingEntry* Entry = Word.starts_with("--") ? FindSetting(Word.substr(0, Equals)) : nullptr;
        if (!Entry) {
            // Another option (--seed N, --animate FILE …) or a FILE: it and the words after it
            // that are no option set nothing here.
            while (FNext < FWords.size() && !FWords[FNext].starts_with("--")) ++FNext;
            return;
        }
        std::string_view Text;
        if (Equals != std::string_view::npos) Text = Word.substr(Equals + 1);
        else if (!Entry->ValueName.empty()) {
            if (FNext == FWords.size()) throw TUnreadable{std::string(Entry->Option) + ": missing value"};
            Text = FWords[FNext++];
        }
        Apply(*Entry, Text);
    }

    void Apply(const TSettingEntry& Entry, std::string_view Text) {
        if (Entry.Id == TSettingId::DepthMap) FGenerator.SetDepthMap(FPlaceholder);
        else if (Entry.Id == TSettingId::MaskMap) FGenerator.SetMaskMap(FNothing);
        else if (Entry.Apply && Entry.Target == TSettingTarget::Generator) Entry.Apply(FGenerator, ValueOf(Entry, Text));
    }

    std::span<const std::string> FWords;
    std::size_t FNext = 0;
    TPicture FPlaceholder, FNothing;
    TStereogram FGenerator{nullptr};
};

}  // namespace

TRecordedGeometry RecordedGeometry(const TPngTextChunks& Text, int Width, int Height) {
    const auto Chunk = std::ranges::find(Text, std::string("Options"), &TPngTextChunks::value_type::first);
    if (Chunk == Text.end()) return {};
    const std::optional<std::vector<std::string>> Words = SplitShellWords(Chunk->second);
    if (!Words) return {std::nullopt, "its recorded options end inside a quote"};
    try {
        return {TRecordReader(*Words, Width, Height).Read(), {}};
    } catch (const TUnreadable& Unreadable) {
        return {std::nullopt, "its recorded options do not read: " + Unreadable.Problem};
    }
}
