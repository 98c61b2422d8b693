#include "Application.h"

#include <cstdio>

namespace {
TApplication TheApplication;
}

TApplication* const Application = &TheApplication;

void TApplication::ShowException(const Exception& E) const {
    if (FShowException)
        FShowException(E);
    else
        std::fprintf(stderr, "%s\n", ExceptionDisplayText(E).c_str());
}

std::string ExceptionDisplayText(const Exception& E) {
    std::string Text = E.Message();
    if (!Text.empty() && static_cast<unsigned char>(Text.back()) > '.') Text += '.';
    return Text;
}
