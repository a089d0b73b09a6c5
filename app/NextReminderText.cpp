#include "NextReminderText.h"

#include "DueTimeText.h"
#include "ShownText.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

bool IsPending(const TBWItem& message, double now)
{
    return message.EffectiveDueTime() >= now && message.LastDueTime != message.DueTime;
}

// Keeps the count earliest, in order: a few steps per message, however long the lists are.
void Consider(std::vector<PendingMessage>& next, std::size_t count, const TBWItem& message,
              const std::string& groupName, double now)
{
    if (count == 0 || !IsPending(message, now)) {
        return;
    }
    const double comes = message.EffectiveDueTime();
    if (next.size() == count && comes >= next.back().Message->EffectiveDueTime()) {
        return;
    }
    auto place = std::find_if(next.begin(), next.end(), [comes](const PendingMessage& pending) {
        return comes < pending.Message->EffectiveDueTime();
    });
    next.insert(place, PendingMessage{&message, groupName});
    if (next.size() > count) {
        next.pop_back();
    }
}

} // namespace

std::vector<PendingMessage> NextPendingMessages(const ProcessLists& lists, double now, std::size_t count)
{
    std::vector<PendingMessage> next;
    for (const auto& message : lists.PersonalList) {
        if (!message->DayFlags[0]) {
            Consider(next, count, *message, {}, now);
        }
    }
    for (const auto& group : lists.GroupList) {
        const TBWItemList* messages = group->Enabled ? lists.GroupItemLists.Find(group->Name) : nullptr;
        if (messages == nullptr) {
            continue;
        }
        for (const auto& message : *messages) {
            Consider(next, count, *message, group->Name, now);
        }
    }
    return next;
}

QString NextReminderText(const TBWItem* next, double now, const TBWItem* postponed)
{
    QString name = QCoreApplication::translate("NextReminderText", "Bellwick");
    if (postponed != nullptr && (next == nullptr || postponed->DueTime <= next->DueTime)) {
        //: The tray icon's tooltip: %1 the program's name, %2 the title of a reminder the user put off,
        //: %3 when it comes back as the list shows a due moment.
        return QCoreApplication::translate("NextReminderText", "%1 — next: %2, postponed until %3")
            .arg(name, QString::fromLocal8Bit(postponed->Title), DueTimeText(postponed->DueTime, now));
    }
    if (next == nullptr) {
        return name;
    }
    //: The tray icon's tooltip: %1 the program's name, %2 the due moment as the list shows it, %3 the title.
    // The tooltip is rebuilt every second and a tray may render it as rich text.
    return WithoutMarkup(QCoreApplication::translate("NextReminderText", "%1 — next: %2 %3")
                             .arg(name, DueTimeText(next->EffectiveDueTime(), now), ShownLine(next->Title)));
}
