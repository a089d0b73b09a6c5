#pragma once

#include <filesystem>

class Autostart;
class Clock;
class DesktopNotifications;
class Dialogs;
class HelpService;
class NotificationArea;
class PreferencesStore;
class SecretStore;
class Shell;
class SoundPlayer;

// What a window needs from the world outside the program, handed in at construction so that a test
// can build any window over a temporary data folder, a fake clock and recording services.
// The services live as long as the program; the context only refers to them.
struct AppContext
{
    // The per-user data folder, ending with a separator.
    std::filesystem::path dataFolder;
    Clock& clock;
    PreferencesStore& preferences;
    Shell& shell;
    SoundPlayer& sound;
    HelpService& help;
    NotificationArea& notificationArea;
    Dialogs& dialogs;
    Autostart& autostart;
    // The desktop's password store for the groups' passwords; none: they stay in glist.dat.
    SecretStore* secrets = nullptr;
    // The desktop's notification service, for reminders sent as notifications; none: pop-ups only.
    DesktopNotifications* notifications = nullptr;
};
