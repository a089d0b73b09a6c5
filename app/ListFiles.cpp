#include "ListFiles.h"

#include "AtomicFileWriter.h"
#include "ProcessLists.h"

#include <exception>
#include <system_error>

namespace {

QString PathText(const std::filesystem::path& path)
{
    return QString::fromLocal8Bit(path.string());
}

QString FailureText(const std::exception& failure)
{
    return QString::fromLocal8Bit(failure.what());
}

// The first of "<name>.damaged", "<name>.damaged-2", ... that does not exist yet.
std::filesystem::path FreeCopyName(const std::filesystem::path& file)
{
    std::filesystem::path copy = file;
    copy += ".damaged";
    std::error_code error;
    for (int number = 2; std::filesystem::exists(copy, error); ++number) {
        copy = file;
        copy += ".damaged-" + std::to_string(number);
    }
    return copy;
}

} // namespace

ListFiles::ListFiles(std::filesystem::path dataFolder, Report report)
    : m_dataFolder(std::move(dataFolder)), m_report(std::move(report))
{}

std::filesystem::path ListFiles::GroupListFile() const
{
    return m_dataFolder / "glist.dat";
}

std::filesystem::path ListFiles::PersonalListFile() const
{
    return m_dataFolder / "bwlist.dat";
}

std::filesystem::path ListFiles::PostponedListFile() const
{
    return m_dataFolder / "bwpostponed.dat";
}

std::filesystem::path ListFiles::GroupItemListsFolder() const
{
    return m_dataFolder / "BWELists";
}

void ListFiles::Load(ProcessLists& lists) const
{
    // Saves cut short by a crash leave temporary files; nothing else writes here yet.
    for (const std::filesystem::path& folder : {m_dataFolder, m_dataFolder / "BWLists", m_dataFolder / "BWELists"}) {
        AtomicFileWriter::RemoveLeftovers(folder);
    }
    LoadGroupList(lists);
    LoadPersonalList(lists);
    LoadGroupItemLists(lists);
}

void ListFiles::LoadGroupList(ProcessLists& lists) const
{
    try {
        (void)::LoadGroupList(lists.GroupList, GroupListFile());
    } catch (const std::exception& failure) {
        ReportUnreadable(GroupListFile(), FailureText(failure));
    }
}

void ListFiles::LoadPersonalList(ProcessLists& lists) const
{
    try {
        if (LoadItemList(lists.PersonalList, PersonalListFile(), PersonalListPassword) == LoadCheckFailed) {
            ReportUnreadable(PersonalListFile(), tr("The file is damaged or was not written by Bellwick."));
        }
    } catch (const std::exception& failure) {
        ReportUnreadable(PersonalListFile(), FailureText(failure));
    }
}

void ListFiles::LoadGroupItemLists(ProcessLists& lists) const
{
    // Every enabled group gets its list, empty when its file is missing or unusable, so that the
    // scheduler and the saving find one for each.
    lists.GroupItemLists.Clear();
    for (const auto& group : lists.GroupList) {
        if (!group->Enabled) {
            continue;
        }
        TBWItemList& items = lists.GroupItemLists.Add(group->Name, std::make_unique<TBWItemList>());
        std::filesystem::path file;
        try {
            file = GroupFilePath(GroupItemListsFolder(), group->Name);
            if (LoadItemList(items, file, group->Password) == LoadCheckFailed) {
                ReportUnreadable(file, tr("The file is damaged, or the password of the group \"%1\" does not fit it.")
                                           .arg(QString::fromLocal8Bit(group->Name)));
            }
        } catch (const std::exception& failure) {
            if (file.empty()) {
                m_report(FailureText(failure));
            } else {
                ReportUnreadable(file, FailureText(failure));
            }
        }
    }
}

void ListFiles::SaveGroupList(const ProcessLists& lists) const
{
    try {
        (void)::SaveGroupList(lists.GroupList, GroupListFile());
    } catch (const std::exception& failure) {
        m_report(FailureText(failure));
    }
}

void ListFiles::SavePersonalList(const ProcessLists& lists) const
{
    try {
        SaveItemList(lists.PersonalList, PersonalListFile(), PersonalListPassword);
    } catch (const std::exception& failure) {
        m_report(FailureText(failure));
    }
}

void ListFiles::SaveGroupItemLists(const ProcessLists& lists) const
{
    for (const auto& group : lists.GroupList) {
        if (!group->Enabled) {
            continue;
        }
        try {
            const TBWItemList* items = lists.GroupItemLists.Find(group->Name);
            const std::filesystem::path file = GroupFilePath(GroupItemListsFolder(), group->Name);
            std::error_code error;
            // An empty list adds nothing to a missing file; writing it would make a group that the
            // pull has not joined yet look joined.
            if (items != nullptr && (!items->empty() || std::filesystem::exists(file, error))) {
                SaveItemList(*items, file, group->Password);
            }
        } catch (const std::exception& failure) {
            m_report(FailureText(failure));
        }
    }
}

void ListFiles::LoadPostponedList(TBWItemList& list) const
{
    try {
        if (LoadItemList(list, PostponedListFile(), PersonalListPassword) == LoadCheckFailed) {
            ReportUnreadable(PostponedListFile(), tr("The file is damaged or was not written by Bellwick."));
        }
    } catch (const std::exception& failure) {
        ReportUnreadable(PostponedListFile(), FailureText(failure));
    }
}

void ListFiles::SavePostponedList(const TBWItemList& list) const
{
    try {
        SaveItemList(list, PostponedListFile(), PersonalListPassword);
    } catch (const std::exception& failure) {
        m_report(FailureText(failure));
    }
}

void ListFiles::ReportUnreadable(const std::filesystem::path& file, const QString& reason) const
{
    const std::filesystem::path copy = FreeCopyName(file);
    std::error_code error;
    if (std::filesystem::copy_file(file, copy, std::filesystem::copy_options::none, error)) {
        m_report(tr("The file \"%1\" could not be read completely: %2\n\nBellwick goes on with what it could read. "
                    "The file as it was is kept as \"%3\".")
                     .arg(PathText(file), reason, PathText(copy)));
    } else {
        m_report(tr("The file \"%1\" could not be read completely: %2\n\nA copy of it could not be kept (%3).")
                     .arg(PathText(file), reason, QString::fromLocal8Bit(error.message())));
    }
}
