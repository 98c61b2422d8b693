// The model reader's refusals: a German message for the window, the reason, the format
// and the reader's own English words.
#pragma once

#include <string>

#include "Exception.h"

[[noreturn]] void RefuseModel(TReadFailure Failure, const std::string& Name, const std::string& Format, const std::string& Detail);

// A model that was read but holds no triangle to draw ("Modell enthält keine Dreiecke").
[[noreturn]] void RefuseEmptyModel(const std::string& Name, const std::string& Format, const std::string& Detail);
