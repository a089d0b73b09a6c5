#pragma once

#include "ReminderDelivery.h"

#include <functional>
#include <memory>

class SpareCopy;
class TBWCForm;

// The tick's periodic jobs as the main window does them: the spare copy "bwlist.bak" of the personal
// list (see SpareCopy), the pull of the groups, and after the due scan of the user's own messages the re-sort (with
// "Autosort" on) and the repaint of the list.
class MainWindowTickJobs final : public TickJobs
{
public:
    explicit MainWindowTickJobs(TBWCForm& form);
    ~MainWindowTickJobs() override;
    MainWindowTickJobs(const MainWindowTickJobs&) = delete;
    MainWindowTickJobs& operator=(const MainWindowTickJobs&) = delete;

    // May fail with EBWError; the failure ends the tick and is shown.
    void SaveBackup() override;
    // Runs the pull set with SetPullGroups; until the group commands set one, nothing.
    void PullGroups() override;
    void PersonalPassDone() override;

    void SetPullGroups(std::function<void()> pull) { m_pullGroups = std::move(pull); }

private:
    TBWCForm& m_form;
    std::unique_ptr<SpareCopy> m_spareCopy;
    std::function<void()> m_pullGroups;
};
