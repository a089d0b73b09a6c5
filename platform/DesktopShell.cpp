#include "DesktopShell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

bool DesktopShell::Open(const QString& target, const QString& parameters)
{
    if (target.isEmpty()) {
        return false;
    }
    const QString program = FindProgram(target);
    if (!program.isEmpty()) {
        return QProcess::startDetached(program, QProcess::splitCommand(parameters));
    }
    if (IsAddress(target)) {
        return QDesktopServices::openUrl(QUrl(target));
    }
    // The desktop's handler would be started for a file that is not there, and fail out of sight.
    const QFileInfo file(target);
    return file.exists() && QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

QString DesktopShell::FindProgram(const QString& target)
{
    const QFileInfo file(target);
    if (file.isFile() && file.isExecutable()) {
        return file.absoluteFilePath();
    }
    // A bare name is looked for on PATH, as a command line would; a name with a folder never is.
    if (!target.contains(QLatin1Char('/')) && !target.contains(QLatin1Char('\\'))) {
        return QStandardPaths::findExecutable(target);
    }
    return {};
}

bool DesktopShell::IsAddress(const QString& target)
{
    const qsizetype colon = target.indexOf(QLatin1Char(':'));
    if (colon < 2 || !target.at(0).isLetter()) {
        return false;
    }
    for (qsizetype i = 1; i < colon; ++i) {
        const QChar c = target.at(i);
        if (!c.isLetterOrNumber() && c != QLatin1Char('+') && c != QLatin1Char('-') && c != QLatin1Char('.')) {
            return false;
        }
    }
    return true;
}
