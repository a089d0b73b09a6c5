#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// How a second start reaches the copy that already runs: the running copy listens on a local
// socket beside its single-instance lock, and a second copy asks it to bring its window forward
// before it leaves. The socket lives in the user's private runtime folder, so only the user's own
// programs can reach it.
class InstanceChannel : public QObject
{
    Q_OBJECT

public:
    explicit InstanceChannel(QString name, QObject* parent = nullptr);
    ~InstanceChannel() override;

    // The running copy (the lock's holder) starts listening; a socket left by a copy that ended
    // without removing it is replaced. False when the socket cannot be made.
    bool Listen();
    // A second copy asks the running one to open its window; true when it answered within the time.
    [[nodiscard]] static bool RequestOpen(const QString& name, int timeoutMs);

Q_SIGNALS:
    void OpenRequested();

private:
    void Serve();

    QString m_name;
    QLocalServer* m_server;
};
