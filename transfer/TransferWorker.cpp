#include "TransferWorker.h"

#include "TransferNotice.h"
#include "TransferNoticeEvent.h"

#include <QCoreApplication>

#include <utility>

TransferWorker::TransferWorker(std::uint64_t transferId, QObject* noticeReceiver, TransferSettings settings)
    : m_transferId(transferId), m_noticeReceiver(noticeReceiver), m_settings(std::move(settings))
{}

TransferWorker::~TransferWorker()
{
    // A thread that outlived its worker would write into freed memory.
    Cancel();
    Join();
}

void TransferWorker::Start()
{
    m_thread = std::thread(&TransferWorker::Run, this);
}

void TransferWorker::Join()
{
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void TransferWorker::Run()
{
    int status = TransferFailed;
    // The thread is where the body's failures end: they become the failure notice, so a waiting
    // caller is never left counting a transfer that will not report.
    try {
        status = Body();
    } catch (...) {
        status = TransferFailed;
    }
    if (!IsFinalNotice(status)) {
        status = TransferFailed;
    }
    m_status = status;
    QCoreApplication::postEvent(m_noticeReceiver, new TransferNoticeEvent(status, m_transferId, LocalFile));
}
