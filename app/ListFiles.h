#pragma once

#include "ItemList.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>

struct ProcessLists;
class SecretStore;

// The list files of the data folder: "glist.dat" (the groups), "bwlist.dat" (the personal list),
// "bwpostponed.dat" (the reminders put off) and one working list per enabled group in BWELists/. Each file is loaded
// and saved on its own, so one that fails does not keep the others from loading or saving; every failure is handed to
// the report with its text.
//
// A file that is there but cannot be read cleanly would be overwritten at the next save by whatever
// could be read from it. Its bytes are kept first: "bwlist.dat" and "glist.dat" are copied to
// "<name>.damaged" (or "<name>.damaged-2", ...) and the program goes on with what it read; a
// group's working list, which the next pull fills again, is moved aside under that name. The
// report says where. When the bytes cannot be kept - the file cannot be read at all (no permission,
// a disk error) or the folder takes no copy - nothing may ever be saved over the file, and the load
// says why the program must not go on.
//
// With a password store, the groups' passwords are kept there instead of in glist.dat (see
// GroupPasswords).
class ListFiles
{
    Q_DECLARE_TR_FUNCTIONS(ListFiles)

public:
    using Report = std::function<void(const QString& text)>;

    ListFiles(std::filesystem::path dataFolder, Report report, SecretStore* secrets = nullptr);

    // Nothing when the program may go on; otherwise the text that tells the user which file could
    // not be read, why, and that it was left as it was.
    [[nodiscard]] std::optional<QString> Load(ProcessLists& lists) const;

    // Load as the start runs it: what there is to tell is gathered and told only once every list is
    // loaded, because a message box lets ticks run, and they must not find the lists half loaded.
    struct StartLoad
    {
        QStringList Notes;
        std::optional<QString> Stop;
    };
    [[nodiscard]] static StartLoad LoadForStart(const std::filesystem::path& dataFolder, ProcessLists& lists,
                                                SecretStore* secrets);
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
    enum class Keep
    {
        Copy, // the file stays where it is; its bytes are copied aside
        Move, // the file itself is moved aside
    };

    std::optional<QString> LoadGroupList(ProcessLists& lists) const;
    std::optional<QString> LoadPersonalList(ProcessLists& lists) const;
    std::optional<QString> LoadWorkingLists(ProcessLists& lists) const;
    // Keeps the bytes of a file that did not read cleanly and tells the user where; when they
    // cannot be kept, returns the text that stops the program instead.
    std::optional<QString> KeepUnreadable(const std::filesystem::path& file, const QString& what, const QString& reason,
                                          Keep keep, const QString& afterMove = {}) const;
    static QString GroupComesBack();

    std::filesystem::path m_dataFolder;
    Report m_report;
    SecretStore* m_secrets;
};
