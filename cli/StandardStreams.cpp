#include "StandardStreams.h"

#include <unistd.h>

#include <cerrno>
#include <string>

#include "Exception.h"

namespace cli {
namespace {

// As for files: no picture within the size limits needs more.
constexpr std::size_t MaxInputBytes = std::size_t(512) * 1024 * 1024;

}  // namespace

std::vector<std::uint8_t> ReadStandardInput() {
    std::vector<std::uint8_t> Bytes;
    std::uint8_t Block[65536];
    for (;;) {
        const ssize_t Read = ::read(STDIN_FILENO, Block, sizeof Block);
        if (Read < 0 && errno == EINTR) continue;
        if (Read < 0) throw EFileError("cannot read standard input", "-", errno);
        if (Read == 0) return Bytes;
        if (Bytes.size() + std::size_t(Read) > MaxInputBytes)
            throw EInvalidGraphic("standard input is too large", TReadFailure::TooLarge, {}, "more than " + std::to_string(MaxInputBytes) + " bytes");
        Bytes.insert(Bytes.end(), Block, Block + Read);
    }
}

void WriteStandardOutput(std::span<const std::uint8_t> Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(STDOUT_FILENO, Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR) continue;
        if (Written <= 0) throw EFileError("cannot write standard output", "-", Written < 0 ? errno : EIO);
        Bytes = Bytes.subspan(std::size_t(Written));
    }
}

bool StandardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }
bool StandardOutputIsTerminal() { return ::isatty(STDOUT_FILENO) == 1; }
bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace cli
