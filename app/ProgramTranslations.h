#pragma once

#include <QLocale>
#include <QString>

class QCoreApplication;

// Puts the program's texts into the user's language when a translation for it is there:
// bellwick_<language>.qm in share/bellwick/translations beside the program's bin folder (installed, or
// the build folder, which mirrors that layout) or in translations/ beside the program. Qt's own texts
// (the buttons of the standard dialogs) follow from Qt's translations where those are installed.
// Returns whether the program's translation was found; without one the English texts stay.
bool InstallTranslations(QCoreApplication& application, const QString& programFolder,
                         const QLocale& locale = QLocale());
