// Program start: the application, its title, hooks and Qt's German texts, the main window,
// the message loop.
#include <QApplication>

#include "Application.h"
#include "ApplicationHooks.h"
#include "QtTranslations.h"
#include "ustereo.h"

int main(int argc, char** argv) {
    // The window is laid out in screen pixels; it is never scaled.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication App(argc, argv);
    QApplication::setApplicationName("stereogramm");
    QGuiApplication::setDesktopFileName("stereogramm");
    Application->SetTitle("Stereogramm");
    InstallApplicationHooks();
    InstallQtTranslations();

    Tfstereo fstereo;
    fstereo.show();
    return QApplication::exec();
}
