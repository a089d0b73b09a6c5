#pragma once

#include <QString>

class Autostart;

// "Start with the desktop": keeps the desktop's autostart entry in step with the option. The entry
// starts the program file that is running now, hidden in the tray.
class AutostartOption
{
public:
    AutostartOption(Autostart& autostart, QString program);

    // The user turned the option on or off: the entry is written or removed at once, not at exit,
    // so that a log-on after a crash still does what the check mark said. Fails with EBWError.
    void Apply(bool on);
    // At start, for an option that is on: an entry that is missing (removed by hand, another
    // computer's home folder) or starts another program file (the program was moved or updated in
    // another place) is written again. Fails with EBWError.
    void Repair(bool on);

private:
    Autostart& m_autostart;
    QString m_program;
};
