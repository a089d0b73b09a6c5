#pragma once

class QWidget;

// Keeps a top-level window off the taskbar, for windows that come and go on their own (the reminder
// pop-ups): the program has its one taskbar entry, the main window's, or none. Called before each
// showing, since a desktop may drop the hint when the window is hidden. The window is expected to
// be a Qt::Tool window, which is all that Windows and macOS need; X11 taskbars are told as well.
void KeepOffTaskbar(QWidget& window);
