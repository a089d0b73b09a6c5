#include "KeychainSecretStore.h"

#include <qt6keychain/keychain.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <memory>

namespace {

const QString Service = QStringLiteral("Bellwick");

template <typename Job>
std::unique_ptr<Job> MakeJob(const QString& key)
{
    auto job = std::make_unique<Job>(Service);
    job->setKey(key);
    job->setAutoDelete(false);
    // Never the plain-text settings file that QtKeychain could fall back to.
    job->setInsecureFallback(false);
    return job;
}

// Runs the job until it ends or the limit passes. A job that has not ended by then is let go: it
// deletes itself when it does end.
template <typename Job>
bool Finish(std::unique_ptr<Job>& job, std::chrono::milliseconds limit)
{
    bool finished = false;
    QEventLoop loop;
    QObject::connect(job.get(), &QKeychain::Job::finished, &loop, [&finished, &loop] {
        finished = true;
        loop.quit();
    });
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    job->start();
    if (!finished) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!finished) {
        Job* running = job.release();
        QObject::connect(running, &QKeychain::Job::finished, running, &QObject::deleteLater);
    }
    return finished;
}

QString NoAnswer()
{
    return QCoreApplication::translate("KeychainSecretStore", "The password store did not answer.");
}

} // namespace

KeychainSecretStore::KeychainSecretStore(std::chrono::milliseconds limit) : m_limit(limit) {}

SecretStore::Result KeychainSecretStore::Read(const QString& key, std::string& secret)
{
    if (!m_problem.isEmpty()) {
        return Result::Unavailable;
    }
    if (const auto known = m_known.find(key); known != m_known.end()) {
        if (!known->second) {
            return Result::NotFound;
        }
        secret = *known->second;
        return Result::Done;
    }
    auto job = MakeJob<QKeychain::ReadPasswordJob>(key);
    if (!Finish(job, m_limit)) {
        m_problem = NoAnswer();
        return Result::Unavailable;
    }
    switch (job->error()) {
    case QKeychain::NoError:
        secret = job->binaryData().toStdString();
        m_known[key] = secret;
        return Result::Done;
    case QKeychain::EntryNotFound:
        m_known[key] = std::nullopt;
        return Result::NotFound;
    default:
        m_problem = job->errorString();
        return Result::Unavailable;
    }
}

SecretStore::Result KeychainSecretStore::Write(const QString& key, const std::string& secret)
{
    if (!m_problem.isEmpty()) {
        return Result::Unavailable;
    }
    if (const auto known = m_known.find(key); known != m_known.end() && known->second == secret) {
        return Result::Done;
    }
    auto job = MakeJob<QKeychain::WritePasswordJob>(key);
    job->setBinaryData(QByteArray::fromStdString(secret));
    if (!Finish(job, m_limit)) {
        m_problem = NoAnswer();
        return Result::Unavailable;
    }
    if (job->error() != QKeychain::NoError) {
        m_problem = job->errorString();
        return Result::Unavailable;
    }
    m_known[key] = secret;
    return Result::Done;
}

SecretStore::Result KeychainSecretStore::Remove(const QString& key)
{
    if (!m_problem.isEmpty()) {
        return Result::Unavailable;
    }
    if (const auto known = m_known.find(key); known != m_known.end() && !known->second) {
        return Result::Done;
    }
    auto job = MakeJob<QKeychain::DeletePasswordJob>(key);
    if (!Finish(job, m_limit)) {
        m_problem = NoAnswer();
        return Result::Unavailable;
    }
    if (job->error() != QKeychain::NoError && job->error() != QKeychain::EntryNotFound) {
        m_problem = job->errorString();
        return Result::Unavailable;
    }
    m_known[key] = std::nullopt;
    return Result::Done;
}
