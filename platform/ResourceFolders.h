#pragma once

#include <QString>

// Where the program's own files are: the help pages and the default alert sounds. An installed
// program finds them in ../share/bellwick beside its bin folder, and so does a program in the build
// folder, which mirrors that layout. A program folder without that layout (a Windows installation,
// an unpacked archive) keeps them beside the program: help/ and the sounds themselves.
class ResourceFolders
{
public:
    explicit ResourceFolders(const QString& programFolder);

    [[nodiscard]] const QString& Help() const { return m_help; }
    [[nodiscard]] const QString& Sounds() const { return m_sounds; }
    // False when the folders chosen do not hold the help's start page and the first alert sound,
    // so that the program can say where it looked instead of failing silently later.
    [[nodiscard]] bool Complete() const;

private:
    QString m_help;
    QString m_sounds;
};
