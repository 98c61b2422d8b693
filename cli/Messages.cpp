#include "Messages.h"

#include <cerrno>
#include <new>

#include "Bitmap.h"
#include "Exception.h"
#include "FormatLists.h"
#include "OptionNames.h"
#include "Options.h"
#include "RefusalText.h"
#include "RevealFailure.h"

namespace cli {
namespace {

constexpr std::string_view ProgramPrefix = "stereogramm-cli: ";

std::string Line(std::string_view Prefix, std::string_view Subject, std::string_view Text) {
    std::string Result(Prefix);
    if (!Subject.empty()) Result.append(Subject).append(": ");
    return Result.append(Text);
}

std::string Parenthesised(const std::string& Detail) { return Detail.empty() ? "" : " (" + Detail + ")"; }

std::string InvalidPictureText(const EInvalidGraphic& E) {
    const std::string Format = E.Format().empty() ? "picture" : E.Format();
    switch (E.Failure()) {
        case TReadFailure::NotAPicture: return "not a picture in a format we read (" + ReadFormatNames() + ")";
        case TReadFailure::Damaged: return "damaged " + Format + " file" + Parenthesised(E.Detail());
        case TReadFailure::Unsupported:
            return "unsupported " + Format + " file" + Parenthesised(E.Detail()) + "; save it as an 8-bit grey or RGB " +
                   ReadFormatNames() + " file";
        case TReadFailure::TooLarge:
            return "too large" + Parenthesised(E.Detail()) + "; pictures may have " + std::to_string(MaxPictureSide) +
                   " pixels a side and " + std::to_string(MaxPictureBytes >> 20) + " MiB of pixels at most; scale it down";
    }
    return E.Detail();
}

// What an exception of our own that carries no code says: its Message() is German, so only
// that it happened is told.
std::string UncodedText(const std::exception& E, std::string_view What) {
    if (dynamic_cast<const Exception*>(&E)) return std::string(What);
    return E.what();
}

}  // namespace

std::string ProblemLine(std::string_view Subject, std::string_view Text) { return Line(ProgramPrefix, Subject, Text); }

std::string WarningLine(std::string_view Subject, std::string_view Text) {
    return Line(std::string(ProgramPrefix) + "warning: ", Subject, Text);
}

std::string SourceName(std::string_view FileName) {
    return FileName == StandardStream ? "standard input" : std::string(FileName);
}

std::string Shortened(std::string_view Text) {
    constexpr std::size_t Longest = 80;
    std::string Short(Text.substr(0, Longest));
    for (char& C : Short)
        if (C == '\n' || C == '\r') C = ' ';
    return Text.size() > Longest ? Short + "..." : Short;
}

std::string Quoted(std::string_view Text) { return "'" + Shortened(Text) + "'"; }

std::string KindName(TStereoGramType Type) { return std::string(NameOfValue<TStereoGramType>(StereoTypeNames, Type)); }

namespace {

std::string RevealFailureText(const TRevealFailure& F) {
    using TKind = TRevealFailure::TKind;
    if (F.Kind == TKind::NarrowerThanTwoRepeats)
        return "is " + std::to_string(F.Width) + " pixels wide, narrower than two repeats of " + std::to_string(F.LargestRepeat) +
               " pixels: no stereogram can be read from it";
    return "no repeating pattern found: looked for a horizontal repeat of " + std::to_string(F.SmallestRepeat) + " to " +
           std::to_string(F.LargestRepeat) + " pixels in " + std::to_string(F.RowsLooked) +
           " rows; is it a single-image stereogram?";
}

}  // namespace

std::string ReadFailureText(const std::exception& E) {
    if (const auto* File = dynamic_cast<const EFileError*>(&E)) return "cannot read it: " + File->SystemReason();
    if (const auto* Picture = dynamic_cast<const EInvalidGraphic*>(&E)) return InvalidPictureText(*Picture);
    if (dynamic_cast<const std::bad_alloc*>(&E)) return "out of memory while reading it";
    if (const auto* Refusal = dynamic_cast<const ERefusal*>(&E)) return RefusalText(*Refusal);
    if (const auto* Reveal = dynamic_cast<const TRevealFailure*>(&E)) return RevealFailureText(*Reveal);
    return UncodedText(E, "cannot read it");
}

std::string WriteFailureText(const std::exception& E) {
    if (const auto* File = dynamic_cast<const EFileError*>(&E))
        return "cannot write it: " + (File->ErrorNumber() == ENOENT ? "its folder does not exist" : File->SystemReason());
    if (dynamic_cast<const std::bad_alloc*>(&E)) return "out of memory while writing it";
    if (const auto* Refusal = dynamic_cast<const ERefusal*>(&E)) return RefusalText(*Refusal);
    return UncodedText(E, "cannot write it");
}

}  // namespace cli
