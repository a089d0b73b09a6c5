#include "TransferNoticeEvent.h"

#include <utility>

TransferNoticeEvent::TransferNoticeEvent(int code, std::uint64_t transferId, std::string localFile)
    : QEvent(EventType()), m_code(code), m_transferId(transferId), m_localFile(std::move(localFile))
{}

QEvent::Type TransferNoticeEvent::EventType()
{
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}
