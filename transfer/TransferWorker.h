#pragma once

#include "CancelSignal.h"
#include "TransferSettings.h"

#include <cstdint>
#include <string>
#include <thread>

class QObject;

// One transfer on a thread of its own. The owner sets the fields, starts the worker, and later
// joins it; the worker reaches the main thread only by posting TransferNoticeEvents to the notice
// receiver, which must outlive the worker's thread. The body's outcome always ends in exactly one
// final notice, also when the body fails in an unexpected way.
class TransferWorker
{
public:
    TransferWorker(std::uint64_t transferId, QObject* noticeReceiver, TransferSettings settings);
    virtual ~TransferWorker();
    TransferWorker(const TransferWorker&) = delete;
    TransferWorker& operator=(const TransferWorker&) = delete;

    // The group's location text exactly as stored, and the full path of its local copy. Set
    // before Start(), never changed afterwards.
    std::string Address;
    std::string LocalFile;

    // The code the owner posts before the worker runs (DownloadStarted or UploadStarted).
    [[nodiscard]] virtual int StartNotice() const = 0;
    [[nodiscard]] std::uint64_t TransferId() const { return m_transferId; }

    void Start();
    // Asks a running transfer to stop soon; it then ends with TransferFailed. Any thread.
    void Cancel() { m_cancel.Cancel(); }
    // Waits for the thread to end. Harmless when it never started or was joined already.
    void Join();
    // The final notice code, 0 until the body has ended. Read it only after Join().
    [[nodiscard]] int Status() const { return m_status; }
    // A download that failed because the location holds no such file. Read it only after Join().
    [[nodiscard]] bool SourceMissing() const { return m_sourceMissing; }

protected:
    // The transfer itself, on the worker's thread; returns the final notice code.
    [[nodiscard]] virtual int Body() = 0;

    [[nodiscard]] const TransferSettings& Settings() const { return m_settings; }
    [[nodiscard]] CancelSignal& Cancellation() { return m_cancel; }
    // Called by a download's body before it returns TransferFailed.
    void NoteSourceMissing() { m_sourceMissing = true; }

private:
    void Run();

    std::uint64_t m_transferId;
    QObject* m_noticeReceiver;
    TransferSettings m_settings;
    CancelSignal m_cancel;
    std::thread m_thread;
    int m_status = 0;
    bool m_sourceMissing = false;
};
