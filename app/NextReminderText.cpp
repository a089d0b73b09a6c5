#include "NextReminderText.h"

#include "DueTimeText.h"

#include <QCoreApplication>

const TBWItem* NextPendingMessage(const TBWItemList& messages, double now)
{
    const TBWItem* next = nullptr;
    for (const auto& message : messages) {
        if (message->DueTime >= now && (next == nullptr || message->DueTime < next->DueTime)) {
            next = message.get();
        }
    }
    return next;
}

QString NextReminderText(const TBWItemList& messages, double now)
{
    const QString name = QCoreApplication::translate("NextReminderText", "Bellwick");
    const TBWItem* next = NextPendingMessage(messages, now);
    if (next == nullptr) {
        return name;
    }
    //: The tray icon's tooltip: %1 the program's name, %2 the due moment as the list shows it, %3 the title.
    return QCoreApplication::translate("NextReminderText", "%1 — next: %2 %3")
        .arg(name, DueTimeText(next->DueTime, now), QString::fromLocal8Bit(next->Title));
}
