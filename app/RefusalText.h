// The window's words for what went wrong: a refusal worded from its code and values, in
// German, and in English under an English locale through the translation files.
#pragma once

#include <QString>
#include <exception>

#include "Exception.h"

QString RefusalText(const ERefusal& E);

// The text the window shows for E: a refusal from its code, another exception's fixed
// message through its translation, anything else as it is.
QString FailureText(const std::exception& E);
