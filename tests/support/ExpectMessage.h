// Asserting an error's text as well as its type: the messages are part of the contract.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Exception.h"

// The message of the Exception that Action raises, "(nothing raised)" when it raises none.
inline std::string MessageOf(const std::function<void()>& Action) {
    try {
        Action();
    } catch (const Exception& E) {
        return E.Message();
    }
    return "(nothing raised)";
}

// Statement must raise ExceptionType (or a subclass) whose message is Text.
#define EXPECT_THROW_MSG(Statement, ExceptionType, Text)                              \
    do {                                                                             \
        try {                                                                        \
            Statement;                                                               \
            ADD_FAILURE() << "expected " #ExceptionType ": " << (Text);              \
        } catch (const ExceptionType& ThrownError) {                                 \
            EXPECT_EQ(ThrownError.Message(), (Text));                                \
        }                                                                            \
    } while (false)
