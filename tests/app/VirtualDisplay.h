#pragma once

#include <QByteArray>
#include <QProcess>

#include <memory>

// An Xvfb server of its own on a free display number (Xvfb picks it and tells us), so that tests
// running side by side never share or fight over a display.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    [[nodiscard]] bool IsRunning() const { return !m_name.isEmpty(); }
    // For example ":3".
    [[nodiscard]] const QByteArray& Name() const { return m_name; }

    // Starts a program on this display (the tray host); it ends with the returned object.
    [[nodiscard]] std::unique_ptr<QProcess> Run(const QString& program, const QStringList& arguments) const;

private:
    QProcess m_server;
    QByteArray m_name;
};
