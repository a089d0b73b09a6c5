#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Writes a file so that readers and crashes only ever see the old or the new version: the bytes
// go to a temporary file in the same folder, which is flushed to disk and renamed over the target
// on Commit, after which the folder is flushed too. A writer destroyed without Commit, or whose
// Commit fails, removes its temporary file and leaves the target as it was.
//
// A replaced file keeps its permissions. A new one is private to the user, unless it is created
// for others to read (a group file in a shared folder), when it gets the usual permissions.
// Failures throw EBWError with a text that names the target file.
class AtomicFileWriter
{
public:
    enum class NewFile
    {
        Private,
        Shared,
    };

    explicit AtomicFileWriter(std::filesystem::path target, NewFile newFile = NewFile::Private);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // A writer killed before Commit leaves its temporary file behind. At start-up, while nothing
    // else writes there, such files are removed from the folder; returns how many.
    static int RemoveLeftovers(const std::filesystem::path& folder);

    void Write(std::string_view bytes);
    // Replaces bytes written before (a header known only at the end).
    void WriteAt(std::size_t offset, std::string_view bytes);
    void Commit();
    // Commit, unless the target already holds exactly the bytes written: then the temporary file
    // is dropped and the target is not touched at all. Returns whether the target was replaced.
    bool CommitUnlessSame();
    void Discard();

private:
    [[noreturn]] void Fail(const std::string& what, int error);
    void StartWriteBack();
    [[nodiscard]] bool TargetHoldsTheSameBytes() const;

    std::filesystem::path m_target;
    std::string m_temporary;
    int m_fd = -1;
    std::size_t m_size = 0;          // bytes appended by Write
    std::size_t m_writeBackFrom = 0; // where the bytes not yet sent towards the disk begin
};
