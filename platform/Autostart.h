#pragma once

#include <QString>

#include <memory>

// The desktop's list of programs started when the user logs on, as far as Bellwick is concerned: one
// entry that starts the program hidden in the tray ("/m").
class Autostart
{
public:
    virtual ~Autostart() = default;

    // Whether the entry is there and starts this program file.
    [[nodiscard]] virtual bool StartsProgram(const QString& program) const = 0;
    // Writes the entry so that it starts the program with "/m", replacing whatever entry was there.
    // Fails with EBWError, naming the entry, when it cannot be written.
    virtual void Enable(const QString& program) = 0;
    // Removes the entry; a missing entry is no failure. Fails with EBWError, naming the entry, when it
    // stays.
    virtual void Disable() = 0;
    // Where the entry lives, for the user's eyes.
    [[nodiscard]] virtual QString Location() const = 0;
};

// The autostart of the desktop the program runs on: the XDG autostart folder, or on Windows the
// user's Run key.
[[nodiscard]] std::unique_ptr<Autostart> MakeDesktopAutostart();
