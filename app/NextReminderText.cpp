#include "NextReminderText.h"

#include "DueTimeText.h"
#include "ShownText.h"

#include <QCoreApplication>

namespace {

bool ComesUpBefore(const TBWItem& message, const TBWItem* next, double now)
{
    const double comes = message.EffectiveDueTime();
    return comes >= now && message.LastDueTime != message.DueTime &&
           (next == nullptr || comes < next->EffectiveDueTime());
}

} // namespace

const TBWItem* NextPendingMessage(const ProcessLists& lists, double now)
{
    const TBWItem* next = nullptr;
    for (const auto& message : lists.PersonalList) {
        if (!message->DayFlags[0] && ComesUpBefore(*message, next, now)) {
            next = message.get();
        }
    }
    for (const auto& group : lists.GroupList) {
        const TBWItemList* messages = group->Enabled ? lists.GroupItemLists.Find(group->Name) : nullptr;
        if (messages == nullptr) {
            continue;
        }
        for (const auto& message : *messages) {
            if (ComesUpBefore(*message, next, now)) {
                next = message.get();
            }
        }
    }
    return next;
}

QString NextReminderText(const ProcessLists& lists, double now, const TBWItem* postponed)
{
    QString name = QCoreApplication::translate("NextReminderText", "Bellwick");
    const TBWItem* next = NextPendingMessage(lists, now);
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
