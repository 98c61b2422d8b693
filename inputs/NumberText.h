// Numbers as the front ends print them.
#pragma once

#include <charconv>
#include <string>

// The shortest text that reads back as the same double, for reports that are read back.
inline std::string NumberText(double Value) {
    char Text[32];
    const auto Result = std::to_chars(Text, Text + sizeof Text, Value);
    return {Text, Result.ptr};
}

// Six significant digits, for messages: 0.398 rather than 0.3979999999999997.
inline std::string RoundedNumberText(double Value) {
    char Text[32];
    const auto Result = std::to_chars(Text, Text + sizeof Text, Value, std::chars_format::general, 6);
    return {Text, Result.ptr};
}

