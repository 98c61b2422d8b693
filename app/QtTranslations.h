// Qt's own texts (the standard dialogs, their buttons and messages) in German, as the rest
// of the program speaks.
#pragma once

// Loads Qt's German translation from Qt's translations folder; false when it is not
// installed, and Qt's texts stay English.
bool InstallQtTranslations();
