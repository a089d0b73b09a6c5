#include "MainWindowTickJobs.h"

#include "AppContext.h"
#include "ItemList.h"
#include "ProcessLists.h"
#include "SpareCopy.h"
#include "TBWCForm.h"

MainWindowTickJobs::MainWindowTickJobs(TBWCForm& form)
    : m_form(form),
      m_spareCopy(std::make_unique<SpareCopy>(form.Context().dataFolder / "bwlist.bak", form.Context().dialogs,
                                              [&form]() -> QWidget* { return form.isVisible() ? &form : nullptr; }))
{}

MainWindowTickJobs::~MainWindowTickJobs() = default;

void MainWindowTickJobs::SaveBackup()
{
    m_spareCopy->Save(m_form.Lists().PersonalList);
}

void MainWindowTickJobs::PullGroups()
{
    if (m_pullGroups) {
        m_pullGroups();
    }
}

void MainWindowTickJobs::PersonalPassDone()
{
    // A list that is still in order is not sorted again: every five seconds, over the whole list.
    const TBWItemList& list = m_form.Lists().PersonalList;
    if (m_form.CurrentPreferences().AutoSort &&
        !IsListSorted(list, [this](const TBWItem& a, const TBWItem& b) { return m_form.CompareMessages(a, b); })) {
        m_form.ResortIfAutoSort();
    }
    // Due times and state marks may have moved even when the order did not.
    m_form.RepaintList();
}
