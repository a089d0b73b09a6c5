#pragma once

#include "Autostart.h"

#include <QStringList>

// The XDG autostart entry: $XDG_CONFIG_HOME/autostart/bellwick.desktop, a desktop entry whose Exec
// line starts the program with "/m". Desktops read it at the next log-on.
class XdgAutostart final : public Autostart
{
public:
    // configHome: the user's configuration folder, normally DefaultConfigHome().
    explicit XdgAutostart(QString configHome);

    // $XDG_CONFIG_HOME when it is an absolute path, otherwise ~/.config.
    [[nodiscard]] static QString DefaultConfigHome();

    [[nodiscard]] bool StartsProgram(const QString& program) const override;
    void Enable(const QString& program) override;
    void Disable() override;
    [[nodiscard]] QString Location() const override { return EntryFile(); }

    [[nodiscard]] QString EntryFile() const;
    // The whole entry for the program, as it is written.
    [[nodiscard]] static QByteArray EntryText(const QString& program);
    // The Exec value that starts the program with "/m", quoted and escaped as desktop entries want.
    [[nodiscard]] static QString ExecValue(const QString& program);
    // The words of an Exec value, its quoting and escapes undone; empty when it is malformed.
    [[nodiscard]] static QStringList ExecWords(const QString& value);

private:
    QString m_configHome;
};
