// The invalid-picture errors that the readers of the library-backed and our own formats
// raise: the window's German text made from the reason, the format's name and the
// decoder's own English words.
#pragma once

#include <string>
#include <string_view>

#include "Exception.h"

[[noreturn]] inline void ThrowInvalidPicture(TReadFailure Failure, std::string_view Format, std::string Detail) {
    const std::string Name(Format);
    std::string Message = Failure == TReadFailure::Unsupported ? "Nicht unterstützte " + Name + "-Datei"
                                                               : "Ungültige " + Name + "-Datei";
    throw EInvalidGraphic(std::move(Message), Failure, Name, std::move(Detail));
}
