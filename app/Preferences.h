#pragma once

#include <QString>

#include <array>
#include <cstdint>

class PreferencesStore;

// The user's preferences, read once at start and written once at the end.
struct Preferences
{
    static constexpr int AlertSoundCount = 9;

    QString UserName;
    bool EnableSounds = true;
    bool ShowHints = true;
    bool AutoSort = true;
    // "Start with the desktop": the desktop's autostart entry starts the program at log-on.
    bool StartWithDesktop = false;
    // Reminders as the desktop's notifications instead of pop-up windows, where the desktop has them.
    bool NotifyThroughDesktop = false;
    // 0 due time, 1 kind, 2 title, -1 none.
    std::int32_t SortColumn = 0;
    bool SortReversed = false;
    // The list shows the groups' reminders beside the user's own ("All") or the user's alone.
    bool ShowTeamReminders = true;
    // The hourly chime; switched only by editing the store outside the program.
    bool ChimeEnabled = false;
    // "s1.wav" ... "s9.wav" unless the store says otherwise; only the first is played.
    std::array<QString, AlertSoundCount> AlertSounds;

    Preferences();

    // Every value from the store; a value that is missing or cannot be read keeps its default.
    [[nodiscard]] static Preferences Load(const PreferencesStore& store);
    // Writes every value but "FXH1Alert", then makes them permanent (which may fail with EBWError).
    void Save(PreferencesStore& store) const;
};

// The conversions between the stored forms and the values. A number may be stored as a number or as
// its decimal text; a text that is not a decimal number reads as the default; a boolean is true when
// its number is not 0 and is written as "0" or "1".
[[nodiscard]] QString ReadText(const PreferencesStore& store, const QString& section, const QString& name,
                               const QString& fallback);
[[nodiscard]] std::int32_t ReadInteger(const PreferencesStore& store, const QString& section, const QString& name,
                                       std::int32_t fallback);
[[nodiscard]] bool ReadBool(const PreferencesStore& store, const QString& section, const QString& name, bool fallback);
// An integer is stored as a number, or as its decimal text when the stored value is a text.
void WriteInteger(PreferencesStore& store, const QString& section, const QString& name, std::int32_t value);
void WriteBool(PreferencesStore& store, const QString& section, const QString& name, bool value);
