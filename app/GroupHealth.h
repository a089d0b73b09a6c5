#pragma once

#include "GroupList.h"
#include "GroupProblem.h"

#include <QCoreApplication>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <vector>

// What the pulls of this run have shown of each group: when its file last came and was merged, and
// since when, and why, its pulls have failed. A group switched on whose pulls keep failing must not
// go unnoticed: its members' reminders stop arriving while nothing else says so.
class GroupHealth
{
    Q_DECLARE_TR_FUNCTIONS(GroupHealth)

public:
    // How long the pulls of a group may fail before the tray says so: ten pulls.
    static constexpr double LongFailureDays = 10.0 / 1440;

    struct State
    {
        double LastGood = 0.0;     // 0: no good pull this run
        double FailingSince = 0.0; // 0: the last pull of it went well, or there was none
        std::optional<GroupProblem> Problem;
    };

    void Record(const ExchangeReport& report, double now);
    [[nodiscard]] State Of(const std::string& group) const;
    [[nodiscard]] bool IsFailingLong(const TBWListLocation& group, double now) const;

    // The group's state in a sentence, for the groups dialog.
    [[nodiscard]] QString Describe(const TBWListLocation& group, double now) const;
    // One line for each group switched on that has failed for long, for the tray's tooltip; empty
    // when there is none.
    [[nodiscard]] QString LongFailures(const TBWGroupList& groups, double now) const;

private:
    std::map<std::string, State> m_states;
};
