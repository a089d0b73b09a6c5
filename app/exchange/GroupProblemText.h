#pragma once

#include "GroupProblem.h"

#include <QCoreApplication>
#include <QString>

#include <map>
#include <string>
#include <vector>

// The user's words for what a publish or a pull could not do.
class GroupProblemText
{
    Q_DECLARE_TR_FUNCTIONS(GroupProblemText)

public:
    [[nodiscard]] static QString ForPublish(const GroupProblem& problem);
    [[nodiscard]] static QString ForPull(const GroupProblem& problem);
    [[nodiscard]] static QString ForJoin(const JoinedGroup& joined);
};

// Pulls run every minute: a group that stays unreachable or keeps the wrong password must be
// told about once, not every minute. A problem is told again only after the group recovered.
class PullProblemFilter
{
public:
    // The problems of this pull that the user has not been told about yet.
    [[nodiscard]] std::vector<GroupProblem> NewProblems(const ExchangeReport& report);

private:
    std::map<std::string, GroupProblem::Kind> m_told;
};
