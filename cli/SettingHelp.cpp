#include "SettingHelp.h"

#include <vector>

#include "NumberText.h"
#include "OptionValues.h"
#include "PaperSizes.h"

namespace cli {
namespace {

// "a, b or c".
std::string Alternatives(const std::vector<std::string>& Names) {
    std::string Text;
    for (std::size_t I = 0; I < Names.size(); ++I) Text += (I == 0 ? "" : I + 1 == Names.size() ? " or " : ", ") + Names[I];
    return Text;
}

std::string ChoiceList(const TSettingEntry& Entry) {
    std::vector<std::string> Names;
    for (const TChoiceName& Choice : Entry.Choices) Names.emplace_back(Choice.Name);
    if (Entry.Kind == TSettingKind::Paper) {
        const std::string All = PaperNames();
        for (std::size_t From = 0, To; From < All.size(); From = To + 2) {
            To = std::min(All.find(", ", From), All.size());
            Names.push_back(All.substr(From, To - From));
        }
    }
    return Alternatives(Names);
}

// What the setting starts with, where that says something.
std::string StartText(const TSettingEntry& Entry) {
    const TSettingValue Start = StartValue(Entry);
    if (std::holds_alternative<std::monostate>(Start) || std::holds_alternative<bool>(Start)) return {};
    return "start " + SettingValueText(Entry, Start);
}

}  // namespace

std::string RangeText(const TSettingEntry& Entry) {
    const TSettingRange& R = Entry.Range;
    switch (R.Rule) {
        case TRangeRule::None: break;
        case TRangeRule::Clamped: return std::to_string(R.Min) + " to " + std::to_string(R.Max);
        case TRangeRule::SideOfLimit:
            return std::to_string(R.Min) + " to " + std::to_string(R.Max) + ", or " + std::to_string(R.LargeMax) +
                   " after --large; below " + std::to_string(R.Min) + " gives " + std::to_string(R.Fallback);
        case TRangeRule::DpiOfSize:
            return "at least " + std::to_string(R.Min) + "; a value above the width or height becomes half of it";
        case TRangeRule::BelowEyes:
            return "ignored unless " + std::to_string(R.Min - 1) + " < N < dpi x " +
                   NumberText(double(TStereogram::EyeDistanceInches));
    }
    if (Entry.Kind == TSettingKind::DepthSource) return SampleRange(TPictureRole::DepthMap);
    if (Entry.Kind == TSettingKind::MaskSource) return SampleRange(TPictureRole::Texture);
    return {};
}

std::string SettingHelp(const TSettingEntry& Entry) {
    std::string Text(Entry.Help);
    if (const std::string Choices = ChoiceList(Entry); !Choices.empty()) Text += ": " + Choices;
    std::string Details;
    for (const std::string& Part : {RangeText(Entry), std::string(Entry.Note), StartText(Entry)})
        if (!Part.empty()) Details += (Details.empty() ? "" : "; ") + Part;
    return Details.empty() ? Text : Text + " (" + Details + ")";
}

}  // namespace cli
