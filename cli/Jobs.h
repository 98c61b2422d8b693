// The renders one command line asks for: one without FILE arguments or with one, else one
// per FILE into the output folder. Planned, with every conflict of the options found,
// before anything is read or written.
#pragma once

#include <string>
#include <vector>

#include "Options.h"
#include "PictureFormats.h"

namespace cli {

struct TJob {
    std::string DepthFile;     // the FILE argument rendered, or empty
    std::string OutputPath;    // a file, or "-" for standard output
    TFileFormat Format;        // what OutputPath is written as
    std::string DepthOutPath;  // where --depth-out writes, or empty
};

// Raises UsageError for options that do not go together: --depth with FILE arguments,
// several files without an output folder, standard input read twice or from a terminal,
// a picture for a terminal, --format for a named file, --depth-out for several files, two
// files (or a picture and its depth map) that would be written to the same name.
std::vector<TJob> PlanJobs(const Options& Parsed);

// The folder that the jobs write into, or empty when the output is a file or "-".
std::string OutputFolder(const Options& Parsed);

}  // namespace cli
