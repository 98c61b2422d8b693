#include "HelpText.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "FormatLists.h"
#include "OptionTable.h"
#include "SampleCatalog.h"
#include "SettingHelp.h"

namespace cli {
namespace {

constexpr const char* HelpIntroduction = R"(Usage: stereogramm-cli [OPTION]... [FILE]...
Render an autostereogram from a grey depth map: black is far, lighter is nearer.

The tool starts from the settings the window starts with (each setting's start
is given below). Setting options are then applied in the order given, each with
the generator's own limits and side effects: '--type textured --oversampling 4'
gives oversampling 4, while '--oversampling 4 --type fast-random-dot' leaves 1
(random dots have no oversampling). So order matters: give --dpi before --paper
(--dpi 300 --paper A4) and the look of a model or text before it (--rotate
0,180,0 --depth model.stl). A value may also be joined to its option:
--width=300. A value the generator changes or ignores, and an option that comes
too late to change anything, is warned about.

Each FILE is a depth map rendered on its own with the same options, as if
'--depth FILE' came before all of them (so --depth and FILE exclude each other);
with several files -o names a folder, and each PNG's "Options" replay its file.
)";

constexpr const char* HelpNotes = R"(
--invert-depth and --fit act on the depth map the run uses, wherever they stand:
a map is inverted as it is read, then fitted once every setting is applied, to
the final width and height, so that the black border stays far. colored-dot
takes its size from the depth map loaded before '--type colored-dot', and a
later, smaller map does not shrink it: give --depth first to use the new map's
size (with --fit the map is scaled to the size colored-dot took).

A text: or model depth map is drawn at the width and height set before it, as
the --font, --text-profile, --camera and --rotate before it say; a FILE that is
a model is drawn at the start size, as all of them say. --paper sizes the output
at the --dpi before it; --landscape after it turns it on its side.

Standard input (-) can serve one of --depth and --mask. -o - writes the picture
to standard output, which must not be a terminal; the progress bar is off then.
)";

constexpr const char* HelpExitStatus = R"(
Exit status: 0 every picture was written; 1 a run was refused, an input could
not be read or an output not written (that picture is not written; a batch goes
on with the other files); 2 a usage error (nothing is read or written).
)";

// Options start in this column; a longer name and value put the help on the next line.
constexpr std::size_t HelpColumn = 34;

// Help of at most HelpWidth characters a line, broken at spaces.
constexpr std::size_t HelpWidth = 46;

std::string Wrapped(std::string_view Help) {
    std::string Text, Line;
    for (std::size_t From = 0; From <= Help.size();) {
        const std::size_t Space = std::min(Help.find(' ', From), Help.size());
        const std::string_view Word = Help.substr(From, Space - From);
        if (!Line.empty() && Line.size() + 1 + Word.size() > HelpWidth) {
            Text += Line + "\n";
            Line.clear();
        }
        Line += (Line.empty() ? "" : " ") + std::string(Word);
        From = Space + 1;
    }
    return Text + Line;
}

void AppendOption(std::string& Text, const OptionSpec& Entry) {
    std::string Line = "  " + (Entry.Short.empty() ? std::string(4, ' ') : std::string(Entry.Short) + ", ") + std::string(Entry.Long);
    if (!Entry.ValueName.empty()) Line += " " + std::string(Entry.ValueName);
    Line += Line.size() + 1 < HelpColumn ? std::string(HelpColumn - Line.size(), ' ') : "\n" + std::string(HelpColumn, ' ');
    const std::string Help = Entry.Entry ? Wrapped(SettingHelp(*Entry.Entry)) : std::string(Entry.Help);
    for (const char C : Help) Line += C == '\n' ? "\n" + std::string(HelpColumn, ' ') : std::string(1, C);
    Text += Line + "\n";
}

}  // namespace

std::string HelpText() {
    std::string Text = HelpIntroduction;
    bool First = true;
    OptionGroup Group{};
    for (const OptionSpec& Entry : OptionTable()) {
        if (First || Entry.Group != Group) Text += "\n" + std::string(GroupHeading(Entry.Group)) + ":\n";
        First = false;
        Group = Entry.Group;
        AppendOption(Text, Entry);
    }
    Text += HelpNotes;
    Text += "\nFormats read, known by their content: " + ReadFormatNames() + ".\nFormats written, chosen by extension or --format: " +
            WrittenExtensions() + ".\n";
    return Text + HelpExitStatus;
}

std::string ProgramVersion() { return "stereogramm-cli " STEREOGRAMM_VERSION; }

namespace {

void AppendSamples(std::string& Text, const char* Heading, std::span<const resources::SampleInfo> Samples) {
    Text += Heading;
    for (const resources::SampleInfo& S : Samples) {
        char Line[160];
        std::snprintf(Line, sizeof Line, "  %3d  %4d x %-4d  %s\n", S.Number, S.Width, S.Height, S.Subject);
        Text += Line;
    }
}

}  // namespace

std::string SampleListText() {
    std::string Text;
    AppendSamples(Text, "Depth maps (--depth sample:N):\n", resources::DepthMapSamples());
    AppendSamples(Text, "Textures (--mask texture:N):\n", resources::TextureSamples());
    return Text;
}

}  // namespace cli
