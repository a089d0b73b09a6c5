#pragma once

#include "ReminderDelivery.h"

#include <filesystem>
#include <functional>
#include <memory>

class Dialogs;
class PersonalReminders;
class QWidget;
class SpareCopy;

// The tick's periodic jobs as the main window does them: the spare copy "bwlist.bak" of the personal
// list (see SpareCopy), the pull of the groups, and after the due scan of the user's own messages the
// re-sort (with "Autosort" on) and the repaint of the list.
class MainWindowTickJobs final : public TickJobs
{
public:
    // window gives the window a question about the spare copy belongs to, when it is asked.
    MainWindowTickJobs(PersonalReminders& reminders, const std::filesystem::path& dataFolder, Dialogs& dialogs,
                       std::function<QWidget*()> window, std::function<void()> pullGroups);
    ~MainWindowTickJobs() override;
    MainWindowTickJobs(const MainWindowTickJobs&) = delete;
    MainWindowTickJobs& operator=(const MainWindowTickJobs&) = delete;

    // May fail with EBWError; the failure ends the tick and is shown.
    void SaveBackup() override;
    void PullGroups() override;
    void PersonalPassDone() override;

private:
    PersonalReminders& m_reminders;
    std::unique_ptr<SpareCopy> m_spareCopy;
    std::function<void()> m_pullGroups;
};
