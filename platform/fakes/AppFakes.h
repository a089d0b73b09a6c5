#pragma once

#include "AppContext.h"
#include "Clock.h"
#include "FakeAutostart.h"
#include "FakeNotificationArea.h"
#include "MemoryPreferencesStore.h"
#include "RecordingHelpService.h"
#include "RecordingShell.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"

#include <filesystem>
#include <utility>

// The services a window is built over, each a fake or a recorder that a test reads back, and the
// context that hands them in. A test fixture derives from it (or holds it) before the window it
// builds, so that the services outlive the window.
struct AppFakes
{
    explicit AppFakes(std::filesystem::path dataFolder = "/nonexistent/", double now = 0.0)
        : clock(now), context{std::move(dataFolder), clock,   preferences, shell, sound, help,
                              notificationArea,      dialogs, autostart}
    {}
    AppFakes(const AppFakes&) = delete;
    AppFakes& operator=(const AppFakes&) = delete;
    ~AppFakes() = default;

    FakeClock clock;
    MemoryPreferencesStore preferences;
    RecordingShell shell;
    RecordingSoundPlayer sound;
    RecordingHelpService help;
    FakeNotificationArea notificationArea;
    ScriptedDialogs dialogs;
    FakeAutostart autostart;
    AppContext context;
};
