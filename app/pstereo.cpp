// Program start: the application, its title, hooks and Qt's German texts, the main window
// with the files it was given (a depth map, then a texture), the message loop.
#include <QApplication>

#include "Application.h"
#include "ApplicationHooks.h"
#include "MemoryReuse.h"
#include "QtTranslations.h"
#include "ustereo.h"

int main(int argc, char** argv) {
    KeepFreedMemory();
    // The window is laid out in screen pixels; it is never scaled.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication App(argc, argv);
    QApplication::setApplicationName("stereogramm");
    QGuiApplication::setDesktopFileName("stereogramm");
    Application->SetTitle("Stereogramm");
    InstallApplicationHooks();
    InstallQtTranslations();

    Tfstereo fstereo;
    fstereo.SetStartFiles(QApplication::arguments().mid(1, 2));
    fstereo.show();
    return QApplication::exec();
}
