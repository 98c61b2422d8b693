// The framework's exceptions: a short user-facing message, the distinct invalid-picture
// error that picture readers raise, and the error of a file that cannot be opened, read or
// written. Message() is the window's German text; the other fields let a caller word the
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
