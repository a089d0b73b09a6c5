#include "GroupProblemText.h"

#include "TextUtil.h"

#include <algorithm>

namespace {

QString Name(const GroupProblem& problem)
{
    return QString::fromLocal8Bit(problem.Group);
}

QString Detail(const GroupProblem& problem)
{
    return QString::fromLocal8Bit(problem.Detail);
}

// What the location said, where it said something: a host key that is not trusted, a login that
// was refused. Empty when there is nothing to add.
QString Why(const GroupProblem& problem)
{
    return problem.Detail.empty() ? QString() : QStringLiteral(" (") + Detail(problem) + QStringLiteral(")");
}

} // namespace

QString GroupProblemText::ForPublish(const GroupProblem& problem)
{
    switch (problem.Problem) {
    case GroupProblem::Kind::Unreachable:
        return tr("Group %1: the group file could not be fetched; the message was not sent to this group.")
                   .arg(Name(problem)) +
               Why(problem);
    case GroupProblem::Kind::TimedOut:
        return tr("Group %1: the location did not answer in time; the message was not sent to this group.")
            .arg(Name(problem));
    case GroupProblem::Kind::BadContainer:
        return tr("Group %1: the group file cannot be opened with this password; the message was not sent to "
                  "this group.")
            .arg(Name(problem));
    case GroupProblem::Kind::ReadFailed:
        return tr("Group %1: the group file could not be read (%2); the message was not sent to this group.")
            .arg(Name(problem), Detail(problem));
    case GroupProblem::Kind::ReadOnly:
        return tr("Group %1 is on a web address, which can only be read; the message was not sent to this group.")
                   .arg(Name(problem)) +
               Why(problem);
    case GroupProblem::Kind::SendFailed:
        return tr("Group %1: the changed group file could not be sent back; the message may not have reached "
                  "this group.")
            .arg(Name(problem));
    case GroupProblem::Kind::Busy:
        return tr("Group %1 is busy: another member is changing its group file. The message waits and will be "
                  "sent when the group is free.")
            .arg(Name(problem));
    case GroupProblem::Kind::Rejected:
        return tr("Group %1: what the location holds is not the group file (%2); the message was not sent to "
                  "this group.")
            .arg(Name(problem), Detail(problem));
    }
    return {};
}

QString GroupProblemText::ForPull(const GroupProblem& problem)
{
    switch (problem.Problem) {
    case GroupProblem::Kind::Unreachable:
        return tr("Group %1: the group file could not be fetched; its messages are as they were at the last "
                  "fetch.")
                   .arg(Name(problem)) +
               Why(problem);
    case GroupProblem::Kind::TimedOut:
        return tr("Group %1: the location did not answer in time; its messages are as they were at the last "
                  "fetch.")
            .arg(Name(problem));
    case GroupProblem::Kind::BadContainer:
        return tr("Group %1: the group file cannot be opened with this password; its messages were left as they "
                  "are.")
            .arg(Name(problem));
    case GroupProblem::Kind::Rejected:
        return tr("Group %1: what was fetched is not the group file (%2). It was set aside, and the group's "
                  "messages are as they were at the last fetch.")
            .arg(Name(problem), Detail(problem));
    case GroupProblem::Kind::ReadFailed:
    case GroupProblem::Kind::ReadOnly:
    case GroupProblem::Kind::SendFailed:
    case GroupProblem::Kind::Busy:
        return tr("Group %1: the group file could not be read (%2); its messages were left as they are.")
            .arg(Name(problem), Detail(problem));
    }
    return {};
}

QString GroupProblemText::ForJoin(const JoinedGroup& joined)
{
    return tr("Group %1: %n reminder(s) whose time had passed before you joined the group were not shown.", nullptr,
              joined.SkippedReminders)
        .arg(QString::fromLocal8Bit(joined.Group));
}

std::vector<GroupProblem> PullProblemFilter::NewProblems(const ExchangeReport& report)
{
    for (const std::string& group : report.Completed) {
        std::erase_if(m_told, [&group](const auto& entry) { return SameText(entry.first, group); });
    }
    std::vector<GroupProblem> fresh;
    for (const GroupProblem& problem : report.Problems) {
        const auto told = std::find_if(m_told.begin(), m_told.end(),
                                       [&problem](const auto& entry) { return SameText(entry.first, problem.Group); });
        if (told != m_told.end() && told->second == problem.Problem) {
            continue;
        }
        if (told != m_told.end()) {
            m_told.erase(told);
        }
        m_told.emplace(problem.Group, problem.Problem);
        fresh.push_back(problem);
    }
    return fresh;
}
