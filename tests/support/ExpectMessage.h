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

// Action must raise EInvalidGraphic for that reason, naming Format, with an English detail
// (Detail itself, when given).
inline testing::AssertionResult RaisesInvalidGraphic(const std::function<void()>& Action, TReadFailure Failure,
                                                     const std::string& Format, const std::string& Detail = {}) {
    try {
        Action();
    } catch (const EInvalidGraphic& E) {
        if (E.Failure() == Failure && E.Format() == Format && !E.Detail().empty() && (Detail.empty() || E.Detail() == Detail))
            return testing::AssertionSuccess();
        return testing::AssertionFailure() << "raised reason " << int(E.Failure()) << ", format \"" << E.Format()
                                           << "\", detail \"" << E.Detail() << "\"";
    }
    return testing::AssertionFailure() << "nothing raised";
}
