#include "VirtualDisplay.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>

VirtualDisplay::VirtualDisplay()
{
    m_server.setProgram(QStringLiteral("Xvfb"));
    m_server.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                           QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                           QStringLiteral("tcp")});
    m_server.setStandardErrorFile(QProcess::nullDevice());
    m_server.start();
    if (!m_server.waitForStarted(10000)) {
        return;
    }
    // Xvfb writes the display number it chose, then a newline, once it accepts connections.
    QByteArray answer;
    const QDeadlineTimer deadline(20000);
    while (!answer.contains('\n') && !deadline.hasExpired() && m_server.state() == QProcess::Running) {
        m_server.waitForReadyRead(100);
        answer += m_server.readAllStandardOutput();
    }
    if (answer.contains('\n')) {
        m_name = ':' + answer.trimmed();
    }
}

VirtualDisplay::~VirtualDisplay()
{
    m_server.terminate();
    if (!m_server.waitForFinished(5000)) {
        m_server.kill();
        m_server.waitForFinished(5000);
    }
}

std::unique_ptr<QProcess> VirtualDisplay::Run(const QString& program, const QStringList& arguments) const
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(m_name));
    process->setProcessEnvironment(environment);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(program, arguments);
    process->waitForStarted(10000);
    return process;
}
