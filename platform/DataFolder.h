#pragma once

#include <QString>

#include <filesystem>

// Shell folders that the program asks for; the value is the one the shell gives the folder.
enum class SpecialFolder
{
    AppData = 26, // the user's application data (on Linux the XDG data folder)
};

// The path of a special folder without a trailing separator; empty when it cannot be resolved.
[[nodiscard]] QString GetSpecialFolderPath(SpecialFolder folder);

// The per-user data folder and its layout: the list files at the top, the group copies in BWLists/,
// the group working lists in BWELists/, the logs in Logs/.
class DataFolder
{
public:
    // The root; a trailing separator is added when missing.
    explicit DataFolder(const std::filesystem::path& root);

    // <application data>/Bellwick/; when the system names no application-data folder, the same
    // below the home folder's default location for it.
    [[nodiscard]] static DataFolder ForCurrentUser();

    [[nodiscard]] const std::filesystem::path& Root() const { return m_root; }

    // Creates the root and the three subfolders with every missing level. New folders are readable
    // by the user alone. A folder that cannot be created is not reported: the list files then fail
    // to load or save with their own messages.
    void CreateTree() const;

private:
    std::filesystem::path m_root;
};
