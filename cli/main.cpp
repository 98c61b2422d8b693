// stereogramm-cli: renders stereograms from the command line (see --help).
#include <string>
#include <vector>

#include "MemoryReuse.h"
#include "Run.h"

int main(int argc, char** argv) {
    KeepFreedMemory();
    const std::vector<std::string> Args(argv + 1, argv + argc);
    return cli::Run(Args);
}
