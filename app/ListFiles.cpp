#include "ListFiles.h"

#include "AtomicFileWriter.h"
#include "BWError.h"
#include "FileIO.h"
#include "GroupPasswords.h"
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

// Something other than a regular file in a list file's place (a folder, a pipe): the loaders see no
// file there, but a save would still replace it.
bool IsThereButNoFile(const std::filesystem::path& file)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(file, error);
    return std::filesystem::exists(status) && !std::filesystem::is_regular_file(file, error);
}

} // namespace

ListFiles::ListFiles(std::filesystem::path dataFolder, Report report, SecretStore* secrets)
    : m_dataFolder(std::move(dataFolder)), m_report(std::move(report)), m_secrets(secrets)
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

std::optional<QString> ListFiles::Load(ProcessLists& lists) const
{
    // Saves cut short by a crash leave temporary files; nothing else writes here yet.
    for (const std::filesystem::path& folder : {m_dataFolder, m_dataFolder / "BWLists", m_dataFolder / "BWELists"}) {
        AtomicFileWriter::RemoveLeftovers(folder);
    }
    if (auto stop = LoadGroupList(lists)) {
        return stop;
    }
    if (auto stop = LoadPersonalList(lists)) {
        return stop;
    }
    return LoadWorkingLists(lists);
}

ListFiles::StartLoad ListFiles::LoadForStart(const std::filesystem::path& dataFolder, ProcessLists& lists,
                                             SecretStore* secrets)
{
    StartLoad loaded;
    loaded.Stop = ListFiles(
                      dataFolder, [&loaded](const QString& text) { loaded.Notes.push_back(text); }, secrets)
                      .Load(lists);
    return loaded;
}

std::optional<QString> ListFiles::LoadGroupList(ProcessLists& lists) const
{
    const QString what = tr("your groups");
    try {
        if (!::LoadGroupList(lists.GroupList, GroupListFile()) && IsThereButNoFile(GroupListFile())) {
            return KeepUnreadable(GroupListFile(), what, tr("It is not a file."), Keep::Copy);
        }
    } catch (const std::exception& failure) {
        if (auto stop = KeepUnreadable(GroupListFile(), what, FailureText(failure), Keep::Copy)) {
            return stop;
        }
    }
    const GroupPasswords::Fetched fetched = GroupPasswords(m_secrets).Fetch(lists.GroupList);
    if (!fetched.Problem.isEmpty()) {
        m_report(fetched.Problem);
    }
    if (fetched.MoveToStore) {
        // At once, not at the end of the run: the passwords leave the file as soon as they can.
        SaveGroupList(lists);
    }
    return std::nullopt;
}

std::optional<QString> ListFiles::LoadPersonalList(ProcessLists& lists) const
{
    const QString what = tr("your reminders");
    try {
        switch (LoadItemList(lists.PersonalList, PersonalListFile(), PersonalListPassword)) {
        case LoadCheckFailed:
            return KeepUnreadable(PersonalListFile(), what, tr("The file is damaged or was not written by Bellwick."),
                                  Keep::Copy);
        case LoadNoFile:
            if (IsThereButNoFile(PersonalListFile())) {
                return KeepUnreadable(PersonalListFile(), what, tr("It is not a file."), Keep::Copy);
            }
            break;
        default:
            break;
        }
    } catch (const std::exception& failure) {
        return KeepUnreadable(PersonalListFile(), what, FailureText(failure), Keep::Copy);
    }
    return std::nullopt;
}

void ListFiles::LoadGroupItemLists(ProcessLists& lists) const
{
    // Later in the run there is no stopping any more; the user is told all the same.
    if (const std::optional<QString> problem = LoadWorkingLists(lists)) {
        m_report(*problem);
    }
}

std::optional<QString> ListFiles::LoadWorkingLists(ProcessLists& lists) const
{
    // Every enabled group gets its list, empty when its file is missing or unusable, so that the
    // scheduler and the saving find one for each.
    lists.GroupItemLists.Clear();
    std::optional<QString> stop;
    const GroupPasswords passwords(m_secrets);
    for (const auto& group : lists.GroupList) {
        // A group whose password is not known in this run is left out; its file stays as it is.
        if (!group->Enabled || passwords.IsUnknown(*group)) {
            continue;
        }
        TBWItemList& items = lists.GroupItemLists.Add(group->Name, std::make_unique<TBWItemList>());
        std::filesystem::path file;
        std::optional<QString> problem;
        const QString what = tr("the working list of the group \"%1\"").arg(QString::fromLocal8Bit(group->Name));
        try {
            file = GroupFilePath(GroupItemListsFolder(), group->Name);
            switch (LoadItemList(items, file, group->Password)) {
            case LoadCheckFailed:
                problem = KeepUnreadable(file, what,
                                         tr("The file is damaged, or the password of the group \"%1\" does not fit it.")
                                             .arg(QString::fromLocal8Bit(group->Name)),
                                         Keep::Move, GroupComesBack());
                break;
            case LoadNoFile:
                if (IsThereButNoFile(file)) {
                    problem = KeepUnreadable(file, what, tr("It is not a file."), Keep::Move, GroupComesBack());
                }
                break;
            default:
                break;
            }
        } catch (const std::exception& failure) {
            if (file.empty()) {
                m_report(FailureText(failure));
            } else {
                problem = KeepUnreadable(file, what, FailureText(failure), Keep::Move, GroupComesBack());
            }
        }
        if (problem && !stop) {
            stop = problem;
        }
    }
    return stop;
}

void ListFiles::SaveGroupList(const ProcessLists& lists) const
{
    try {
        // The groups the file holds now, so that the store forgets those that are gone.
        TBWGroupList before;
        if (m_secrets != nullptr) {
            try {
                (void)::LoadGroupList(before, GroupListFile());
            } catch (const std::exception&) {
                before.clear(); // a damaged file names no groups worth forgetting
            }
        }
        (void)::SaveGroupList(GroupPasswords(m_secrets).ForFile(lists.GroupList, before), GroupListFile());
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
    const GroupPasswords passwords(m_secrets);
    for (const auto& group : lists.GroupList) {
        if (!group->Enabled || passwords.IsUnknown(*group)) {
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
    // Only when reminders were put off; losing that is no reason to stop, keeping the file is.
    const QString what = tr("your postponed reminders");
    std::optional<QString> problem;
    try {
        if (LoadItemList(list, PostponedListFile(), PersonalListPassword) == LoadCheckFailed) {
            problem = KeepUnreadable(PostponedListFile(), what,
                                     tr("The file is damaged or was not written by Bellwick."), Keep::Move);
        }
    } catch (const std::exception& failure) {
        problem = KeepUnreadable(PostponedListFile(), what, FailureText(failure), Keep::Move);
    }
    if (problem) {
        // Neither read nor moved: the folder refuses writes, so the saves that follow fail too.
        m_report(tr("The file \"%1\" could not be read, nor moved aside. Reminders you put off come up again at once.")
                     .arg(PathText(PostponedListFile())));
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

QString ListFiles::GroupComesBack()
{
    return tr("The group's messages come back with its next fetch.");
}

std::optional<QString> ListFiles::KeepUnreadable(const std::filesystem::path& file, const QString& what,
                                                 const QString& reason, Keep keep, const QString& afterMove) const
{
    const std::filesystem::path aside = FreeCopyName(file);
    if (keep == Keep::Move) {
        // A rename reads nothing: it keeps even a file that cannot be read at all.
        std::error_code error;
        std::filesystem::rename(file, aside, error);
        if (!error) {
            m_report(tr("The file \"%1\" could not be read: %2\n\nIt was moved, as it was, to \"%3\". %4")
                         .arg(PathText(file), reason, PathText(aside), afterMove)
                         .trimmed());
            return std::nullopt;
        }
    } else {
        try {
            if (!std::filesystem::is_regular_file(file)) {
                throw EBWError("not a regular file");
            }
            WriteFileAtomically(aside, ReadWholeFile(file));
            m_report(tr("The file \"%1\" could not be read completely: %2\n\nBellwick goes on with what it could "
                        "read. The file as it was is kept as \"%3\".")
                         .arg(PathText(file), reason, PathText(aside)));
            return std::nullopt;
        } catch (const std::exception&) {
            // The reason the file could not be read says enough; the copy failed for the same cause.
        }
    }
    return tr("Bellwick cannot read %1 in \"%2\": %3\n\nThe file was left as it was, and Bellwick ends now so that "
              "nothing is saved over it. Make the file readable again, or move it elsewhere to start without it, "
              "then start Bellwick again.")
        .arg(what, PathText(file), reason);
}
