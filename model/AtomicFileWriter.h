#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Writes a file so that readers and crashes only ever see the old or the new version: the bytes
// go to a temporary file in the same folder, which is flushed to disk and renamed over the target
// on Commit, after which the folder is flushed too. A writer destroyed without Commit, or whose
// Commit fails, removes its temporary file and leaves the target as it was.
//
// Who may read the file in the end depends on what it is for (NewFile). Failures throw EBWError with
// a text that names the target file.
class AtomicFileWriter
{
public:
    enum class NewFile
    {
        // The user's alone (0600), also when it replaces a file that others could read: everything
        // in the data folder, where a loose mode left by a restore or another program must not stay.
        Private,
        // A new file gets the usual permissions (the umask applies) and a replaced one keeps its own:
        // a group's file in a shared folder, which the other members must go on reading.
        Shared,
        // A new file is the user's alone and a replaced one keeps its permissions: a file written
        // wherever the user says (bwlist pack), which may be published on purpose.
        PrivateIfNew,
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
