// Pictures through pipes: the whole of standard input read once, a file's bytes written to
// standard output.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace cli {

// Everything on standard input. More than any picture within the size limits can need
// raises EInvalidGraphic (TooLarge); a read error raises EFileError for "-".
std::vector<std::uint8_t> ReadStandardInput();

// Raises EFileError for "-" when not every byte could be written.
void WriteStandardOutput(std::span<const std::uint8_t> Bytes);

bool StandardInputIsTerminal();
bool StandardOutputIsTerminal();
bool StandardErrorIsTerminal();

}  // namespace cli
