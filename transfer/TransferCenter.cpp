#include "TransferCenter.h"

#include "DataFolderLayout.h"
#include "FileCopy.h"
#include "ReceiveFTP.h"
#include "ReceiveHTTP.h"
#include "SendFTP.h"
#include "TaskWorker.h"
#include "TransferNotice.h"
#include "TransferNoticeEvent.h"
#include "model/TBWListLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {
// The group name becomes a file name under BWLists; one that is not a plain name there would
// make a transfer read or overwrite some other file.
bool IsPlainFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

template <typename Worker>
std::unique_ptr<Worker> MakeFtpWorker(std::uint64_t id, QObject* receiver, const TransferSettings& settings,
                                      const std::string& user, const std::string& password)
{
    auto worker = std::make_unique<Worker>(id, receiver, settings);
    worker->FtpUser = user;
    worker->FtpPassword = password;
    return worker;
}
} // namespace

TransferCenter::TransferCenter(QString dataFolder, QObject* noticeReceiver, QObject* parent)
    : QObject(parent), m_dataFolder(std::move(dataFolder)), m_noticeReceiver(noticeReceiver)
{
    SetSettings({});
}

void TransferCenter::SetSettings(const TransferSettings& settings)
{
    m_settings = settings;
    if (m_settings.KnownHostsFile.empty()) {
        m_settings.KnownHostsFile =
            QFile::encodeName(QDir(m_dataFolder).filePath(QStringLiteral("known_hosts"))).toStdString();
    }
    if (m_settings.SshFolder.empty()) {
        m_settings.SshFolder = QFile::encodeName(QDir::home().filePath(QStringLiteral(".ssh"))).toStdString();
    }
}

TransferCenter::~TransferCenter()
{
    Shutdown();
}

std::string TransferCenter::LocalCopyPath(const std::string& groupName) const
{
    const QString folder = QDir(m_dataFolder).filePath(QLatin1String(DataFolderLayout::LocalCopiesName));
    return QFile::encodeName(folder).toStdString() + "/" + groupName;
}

bool TransferCenter::IsFetching(const std::string& groupName) const
{
    const std::string localFile = LocalCopyPath(groupName);
    const std::vector<TransferJob*> jobs = m_queue.AllJobs();
    return std::any_of(jobs.begin(), jobs.end(),
                       [&](const TransferJob* job) { return !job->IsUpload && job->LocalFile == localFile; });
}

TransferBatch TransferCenter::NewBatch()
{
    return TransferBatch(*this, m_batches.Open());
}

bool TransferCenter::UploadGroupFile(const TBWListLocation& group)
{
    return MoveGroupFile(group, true, 0);
}

bool TransferCenter::DownloadGroupFile(const TBWListLocation& group)
{
    return MoveGroupFile(group, false, 0);
}

bool TransferCenter::MoveGroupFile(const TBWListLocation& group, bool upload, std::uint64_t batchId)
{
    if (!IsPlainFileName(group.Name) || m_shutDown) {
        m_batches.Add(batchId, 0, group.Name, TransferOutcome::Failed);
        return false;
    }
    const std::string localFile = LocalCopyPath(group.Name);
    auto job = NewJob(group.Name, localFile, upload, batchId);
    switch (group.LocationKind) {
    case LocationFile:
        job->CopySource = upload ? localFile : group.Location;
        job->CopyTarget = upload ? group.Location : localFile;
        return CopyNow(std::move(job));
    case LocationFtp:
        if (upload) {
            job->Worker = MakeFtpWorker<SendFTP>(job->Id, this, m_settings, group.FtpUser, group.FtpPassword);
        } else {
            job->Worker = MakeFtpWorker<ReceiveFTP>(job->Id, this, m_settings, group.FtpUser, group.FtpPassword);
        }
        break;
    case LocationHttp:
        if (upload) {
            m_batches.Add(batchId, 0, group.Name, TransferOutcome::NotNeeded);
            return true;
        }
        job->Worker = std::make_unique<ReceiveHTTP>(job->Id, this, m_settings);
        break;
    default:
        m_batches.Add(batchId, 0, group.Name, TransferOutcome::Failed);
        return false;
    }
    job->Worker->Address = group.Location;
    job->Worker->LocalFile = localFile;
    return Submit(std::move(job)) != 0;
}

std::uint64_t TransferCenter::StartFtpUpload(const std::string& address, const std::string& localFile,
                                             const std::string& ftpUser, const std::string& ftpPassword)
{
    auto job = NewJob(FileNameOf(localFile), localFile, true, 0);
    job->Worker = MakeFtpWorker<SendFTP>(job->Id, this, m_settings, ftpUser, ftpPassword);
    job->Worker->Address = address;
    job->Worker->LocalFile = localFile;
    return Submit(std::move(job));
}

std::uint64_t TransferCenter::StartFtpDownload(const std::string& address, const std::string& localFile,
                                               const std::string& ftpUser, const std::string& ftpPassword)
{
    auto job = NewJob(FileNameOf(localFile), localFile, false, 0);
    job->Worker = MakeFtpWorker<ReceiveFTP>(job->Id, this, m_settings, ftpUser, ftpPassword);
    job->Worker->Address = address;
    job->Worker->LocalFile = localFile;
    return Submit(std::move(job));
}

std::uint64_t TransferCenter::StartHttpDownload(const std::string& address, const std::string& localFile)
{
    auto job = NewJob(FileNameOf(localFile), localFile, false, 0);
    job->Worker = std::make_unique<ReceiveHTTP>(job->Id, this, m_settings);
    job->Worker->Address = address;
    job->Worker->LocalFile = localFile;
    return Submit(std::move(job));
}

std::uint64_t TransferCenter::RunGroupTask(std::shared_ptr<GroupTask> task, std::function<void()> whenDone)
{
    return SubmitTask(std::move(task), 0, std::move(whenDone));
}

std::uint64_t TransferCenter::SubmitTask(std::shared_ptr<GroupTask> task, std::uint64_t batchId,
                                         std::function<void()> whenDone)
{
    const TBWListLocation& group = task->Group();
    if (!IsPlainFileName(group.Name) || m_shutDown) {
        m_batches.Add(batchId, 0, group.Name, TransferOutcome::Failed);
        return 0;
    }
    const std::string localFile = LocalCopyPath(group.Name);
    const bool upload = task->IsUpload();
    auto job = NewJob(group.Name, localFile, upload, batchId);
    job->WhenDone = std::move(whenDone);
    job->Worker = std::make_unique<TaskWorker>(job->Id, this, m_settings, std::move(task));
    job->Worker->Address = group.Location;
    job->Worker->LocalFile = localFile;
    return Submit(std::move(job));
}

GroupMemory TransferCenter::Memory(const std::string& groupName) const
{
    const auto found = m_memories.find(LocalCopyPath(groupName));
    return found == m_memories.end() ? GroupMemory{} : found->second;
}

std::string TransferCenter::OwnerName()
{
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        name = qEnvironmentVariable("USERNAME");
    }
    return name.toLocal8Bit().toStdString();
}

void TransferCenter::StartWorker(TransferJob& job)
{
    job.Started = true;
    if (auto* runner = dynamic_cast<TaskWorker*>(job.Worker.get())) {
        // Handed over only now, when the group's earlier tasks have ended and given theirs back.
        GroupMemory& memory = m_memories[job.LocalFile];
        if (memory.Location != job.Worker->Address) {
            memory = GroupMemory{};
            memory.Location = job.Worker->Address;
        }
        runner->Memory() = memory;
    }
    job.Worker->Start();
}

std::unique_ptr<TransferJob> TransferCenter::NewJob(const std::string& groupName, const std::string& localFile,
                                                    bool upload, std::uint64_t batchId)
{
    auto job = std::make_unique<TransferJob>();
    job->Id = ++m_lastJobId;
    job->BatchId = batchId;
    job->GroupName = groupName;
    job->LocalFile = localFile;
    job->IsUpload = upload;
    return job;
}

std::uint64_t TransferCenter::Submit(std::unique_ptr<TransferJob> job)
{
    if (m_shutDown) {
        m_batches.Add(job->BatchId, job->Id, job->GroupName, TransferOutcome::Failed);
        return 0;
    }
    const std::uint64_t id = job->Id;
    const std::string localFile = job->LocalFile;
    m_batches.Add(job->BatchId, id, job->GroupName, TransferOutcome::Running);
    QCoreApplication::postEvent(this, new TransferNoticeEvent(job->Worker->StartNotice(), id, localFile));
    m_queue.Add(std::move(job));
    RunLine(localFile);
    UpdateActivity();
    return id;
}

bool TransferCenter::CopyNow(std::unique_ptr<TransferJob> job)
{
    // A copy runs at once unless a transfer of the same local copy is ahead of it; then it waits
    // in line and runs on the main thread when that one has ended.
    if (m_queue.Front(job->LocalFile) == nullptr) {
        const TransferOutcome outcome = CopyOutcome(*job);
        m_batches.Add(job->BatchId, job->Id, job->GroupName, outcome);
        return outcome == TransferOutcome::Done;
    }
    m_batches.Add(job->BatchId, job->Id, job->GroupName, TransferOutcome::Running);
    m_queue.Add(std::move(job));
    return true;
}

TransferOutcome TransferCenter::CopyOutcome(const TransferJob& job)
{
    if (CopyFileReplacing(job.CopySource, job.CopyTarget, job.IsUpload)) {
        return TransferOutcome::Done;
    }
    return !job.IsUpload && IsMissingFile(job.CopySource) ? TransferOutcome::Missing : TransferOutcome::Failed;
}

void TransferCenter::RunLine(const std::string& localFile)
{
    while (TransferJob* job = m_queue.Front(localFile)) {
        if (job->Worker) {
            if (!job->Started) {
                StartWorker(*job);
            }
            return;
        }
        const TransferOutcome outcome = CopyOutcome(*job);
        const std::unique_ptr<TransferJob> done = m_queue.TakeFront(job->Id);
        m_batches.Record(done->BatchId, done->Id, outcome);
    }
}

void TransferCenter::Finish(std::uint64_t jobId, int code)
{
    std::unique_ptr<TransferJob> job = m_queue.TakeFront(jobId);
    if (!job) {
        return;
    }
    // The notice is the thread's last act, so this join returns at once.
    job->Worker->Join();
    if (auto* runner = dynamic_cast<TaskWorker*>(job->Worker.get())) {
        m_memories[job->LocalFile] = runner->Memory();
    }
    std::function<void()> whenDone = std::move(job->WhenDone);
    TransferOutcome outcome = TransferOutcome::Done;
    if (code == TransferFailed) {
        outcome = job->Worker->SourceMissing() ? TransferOutcome::Missing : TransferOutcome::Failed;
    }
    m_batches.Record(job->BatchId, job->Id, outcome);
    const std::string localFile = job->LocalFile;
    job.reset();
    RunLine(localFile);
    UpdateActivity();
    if (whenDone) {
        whenDone();
    }
}

bool TransferCenter::event(QEvent* event)
{
    if (event->type() != TransferNoticeEvent::EventType()) {
        return QObject::event(event);
    }
    const auto* notice = static_cast<TransferNoticeEvent*>(event);
    if (IsStartNotice(notice->Code())) {
        ++m_pendingTransfers;
    } else if (IsFinalNotice(notice->Code())) {
        --m_pendingTransfers;
        Finish(notice->TransferId(), notice->Code());
    }
    if (m_noticeReceiver) {
        QCoreApplication::postEvent(m_noticeReceiver,
                                    new TransferNoticeEvent(notice->Code(), notice->TransferId(), notice->LocalFile()));
    }
    return true;
}

bool TransferCenter::WaitForBatch(std::uint64_t batchId)
{
    using Clock = std::chrono::steady_clock;
    // The center may be destroyed by an event handled inside the wait; then the wait just ends.
    const QPointer<TransferCenter> self(this);
    const auto deadline = Clock::now() + m_settings.WaitLimit;
    // Wakes the blocking passes below at the deadline, so the wait sleeps instead of polling.
    QTimer alarm;
    alarm.setSingleShot(true);
    alarm.setTimerType(Qt::PreciseTimer);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    while (self && !m_batches.IsFinished(batchId)) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (remaining.count() <= 0) {
            break;
        }
        // Re-armed after each wake-up, so an alarm that fired early cannot leave the wait asleep.
        if (!alarm.isActive()) {
            alarm.start(remaining);
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return self && m_batches.IsFinished(batchId);
}

void TransferCenter::Shutdown()
{
    if (m_shutDown) {
        return;
    }
    m_shutDown = true;
    const std::vector<TransferJob*> jobs = m_queue.AllJobs();
    for (TransferJob* job : jobs) {
        if (job->Worker) {
            job->Worker->Cancel();
        }
    }
    for (TransferJob* job : jobs) {
        if (job->Worker) {
            job->Worker->Join();
        }
        m_batches.Record(job->BatchId, job->Id, TransferOutcome::Failed);
    }
    m_queue.Clear();
    UpdateActivity();
}

void TransferCenter::UpdateActivity()
{
    const TransferJob* latest = nullptr;
    int count = 0;
    for (const TransferJob* job : m_queue.AllJobs()) {
        if (!job->Worker) {
            continue;
        }
        ++count;
        if (latest == nullptr || job->Id > latest->Id) {
            latest = job;
        }
    }
    QString text;
    if (latest != nullptr) {
        const QString group = QString::fromLocal8Bit(latest->GroupName);
        text = latest->IsUpload ? tr("Sending group %1…").arg(group) : tr("Fetching group %1…").arg(group);
        if (count > 1) {
            text += tr(" (%n transfers)", nullptr, count);
        }
    }
    if (text != m_activityText) {
        m_activityText = text;
        Q_EMIT ActivityChanged(text);
    }
}
