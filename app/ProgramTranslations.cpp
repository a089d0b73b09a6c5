#include "ProgramTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallTranslations(QCoreApplication& application, const QString& programFolder, const QLocale& locale)
{
    auto* qtTexts = new QTranslator(&application);
    if (qtTexts->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qtTexts);
    } else {
        delete qtTexts;
    }

    const QDir program(programFolder);
    for (const QString& folder : {program.filePath(QStringLiteral("../share/bellwick/translations")),
                                  program.filePath(QStringLiteral("translations"))}) {
        auto* programTexts = new QTranslator(&application);
        if (programTexts->load(locale, QStringLiteral("bellwick"), QStringLiteral("_"), QDir::cleanPath(folder))) {
            QCoreApplication::installTranslator(programTexts);
            return true;
        }
        delete programTexts;
    }
    return false;
}
