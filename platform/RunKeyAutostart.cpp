#include "Autostart.h"

#include "BWError.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {

const QString RunKey = QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
const QString ValueName = QStringLiteral("Bellwick");

QString CommandLine(const QString& program)
{
    return QLatin1Char('"') + QDir::toNativeSeparators(program) + QStringLiteral("\" /m");
}

// The program of a Run command line: the quoted first word, or everything up to the first blank.
QString ProgramOf(const QString& commandLine)
{
    if (commandLine.startsWith(QLatin1Char('"'))) {
        return commandLine.mid(1).section(QLatin1Char('"'), 0, 0);
    }
    return commandLine.section(QLatin1Char(' '), 0, 0);
}

// The user's Run key: its values are command lines that Windows starts at log-on.
class RunKeyAutostart final : public Autostart
{
public:
    RunKeyAutostart() : m_settings(RunKey, QSettings::NativeFormat) {}

    bool StartsProgram(const QString& program) const override
    {
        const QString stored = m_settings.value(ValueName).toString();
        return !stored.isEmpty() &&
               ProgramOf(stored).compare(QDir::toNativeSeparators(program), Qt::CaseInsensitive) == 0;
    }

    void Enable(const QString& program) override
    {
        m_settings.setValue(ValueName, CommandLine(program));
        Sync(QT_TRANSLATE_NOOP("RunKeyAutostart", "Cannot write the autostart entry \"%1\"."));
    }

    void Disable() override
    {
        m_settings.remove(ValueName);
        Sync(QT_TRANSLATE_NOOP("RunKeyAutostart", "Cannot remove the autostart entry \"%1\"."));
    }

    QString Location() const override { return RunKey + QLatin1Char('\\') + ValueName; }

private:
    void Sync(const char* failure)
    {
        m_settings.sync();
        if (m_settings.status() != QSettings::NoError) {
            throw EBWError(
                QCoreApplication::translate("RunKeyAutostart", failure).arg(Location()).toLocal8Bit().toStdString());
        }
    }

    QSettings m_settings;
};

} // namespace

std::unique_ptr<Autostart> MakeDesktopAutostart()
{
    return std::make_unique<RunKeyAutostart>();
}
