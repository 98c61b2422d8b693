#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtTranslations() {
    auto* Translator = new QTranslator(QCoreApplication::instance());
    if (Translator->load("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(Translator))
        return true;
    delete Translator;
    return false;
}
