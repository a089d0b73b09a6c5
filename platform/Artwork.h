#pragma once

#include <QIcon>

// The program's pictures, kept as SVG in the program's resources.

// The bell: window, tray and about dialog.
[[nodiscard]] QIcon ProgramIcon();
// The bell with a warning mark, for the tray while a group cannot be reached.
[[nodiscard]] QIcon ProgramWarningIcon();

// The state marks in front of the message rows.
enum class StateMark
{
    Grey = 0,   // the due moment has passed
    Yellow = 1, // delivered at least once, the next occurrence pending
    Green = 2,  // pending, never delivered
};
[[nodiscard]] QIcon StateMarkIcon(StateMark mark);
