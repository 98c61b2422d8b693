#include "HelpText.h"

#include <cstdio>
#include <span>

#include "SampleCatalog.h"

namespace cli {

std::string HelpText() {
    return R"(Usage: stereogramm-cli [OPTION]...
Render an autostereogram from a grey depth map (black is far, lighter is nearer).

The tool starts from the settings the window starts with: kind textured, no blur,
black-and-white dots, dot intensity 50, oversampling 4, viewing distance 14,
far plane 14, near plane 8 (inches), 72 dpi, 800 x 500 pixels, depth map
sample:1 and texture texture:1. Setting options are then applied in the order
given, each with the generator's own limits and side effects: for example
'--type textured --oversampling 4' gives oversampling 4, while
'--oversampling 4 --type fast-random-dot' leaves 1 (random dots have no
oversampling), and '--width 0' gives 600. A value may also be joined to its
option: --width=300.

Pictures:
  --depth FILE|sample:N|none     depth map: a BMP, JPEG or PNG file, a built-in
                                 sample (1 to 28) or nothing
  --mask FILE|texture:N|none     texture of the textured kind and colour source of
                                 colored-dot: a file, a built-in texture (1 to 14)
                                 or nothing
Settings:
  --type KIND                    fast-random-dot, colored-dot, random-dot-textured
                                 or textured; colored-dot takes the depth map's size
  --blur STRENGTH                none, light, medium or heavy depth jitter
  --dot-color COLOR              black-white or rgb random dots
  --dot-intensity N              share of black dots in percent (1 to 99)
  --oversampling N               samples per pixel of the textured kinds (1 to 8)
  --observ-distance X            viewing distance in inches
  --max-depth X                  far plane in inches behind the picture
  --min-depth X                  near plane in inches behind the picture
  --dpi N                        output pixels per inch (at least 10; a value
                                 above the width or height becomes half of it)
  --width N                      output width (1 to 1024; below 1 gives 600)
  --height N                     output height (1 to 800; below 1 gives 600)
  --separation N                 far-plane separation in pixels; sets the far
                                 plane (ignored unless 0 < N < dpi x 2.5)
Run and output:
  --seed N                       seed of the random dots (0 to 4294967295); the
                                 same seed and settings give the same file.
                                 Without it the time of day seeds the run.
  -o, --output FILE              output file, .png, .bmp (24-bit) or .ppm (P6);
                                 default stereogram.png. A PNG keeps the program
                                 version and the options (seed included) in its
                                 text chunks "Software" and "Options".
  --print-settings               print the resulting settings as key=value lines
                                 (separation as the run would use it) and render
                                 nothing
  --list-samples                 list the built-in depth maps and textures
  -q, --quiet                    no progress bar and no summary line
  -h, --help                     show this help
      --version                  show the version

Exit status: 0 the file was written; 1 the run was refused or an input could not
be read or the output not written (nothing is written then); 2 a usage error.
)";
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
