// The application object: the hooks through which code below the window reaches the
// front end (handling waiting window messages, showing an exception) and its title.
#pragma once

#include <functional>
#include <string>

#include "Exception.h"

class TApplication {
public:
    using TProcessMessagesHook = std::function<void()>;
    using TShowExceptionHook = std::function<void(const Exception&)>;

    // Handles every waiting window message; does nothing until a front end installs a hook.
    void ProcessMessages() const {
        if (FProcessMessages) FProcessMessages();
    }
    // Shows an exception to the user; without a hook the message goes to standard error.
    void ShowException(const Exception& E) const;

    void SetProcessMessagesHook(TProcessMessagesHook Hook) { FProcessMessages = std::move(Hook); }
    void SetShowExceptionHook(TShowExceptionHook Hook) { FShowException = std::move(Hook); }

    const std::string& Title() const { return FTitle; }
    void SetTitle(std::string Value) { FTitle = std::move(Value); }

private:
    TProcessMessagesHook FProcessMessages;
    TShowExceptionHook FShowException;
    std::string FTitle;
};

extern TApplication* const Application;

// The text a message box shows for an exception: its message, with a full stop added when
// the last character sorts after '.'.
std::string ExceptionDisplayText(const Exception& E);
