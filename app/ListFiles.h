#pragma once

#include "ItemList.h"

#include <QCoreApplication>
#include <QString>

#include <filesystem>
#include <functional>

struct ProcessLists;

// The list files of the data folder: "glist.dat" (the groups), "bwlist.dat" (the personal list),
// "bwpostponed.dat" (the reminders put off) and one working list per enabled group in BWELists/. Each file is loaded
// and saved on its own, so one that fails does not keep the others from loading or saving; every failure is handed to
// the report with its text.
//
// A file that is there but cannot be read cleanly (damaged, foreign, a wrong password) would be
// overwritten at the next save by whatever could be read from it. Before that can happen its bytes
// are kept beside it as "<name>.damaged" (or "<name>.damaged-2", ...), and the report says so.
class ListFiles
{
    Q_DECLARE_TR_FUNCTIONS(ListFiles)

public:
    using Report = std::function<void(const QString& text)>;

    ListFiles(std::filesystem::path dataFolder, Report report);

    void Load(ProcessLists& lists) const;
    // Rebuilds the working lists for the groups enabled now, each from its file.
    void LoadGroupItemLists(ProcessLists& lists) const;
    void SaveGroupList(const ProcessLists& lists) const;
    void SavePersonalList(const ProcessLists& lists) const;
    void SaveGroupItemLists(const ProcessLists& lists) const;
    // The reminders put off with "Remind me later", kept beside the personal list in the same form.
    void LoadPostponedList(TBWItemList& list) const;
    void SavePostponedList(const TBWItemList& list) const;

    [[nodiscard]] std::filesystem::path GroupListFile() const;
    [[nodiscard]] std::filesystem::path PersonalListFile() const;
    [[nodiscard]] std::filesystem::path PostponedListFile() const;
    [[nodiscard]] std::filesystem::path GroupItemListsFolder() const;

private:
    void LoadGroupList(ProcessLists& lists) const;
    void LoadPersonalList(ProcessLists& lists) const;
    // Keeps a copy of a file that did not read cleanly and tells the user what happened.
    void ReportUnreadable(const std::filesystem::path& file, const QString& reason) const;

    std::filesystem::path m_dataFolder;
    Report m_report;
};
