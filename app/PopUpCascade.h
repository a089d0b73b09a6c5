#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// Where a new pop-up goes: the places lie on the screen's diagonal, one step apart, so that each
// window shows the title of the one beneath it. The first is the middle of the screen; where a
// pop-up already sits there, the next place down and to the right, going on at the top left before
// a window would leave the screen. Two reminders due together never hide each other exactly, as
// long as the screen has places enough; then the place with the fewest pop-ups is used.
[[nodiscard]] QPoint CascadePosition(const QRect& screen, const QSize& size, const std::vector<QPoint>& taken,
                                     int step);
