#pragma once

#include <QStringList>

// The whole program: one copy per user, the services, the lists, the windows, the event loop, and the
// saving at the end however the end comes (tray "Exit", the end of the session, SIGTERM/SIGHUP/SIGINT).
[[nodiscard]] int RunBWClient(int argc, char** argv);

// "/m" among the arguments, exactly so in lower case, anywhere in them: start hidden in the tray.
// The program's own path is not looked at: a folder whose name starts with "m" must not hide it.
[[nodiscard]] bool HasHiddenStartSwitch(const QStringList& arguments);
