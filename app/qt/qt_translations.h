#pragma once

#include <QLocale>

class QCoreApplication;

namespace selenarc {

// Qt's own texts (file and print dialogs, the context menu of a field, standard buttons) in French
// when the user's language is French and Qt's French catalogue is installed (Debian:
// qt6-translations-l10n). The program's own texts are French whatever the language.
// Returns whether a catalogue was installed.
bool installQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());

}  // namespace selenarc
