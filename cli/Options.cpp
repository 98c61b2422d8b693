#include "Options.h"

#include "Messages.h"
#include "OptionTable.h"

namespace cli {
namespace {

// Reads the argument list one option at a time. A value is either joined to its option
// (--width=200, -j2) or the next argument (--width 200, also when it starts with '-').
// An argument that is no option is a FILE; after "--" every argument is one.
class Parser {
public:
    explicit Parser(std::span<const std::string> Args) : FArgs(Args) {}

    Options Run() {
        Options Result;
        bool OnlyFiles = false;
        while (FNext < FArgs.size()) {
            const std::string_view Arg = FArgs[FNext++];
            if (OnlyFiles || Arg == StandardStream || !Arg.starts_with('-')) {
                Result.Files.emplace_back(Arg);
                continue;
            }
            if (Arg == "--") {
                OnlyFiles = true;
                continue;
            }
            const OptionSpec& Entry = Split(Arg);
            Entry.Read(Result, Entry, Entry.ValueName.empty() ? NoValue(Entry) : Value(Entry));
            if (Entry.EndsParse) break;
        }
        return Result;
    }

private:
    // Finds the option Arg names and keeps a value joined to it.
    const OptionSpec& Split(std::string_view Arg) {
        FJoinedValue.reset();
        std::string_view Name = Arg;
        if (!Arg.starts_with("--") && Arg.size() > 2) {
            // A short option with its value joined: only one that takes a value.
            const OptionSpec* Entry = FindOption(Arg.substr(0, 2));
            if (!Entry || Entry->ValueName.empty()) throw UsageError("unknown option " + Quoted(Arg));
            FJoinedValue = Arg.substr(2);
            return *Entry;
        }
        if (const auto Equals = Arg.find('='); Equals != std::string_view::npos) {
            Name = Arg.substr(0, Equals);
            FJoinedValue = Arg.substr(Equals + 1);
        }
        const OptionSpec* Entry = FindOption(Name);
        if (!Entry) throw UsageError("unknown option " + Quoted(Name));
        return *Entry;
    }

    std::string_view Value(const OptionSpec& Entry) {
        if (FJoinedValue) return *FJoinedValue;
        if (FNext == FArgs.size()) throw UsageError(std::string(Entry.Long) + ": missing value");
        return FArgs[FNext++];
    }

    std::string_view NoValue(const OptionSpec& Entry) const {
        if (FJoinedValue) throw UsageError(std::string(Entry.Long) + ": takes no value");
        return {};
    }

    std::span<const std::string> FArgs;
    std::size_t FNext = 0;
    std::optional<std::string_view> FJoinedValue;
};

}  // namespace

Options ParseOptions(std::span<const std::string> Args) { return Parser(Args).Run(); }

}  // namespace cli
