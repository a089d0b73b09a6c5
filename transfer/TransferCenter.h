#pragma once

#include "BatchBook.h"
#include "GroupTask.h"
#include "LocalCopyQueue.h"
#include "TransferBatch.h"
#include "TransferSettings.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

class TBWListLocation;

// Moves group files between their locations and the local copies <dataFolder>/BWLists/<name>.
// Lives on the main thread, which owns one instance (the main window); every call is made there.
//
// Network transfers run on worker threads that report by posting TransferNoticeEvents here; the
// center counts them (PendingTransfers) and passes each notice on to the notice receiver, if one
// was given. Transfers of the same local copy run one after the other. While any run, the center
// says so through ActivityChanged ("Fetching group Sales…"), and an empty text when all ended.
//
// Typical use: auto batch = center.NewBatch(); batch.DownloadGroupFile(g); batch.WaitForTransfers();
// then batch.Outcome(g.Name). The destructor (or Shutdown()) cancels running transfers and joins
// their threads.
class TransferCenter : public QObject
{
    Q_OBJECT

public:
    explicit TransferCenter(QString dataFolder, QObject* noticeReceiver = nullptr, QObject* parent = nullptr);
    ~TransferCenter() override;

    // Settings without a known-hosts file or SSH folder get the data folder's "known_hosts" and the
    // user's ~/.ssh.
    void SetSettings(const TransferSettings& settings);
    [[nodiscard]] const TransferSettings& Settings() const { return m_settings; }
    // <dataFolder>/BWLists/<group name>, as local 8-bit bytes.
    [[nodiscard]] std::string LocalCopyPath(const std::string& groupName) const;

    [[nodiscard]] TransferBatch NewBatch();

    // For callers that do not wait for the outcome (a group just added).
    bool UploadGroupFile(const TBWListLocation& group);
    bool DownloadGroupFile(const TBWListLocation& group);

    // Starts one worker; its start notice is posted before it runs. Returns the transfer id that
    // the notices carry, or 0 when the center no longer accepts transfers.
    std::uint64_t StartFtpUpload(const std::string& address, const std::string& localFile, const std::string& ftpUser,
                                 const std::string& ftpPassword);
    std::uint64_t StartFtpDownload(const std::string& address, const std::string& localFile, const std::string& ftpUser,
                                   const std::string& ftpPassword);
    std::uint64_t StartHttpDownload(const std::string& address, const std::string& localFile);

    // Runs the task in the line of its group's local copy, after the transfers and tasks of that
    // group already accepted. whenDone, if given, is called on the main thread once it has ended
    // (not when the center shuts down first). Returns the transfer id, 0 when refused.
    std::uint64_t RunGroupTask(std::shared_ptr<GroupTask> task, std::function<void()> whenDone = {});
    // What the center remembers of the group's location from its last tasks there.
    [[nodiscard]] GroupMemory Memory(const std::string& groupName) const;
    // The name a lock this program takes shows as its owner's.
    [[nodiscard]] static std::string OwnerName();

    // Whether a download of the group's local copy waits in line or is under way.
    [[nodiscard]] bool IsFetching(const std::string& groupName) const;

    // Started and not yet ended network transfers, as counted from the notices handled so far.
    [[nodiscard]] int PendingTransfers() const { return m_pendingTransfers; }
    [[nodiscard]] QString ActivityText() const { return m_activityText; }

    // Cancels the running transfers, joins their threads and refuses new ones. Idempotent.
    void Shutdown();

Q_SIGNALS:
    void ActivityChanged(const QString& text);

protected:
    bool event(QEvent* event) override;

private:
    friend class TransferBatch;

    bool MoveGroupFile(const TBWListLocation& group, bool upload, std::uint64_t batchId);
    std::uint64_t SubmitTask(std::shared_ptr<GroupTask> task, std::uint64_t batchId, std::function<void()> whenDone);
    void StartWorker(TransferJob& job);
    std::unique_ptr<TransferJob> NewJob(const std::string& groupName, const std::string& localFile, bool upload,
                                        std::uint64_t batchId);
    std::uint64_t Submit(std::unique_ptr<TransferJob> job);
    bool CopyNow(std::unique_ptr<TransferJob> job);
    // Runs a plain copy now.
    static TransferOutcome CopyOutcome(const TransferJob& job);
    void RunLine(const std::string& localFile);
    void Finish(std::uint64_t jobId, int code);
    bool WaitForBatch(std::uint64_t batchId);
    void CloseBatch(std::uint64_t batchId) { m_batches.Close(batchId); }
    void UpdateActivity();

    QString m_dataFolder;
    QPointer<QObject> m_noticeReceiver;
    TransferSettings m_settings;
    LocalCopyQueue m_queue;
    BatchBook m_batches;
    // Per local copy; only the main thread touches it, between the tasks of a group.
    std::map<std::string, GroupMemory> m_memories;
    std::uint64_t m_lastJobId = 0;
    int m_pendingTransfers = 0;
    bool m_shutDown = false;
    QString m_activityText;
};
