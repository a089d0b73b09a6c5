#include "GroupHealth.h"

#include "DueTimeText.h"

#include <QStringList>

namespace {

QString Name(const TBWListLocation& group)
{
    return QString::fromLocal8Bit(group.Name);
}

} // namespace

void GroupHealth::Record(const ExchangeReport& report, double now)
{
    for (const std::string& group : report.Completed) {
        State& state = m_states[group];
        state.LastGood = now;
        state.FailingSince = 0.0;
        state.Problem.reset();
    }
    for (const GroupProblem& problem : report.Problems) {
        State& state = m_states[problem.Group];
        if (state.FailingSince == 0.0) {
            state.FailingSince = now;
        }
        state.Problem = problem;
    }
}

GroupHealth::State GroupHealth::Of(const std::string& group) const
{
    const auto found = m_states.find(group);
    return found == m_states.end() ? State{} : found->second;
}

bool GroupHealth::IsFailingLong(const TBWListLocation& group, double now) const
{
    const State state = Of(group.Name);
    return group.Enabled && state.FailingSince > 0.0 && now - state.FailingSince >= LongFailureDays;
}

QString GroupHealth::Describe(const TBWListLocation& group, double now) const
{
    if (!group.Enabled) {
        return tr("Switched off: its messages are not fetched.");
    }
    const State state = Of(group.Name);
    if (state.Problem) {
        QString why;
        switch (state.Problem->Problem) {
        case GroupProblem::Kind::TimedOut:
            why = tr("the location did not answer in time");
            break;
        case GroupProblem::Kind::BadContainer:
            why = tr("the group file does not open with this password");
            break;
        case GroupProblem::Kind::ReadFailed:
            why = tr("the group file could not be read");
            break;
        case GroupProblem::Kind::Rejected:
            why = tr("what the location holds is not the group file");
            break;
        default:
            why = tr("the group file could not be fetched");
            break;
        }
        const QString failing = tr("Failing since %1: %2.").arg(DueTimeText(state.FailingSince, now), why);
        return state.LastGood > 0.0
                   ? failing + QLatin1Char(' ') + tr("Last fetched %1.").arg(DueTimeText(state.LastGood, now))
                   : failing;
    }
    if (state.LastGood > 0.0) {
        return tr("Last fetched %1.").arg(DueTimeText(state.LastGood, now));
    }
    return tr("Not fetched yet.");
}

QString GroupHealth::LongFailures(const TBWGroupList& groups, double now) const
{
    QStringList lines;
    for (const auto& group : groups) {
        if (IsFailingLong(*group, now)) {
            //: The tray's tooltip: a group switched on whose messages have not come for a while.
            lines.push_back(tr("Group %1 not reachable since %2")
                                .arg(Name(*group), DueTimeText(Of(group->Name).FailingSince, now)));
        }
    }
    return lines.join(QLatin1Char('\n'));
}
