#pragma once

#include "GroupFileService.h"

#include <QCoreApplication>
#include <QString>

class TBWListLocation;

// What the groups dialog says about a group's location after Test, Add or Edit: why a fetch failed,
// by its cause, with the server's fingerprint where trust failed; whether a web location takes
// changes; what the location does not allow.
class GroupTestText
{
    Q_DECLARE_TR_FUNCTIONS(GroupTestText)

public:
    // The cause in a sentence or two, and what to do; empty when nothing is known beyond the failure.
    [[nodiscard]] static QString Failure(const FetchReport& report);
    // Asks whether to trust an SSH server seen for the first time.
    [[nodiscard]] static QString TrustQuestion(const FetchReport& report);
    // For a web location with an account: whether changes can be made there.
    [[nodiscard]] static QString Writability(const FetchReport& report);
    [[nodiscard]] static QString Habits(const LocationHabits& habits);
    // Why Add or Edit could not fetch the group file, by the kind of location.
    [[nodiscard]] static QString FetchFailure(const TBWListLocation& group);
};
