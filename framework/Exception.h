// The framework's exceptions: a short user-facing message, the distinct invalid-picture
// error that picture readers raise, the error of a file that cannot be opened, read or
// written, and the coded refusals of the generator, the writers and the depth sources. Message() is the window's German text; the other fields let a caller word the
// problem in its own language.
#pragma once

#include <cstdint>
#include <cstring>
#include <exception>
#include <string>
#include <utility>

class Exception : public std::exception {
public:
    explicit Exception(std::string Message) : FMessage(std::move(Message)) {}

    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

// Why a picture (or a model) could not be read.
enum class TReadFailure : std::uint8_t {
    NotAPicture,  // the content is of no format we read
    Damaged,      // a format we read, with broken data
    Unsupported,  // a format we read, using a feature we do not
    TooLarge,     // beyond the size limits
};

// A picture file or stream that is not a readable picture of its kind. Format names the
// format when it was recognised ("PNG"); Detail is the decoder's own English message, or
// the size for TooLarge.
class EInvalidGraphic : public Exception {
public:
    explicit EInvalidGraphic(std::string Message, TReadFailure Failure = TReadFailure::NotAPicture,
                             std::string Format = {}, std::string Detail = {})
        : Exception(std::move(Message)), FFailure(Failure), FFormat(std::move(Format)), FDetail(std::move(Detail)) {}

    TReadFailure Failure() const noexcept { return FFailure; }
    const std::string& Format() const noexcept { return FFormat; }
    const std::string& Detail() const noexcept { return FDetail; }

private:
    TReadFailure FFailure;
    std::string FFormat;
    std::string FDetail;
};

// A file that cannot be opened, read or written: FileName and the system's errno value.
class EFileError : public Exception {
public:
    EFileError(std::string Message, std::string FileName, int ErrorNumber)
        : Exception(std::move(Message)), FFileName(std::move(FileName)), FErrorNumber(ErrorNumber) {}

    const std::string& FileName() const noexcept { return FFileName; }
    int ErrorNumber() const noexcept { return FErrorNumber; }
    // The system's own words for ErrorNumber ("No such file or directory").
    std::string SystemReason() const { return std::strerror(FErrorNumber); }

private:
    std::string FFileName;
    int FErrorNumber;
};

// What a run, a writer or a depth source refused to do.
enum class TRefusal : std::uint8_t {
    // The generator's: no depth map, no mask where the kind needs one, depth planes that give
    // no separation, a separation wider than the picture, more samples a row than a row holds.
    EmptyDepthMap, EmptyMask, NoSeparation, SeparationTooWide, RowTooWide,
    // The writers': Subject is the format; Limit its largest side (TooLargeToWrite); Detail
    // the encoder's own English words (EncodingFailed).
    EmptyPictureToWrite, TooLargeToWrite, EncodingFailed, FormatNotWritten, UnknownFormatToWrite,
    // The text renderer's: Limit is the most characters (TextTooLong); Subject the font asked for.
    TextEmpty, TextTooLong, TextWithoutDrawableCharacter, FontNotFound, FontFileUnreadable, FontUnreadable,
    FontWithoutOutlines, FontconfigUnavailable, FreeTypeUnavailable,
    // The depth sources': a depth map asked for below 1 × 1 pixels, the model reader's child
    // process that cannot start (Detail: the system's words).
    DepthMapTooSmall, NoChildProcess,
};
inline constexpr int RefusalCount = int(TRefusal::NoChildProcess) + 1;

// The values a refusal names.
struct TRefusalValues {
    std::string Subject{};     // a format, a font, a file
    std::int64_t Limit = 0;    // the limit that was passed
    int Width = 0, Height = 0; // the size of the picture concerned
    std::string Detail{};      // a library's or the system's own English words
};

// A refusal with its code and values; Message() is the window's German text.
class ERefusal : public Exception {
public:
    ERefusal(std::string Message, TRefusal Code, TRefusalValues Values = {})
        : Exception(std::move(Message)), FCode(Code), FValues(std::move(Values)) {}

    TRefusal Code() const noexcept { return FCode; }
    const TRefusalValues& Values() const noexcept { return FValues; }

private:
    TRefusal FCode;
    TRefusalValues FValues;
};
