#include "XdgAutostart.h"

#include "BWError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

const QString ReservedInExec = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

// The general escapes of a desktop entry's string values; the Exec quoting comes on top of them.
QString EscapeString(const QString& text)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('\\')) {
            escaped += QStringLiteral("\\\\");
        } else if (c == QLatin1Char('\n')) {
            escaped += QStringLiteral("\\n");
        } else if (c == QLatin1Char('\t')) {
            escaped += QStringLiteral("\\t");
        } else if (c == QLatin1Char('\r')) {
            escaped += QStringLiteral("\\r");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString UnescapeString(const QString& text)
{
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            plain += c;
            continue;
        }
        const QChar next = text.at(++i);
        if (next == QLatin1Char('s')) {
            plain += QLatin1Char(' ');
        } else if (next == QLatin1Char('n')) {
            plain += QLatin1Char('\n');
        } else if (next == QLatin1Char('t')) {
            plain += QLatin1Char('\t');
        } else if (next == QLatin1Char('r')) {
            plain += QLatin1Char('\r');
        } else if (next == QLatin1Char('\\')) {
            plain += QLatin1Char('\\');
        } else {
            // Not a string escape: it belongs to the Exec quoting, which is undone next.
            plain += c;
            plain += next;
        }
    }
    return plain;
}

QString QuoteArgument(const QString& argument)
{
    QString field = argument;
    field.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (std::none_of(field.begin(), field.end(), [](QChar c) { return ReservedInExec.contains(c); })) {
        return field;
    }
    QString quoted = QStringLiteral("\"");
    for (const QChar c : field) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

// The value of a key in the [Desktop Entry] group; nothing when it is missing.
std::optional<QString> DesktopEntryValue(const QByteArray& entry, const QString& key)
{
    bool inMainGroup = false;
    for (const QByteArray& rawLine : entry.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (inMainGroup && equals > 0 && line.left(equals).trimmed() == key) {
            return line.mid(equals + 1).trimmed();
        }
    }
    return std::nullopt;
}

// what: a text with %1 for the entry's file name.
EBWError EntryError(const char* what, const QString& file, const QString& reason)
{
    const QString text = QCoreApplication::translate("XdgAutostart", what).arg(QDir::toNativeSeparators(file));
    return EBWError((text + QLatin1Char(' ') + reason).toLocal8Bit().toStdString());
}

} // namespace

XdgAutostart::XdgAutostart(QString configHome) : m_configHome(std::move(configHome)) {}

QString XdgAutostart::DefaultConfigHome()
{
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    // XDG folders must be absolute; a relative value is ignored, as desktops ignore it.
    if (!configured.isEmpty() && QDir::isAbsolutePath(configured)) {
        return configured;
    }
    return QDir::homePath() + QStringLiteral("/.config");
}

QString XdgAutostart::EntryFile() const
{
    return m_configHome + QStringLiteral("/autostart/bellwick.desktop");
}

QString XdgAutostart::ExecValue(const QString& program)
{
    return EscapeString(QuoteArgument(program)) + QStringLiteral(" /m");
}

QStringList XdgAutostart::ExecWords(const QString& value)
{
    const QString text = UnescapeString(value);
    QStringList words;
    qsizetype i = 0;
    while (i < text.size()) {
        if (text.at(i) == QLatin1Char(' ')) {
            ++i;
            continue;
        }
        QString word;
        if (text.at(i) == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < text.size() && !closed) {
                const QChar c = text.at(i++);
                if (c == QLatin1Char('"')) {
                    closed = true;
                } else if (c == QLatin1Char('\\') && i < text.size()) {
                    word += text.at(i++);
                } else {
                    word += c;
                }
            }
            if (!closed) {
                return {};
            }
        } else {
            while (i < text.size() && text.at(i) != QLatin1Char(' ')) {
                word += text.at(i++);
            }
        }
        words.append(word.replace(QStringLiteral("%%"), QStringLiteral("%")));
    }
    return words;
}

QByteArray XdgAutostart::EntryText(const QString& program)
{
    // TryExec lets the desktop skip the entry once the program is gone (uninstalled, moved), instead
    // of failing at every log-on.
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Bellwick\n"
                                        "Comment=Reminders for you and your team, from the notification area\n"
                                        "TryExec=%1\n"
                                        "Exec=%2\n"
                                        "Icon=bellwick\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(EscapeString(program), ExecValue(program));
    return text.toUtf8();
}

bool XdgAutostart::StartsProgram(const QString& program) const
{
    QFile file(EntryFile());
    if (!file.open(QIODevice::ReadOnly)) {
        return false;
    }
    const std::optional<QString> exec = DesktopEntryValue(file.readAll(), QStringLiteral("Exec"));
    if (!exec) {
        return false;
    }
    const QStringList words = ExecWords(*exec);
    return !words.isEmpty() && words.first() == program;
}

void XdgAutostart::Enable(const QString& program)
{
    const QString file = EntryFile();
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        throw EntryError(QT_TRANSLATE_NOOP("XdgAutostart", "Cannot write the autostart entry \"%1\"."), file,
                         QCoreApplication::translate("XdgAutostart", "Its folder cannot be created."));
    }
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(EntryText(program)) < 0 || !entry.commit()) {
        throw EntryError(QT_TRANSLATE_NOOP("XdgAutostart", "Cannot write the autostart entry \"%1\"."), file,
                         entry.errorString());
    }
}

void XdgAutostart::Disable()
{
    QFile entry(EntryFile());
    const QFileInfo info(entry.fileName());
    if (!info.exists() && !info.isSymLink()) {
        return;
    }
    if (!entry.remove()) {
        throw EntryError(QT_TRANSLATE_NOOP("XdgAutostart", "Cannot remove the autostart entry \"%1\"."),
                         entry.fileName(), entry.errorString());
    }
}

std::unique_ptr<Autostart> MakeDesktopAutostart()
{
    return std::make_unique<XdgAutostart>(XdgAutostart::DefaultConfigHome());
}
