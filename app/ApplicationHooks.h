// Connects the framework's application object to Qt: waiting messages are handled by Qt's
// event processing (at most every few milliseconds), exceptions are shown in a modal
// message box.
#pragma once

class Exception;

void InstallApplicationHooks();
// A modal message box with a stop icon, captioned with the application title.
void ShowExceptionBox(const Exception& E);
