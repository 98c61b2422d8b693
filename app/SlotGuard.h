// Every slot body runs through RunGuarded, so that no exception crosses Qt's event loop:
// whatever leaves the body is shown in the application's message box.
#pragma once

#include <QtGlobal>
#include <exception>

#include "Application.h"

template <class Body>
void RunGuarded(Body&& Run) {
    try {
        Run();
    } catch (const Exception& E) {
        Application->ShowException(E);
    } catch (const std::exception& E) {
        Application->ShowException(Exception(E.what()));
    } catch (...) {
        Application->ShowException(Exception(QT_TRANSLATE_NOOP("Exception", "Unbekannter Fehler")));
    }
}
