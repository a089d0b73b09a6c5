#include "MainWindowTickJobs.h"

#include "DataFolderLayout.h"
#include "PersonalReminders.h"
#include "SpareCopy.h"

MainWindowTickJobs::MainWindowTickJobs(PersonalReminders& reminders, const std::filesystem::path& dataFolder,
                                       Dialogs& dialogs, std::function<QWidget*()> window,
                                       std::function<void()> pullGroups)
    : m_reminders(reminders),
      m_spareCopy(std::make_unique<SpareCopy>(DataFolderLayout(dataFolder).SpareCopy(), dialogs, std::move(window))),
      m_pullGroups(std::move(pullGroups))
{}

MainWindowTickJobs::~MainWindowTickJobs() = default;

void MainWindowTickJobs::SaveBackup()
{
    m_spareCopy->Save(m_reminders.Items());
}

void MainWindowTickJobs::PullGroups()
{
    m_pullGroups();
}

void MainWindowTickJobs::PersonalPassDone()
{
    m_reminders.DueScanDone();
}
