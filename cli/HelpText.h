// The fixed texts of --help, --version and --list-samples.
#pragma once

#include <string>

namespace cli {

std::string HelpText();
// "stereogramm-cli" and the version, e.g. "stereogramm-cli 1.0.0".
std::string ProgramVersion();
// The built-in depth maps and textures with number, size and subject.
std::string SampleListText();

}  // namespace cli
