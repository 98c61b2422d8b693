// The window's language: English under an English locale, German (its own texts, with Qt's
// German texts for the standard dialogs) under every other.
#pragma once

#include <QLocale>

// Installs the translations for Locale's language. True when they were installed.
bool InstallQtTranslations(const QLocale& Locale = QLocale::system());
// True when the window speaks English under Locale.
bool SpeaksEnglish(const QLocale& Locale);
