// The framework's exceptions: a short user-facing message, and the distinct
// invalid-picture error that picture readers raise.
#pragma once

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

// A picture file or stream that is not a readable picture of its kind.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};
