#include "FileIO.h"

#include "AtomicFileWriter.h"
#include "BWError.h"
#include "FileSystem.h"

namespace {

std::string Quoted(const std::filesystem::path& fileName)
{
    return "\"" + fileName.string() + "\"";
}

[[noreturn]] void FailToOpen(const std::filesystem::path& fileName, int error)
{
    throw EBWError("Cannot open file " + Quoted(fileName) + ". " + FileSystem::ErrorText(error));
}

// Reads the open file to its end straight into the buffer that is returned, sized once from the
// file's length; only a file that grows while it is read makes it grow.
std::string ReadAll(FileSystem::TFile& file, std::int64_t size)
{
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    std::size_t used = 0;
    char probe[4096];
    for (;;) {
        const bool full = used == bytes.size();
        char* target = full ? probe : bytes.data() + used;
        int error = 0;
        const std::int64_t got = file.Read(target, full ? sizeof probe : bytes.size() - used, error);
        if (got < 0) {
            throw EBWError("Stream read error");
        }
        if (got == 0) {
            break;
        }
        if (full) {
            bytes.append(probe, static_cast<std::size_t>(got));
        }
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return bytes;
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& fileName)
{
    int error = 0;
    FileSystem::TFile file = FileSystem::OpenForReading(fileName, error);
    if (!file.IsOpen()) {
        FailToOpen(fileName, error);
    }
    const std::optional<FileSystem::TFileStatus> status = file.Status();
    if (!status) {
        FailToOpen(fileName, FileSystem::LastError());
    }
    return ReadAll(file, status->Identity.Size);
}

std::optional<std::string> ReadRegularFile(const std::filesystem::path& fileName)
{
    int error = 0;
    FileSystem::TFile file = FileSystem::OpenForReading(fileName, error);
    if (!file.IsOpen()) {
        if (FileSystem::IsNotFound(error)) {
            return std::nullopt;
        }
        FailToOpen(fileName, error);
    }
    const std::optional<FileSystem::TFileStatus> status = file.Status();
    if (!status) {
        FailToOpen(fileName, FileSystem::LastError());
    }
    if (!status->Regular) {
        return std::nullopt;
    }
    return ReadAll(file, status->Identity.Size);
}

void WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes,
                         AtomicFileWriter::NewFile newFile)
{
    AtomicFileWriter writer(fileName, newFile);
    writer.Write(bytes);
    writer.Commit();
}

void AppendToFile(const std::filesystem::path& fileName, std::string_view bytes)
{
    int error = 0;
    FileSystem::TFile file = FileSystem::OpenForAppending(fileName, error);
    if (!file.IsOpen()) {
        throw EBWError(FileSystem::IoErrorText(error));
    }
    // A log made by an older version, or restored from a backup, may be readable by others.
    if (const auto status = file.Status(); status && (status->Permissions & 077) != 0) {
        file.SetPermissions(0600);
    }
    if (const int writeError = file.Write(bytes); writeError != 0) {
        throw EBWError(FileSystem::IoErrorText(writeError));
    }
    if (const int closeError = file.Close(); closeError != 0) {
        throw EBWError(FileSystem::IoErrorText(closeError));
    }
}
