#include "Messages.h"

#include <array>
#include <cerrno>
#include <new>

#include "Bitmap.h"
#include "Exception.h"
#include "FormatLists.h"
#include "Options.h"

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

// The text and font renderer's own texts, each a start followed by what it names.
struct TTextFailure {
    std::string_view Engine, English;
};

constexpr std::array TextFailures{
    TTextFailure{"Text ist leer", "the text is empty; give words after text:"},
    TTextFailure{"Text ist zu lang", "the text is too long"},
    TTextFailure{"Text enthält kein darstellbares Zeichen", "the text has no character an installed font can draw"},
    TTextFailure{"Schriftart nicht gefunden: ", "font not found (see fc-list, or give a font file): "},
    TTextFailure{"Schriftdatei kann nicht geöffnet werden: ", "the font file cannot be opened: "},
    TTextFailure{"Schriftart kann nicht geöffnet werden: ", "the font cannot be opened: "},
    TTextFailure{"Schriftart hat keine Umrisse: ", "the font has no outlines, give a scalable font: "},
    TTextFailure{"Schriftenverwaltung (fontconfig) kann nicht gestartet werden", "fontconfig cannot be started"},
    TTextFailure{"Schriftbibliothek (FreeType) kann nicht gestartet werden", "FreeType cannot be started"},
};

// "Text ist zu lang (höchstens 200 Zeichen)" reads "the text is too long (200 characters at most)".
std::string TextFailureText(const std::string& Message) {
    for (const TTextFailure& Failure : TextFailures) {
        if (!Message.starts_with(Failure.Engine)) continue;
        std::string Rest = Message.substr(Failure.Engine.size());
        constexpr std::string_view AtMost = " (höchstens ", Characters = " Zeichen)";
        if (Rest.starts_with(AtMost) && Rest.ends_with(Characters))
            Rest = " (" + Rest.substr(AtMost.size(), Rest.size() - AtMost.size() - Characters.size()) + " characters at most)";
        return std::string(Failure.English) + Rest;
    }
    return Message;
}

}  // namespace

std::string ProblemLine(std::string_view Subject, std::string_view Text) { return Line(ProgramPrefix, Subject, Text); }

std::string WarningLine(std::string_view Subject, std::string_view Text) {
    return Line(std::string(ProgramPrefix) + "warning: ", Subject, Text);
}

std::string SourceName(std::string_view FileName) {
    return FileName == StandardStream ? "standard input" : std::string(FileName);
}

std::string ReadFailureText(const std::exception& E) {
    if (const auto* File = dynamic_cast<const EFileError*>(&E)) return "cannot read it: " + File->SystemReason();
    if (const auto* Picture = dynamic_cast<const EInvalidGraphic*>(&E)) return InvalidPictureText(*Picture);
    if (dynamic_cast<const std::bad_alloc*>(&E)) return "out of memory while reading it";
    return TextFailureText(E.what());
}

std::string WriteFailureText(const std::exception& E) {
    if (const auto* File = dynamic_cast<const EFileError*>(&E))
        return "cannot write it: " + (File->ErrorNumber() == ENOENT ? "its folder does not exist" : File->SystemReason());
    if (dynamic_cast<const std::bad_alloc*>(&E)) return "out of memory while writing it";
    return E.what();
}

}  // namespace cli
