#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {
bool Install(const QString& Name, const QString& Folder) {
    auto* Translator = new QTranslator(QCoreApplication::instance());
    if (Translator->load(Name, Folder) && QCoreApplication::installTranslator(Translator)) return true;
    delete Translator;
    return false;
}
}  // namespace

// The first language the user reads, as the locale's messages name it.
bool SpeaksEnglish(const QLocale& Locale) {
    const QStringList Languages = Locale.uiLanguages();
    const QString First = Languages.isEmpty() ? Locale.name() : Languages.front();
    return First.startsWith("en");
}

bool InstallQtTranslations(const QLocale& Locale) {
    if (SpeaksEnglish(Locale)) return Install("stereogramm_en", ":/i18n");
    return Install("qtbase_de", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
