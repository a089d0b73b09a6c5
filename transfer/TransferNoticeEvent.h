#pragma once

#include <QEvent>

#include <cstdint>
#include <string>

// The event by which a transfer tells the main thread that it started or how it ended. Workers
// post it to the TransferCenter; the center passes a copy on to the notice receiver it was given.
class TransferNoticeEvent : public QEvent
{
public:
    TransferNoticeEvent(int code, std::uint64_t transferId, std::string localFile);

    [[nodiscard]] static QEvent::Type EventType();

    [[nodiscard]] int Code() const { return m_code; }
    [[nodiscard]] std::uint64_t TransferId() const { return m_transferId; }
    // The local copy the transfer reads or writes; its file name is the group's name.
    [[nodiscard]] const std::string& LocalFile() const { return m_localFile; }

private:
    int m_code;
    std::uint64_t m_transferId;
    std::string m_localFile;
};
