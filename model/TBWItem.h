#pragma once

#include "TextUtil.h"

#include <array>
#include <cstdint>
#include <string>

// One reminder message: what is shown, when it falls due, what happens then, and to which groups
// it was sent. Its Id follows it through every list, file and group.
class TBWItem
{
public:
    static constexpr int LineCount = 10;

    std::string Title;
    std::string Text;
    std::string Author;
    TStringList Recipients;
    double DueTime = 0.0;
    double LastDueTime = 0.0;
    std::uint8_t Kind = 0;
    std::int32_t Id = 0;
    std::uint8_t RepeatKind = 0;
    // [0]: for recipients only (not for me); [1..7]: active Monday..Sunday.
    std::array<bool, 8> DayFlags{};

    // Id from the moment of creation and the text lengths: LL DD TTTTT.
    void GenerateId(double now);
    [[nodiscard]] int ActiveDayCount() const;
    void ActivateAllDays();
    // Moves DueTime to the first occurrence that comes at or after the moment. Takes the same time
    // however far back DueTime lies.
    void AdvanceDueTime(double moment);
    // When the occurrence at DueTime comes: DueTime itself on an active weekday, else the same time
    // of day on the next active weekday.
    [[nodiscard]] double EffectiveDueTime() const;
    // Takes the occurrence that has come by now, if it was not taken yet, delivered or not:
    // LastDueTime := DueTime and DueTime moves on. Returns whether one was taken.
    bool TakeOccurrence(double now);
    // Takes the occurrence due at now (at most once) and tells whether it should be delivered: not
    // when now falls on an inactive weekday (the program did not run on the active day), and then
    // LastDueTime keeps naming the last occurrence that was delivered.
    bool CheckDue(double now);
    void Assign(const TBWItem& source);
    // The record's 10 lines, each followed by CR LF, added to the text.
    void AppendLines(std::string& text) const;
    // Reads the record's 10 lines from where the reader stands, reusing this record's storage.
    void LoadFromLines(TLineReader& lines);

    [[nodiscard]] bool IsActiveOn(int isoWeekday) const { return DayFlags.at(static_cast<std::size_t>(isoWeekday)); }
};

enum : std::uint8_t
{
    KindSimpleMessage = 0,
    KindExecuteFiles = 1,
};

enum : std::uint8_t
{
    RepeatNone = 0,
    RepeatDaily = 1,
    RepeatWeekly = 2,
    RepeatMonthly = 3,
    RepeatYearly = 4,
};
