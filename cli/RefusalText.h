// The command line's English for every coded refusal: what was refused, naming the option
// or file that causes it and what to change. One line; echoed values are shortened.
#pragma once

#include <string>

#include "Exception.h"

namespace cli {

// The generator's refusals are worded here without the run's settings; RefusalProblem
// (Refusals.h) words them with the values that cause them.
std::string RefusalText(const ERefusal& E);

}  // namespace cli
