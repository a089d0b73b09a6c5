#include "AtomicFileWriter.h"

#include "BWError.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <optional>
#include <random>

namespace {

std::string Quoted(const std::filesystem::path& fileName)
{
    return "\"" + fileName.string() + "\"";
}

std::filesystem::path FolderOf(const std::filesystem::path& fileName)
{
    return fileName.has_parent_path() ? fileName.parent_path() : std::filesystem::path(".");
}

// A fresh name beside the target; several threads may write files in one folder at once.
std::filesystem::path TemporaryName(const std::filesystem::path& target)
{
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 random{std::random_device{}()};
    return FolderOf(target) / ("." + target.filename().string() + "." + std::to_string(random() % 1000000) + "-" +
                               std::to_string(counter++) + ".tmp");
}

bool IsTemporaryName(const std::string& name)
{
    // "." + target name + "." + digits + "-" + digits + ".tmp", as TemporaryName makes them.
    if (name.size() < 8 || name.front() != '.' || !name.ends_with(".tmp")) {
        return false;
    }
    const std::string middle = name.substr(0, name.size() - 4);
    const std::size_t dash = middle.rfind('-');
    const std::size_t dot = middle.rfind('.', dash);
    if (dash == std::string::npos || dot == std::string::npos || dot == 0 || dash == dot + 1 ||
        dash + 1 == middle.size()) {
        return false;
    }
    const auto digits = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            if (middle[i] < '0' || middle[i] > '9') {
                return false;
            }
        }
        return true;
    };
    return digits(dot + 1, dash) && digits(dash + 1, middle.size());
}

} // namespace

int AtomicFileWriter::RemoveLeftovers(const std::filesystem::path& folder)
{
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.is_regular_file(error) && IsTemporaryName(entry.path().filename().string()) &&
            std::filesystem::remove(entry.path(), error)) {
            ++removed;
        }
    }
    return removed;
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target, NewFile newFile) : m_target(std::move(target))
{
    const std::optional<FileSystem::TFileStatus> existing = FileSystem::StatusOf(m_target);
    const auto access = newFile == NewFile::Shared ? FileSystem::TNewFile::Usual : FileSystem::TNewFile::Private;
    int error = 0;
    for (int attempt = 0; attempt < 100 && !m_file.IsOpen(); ++attempt) {
        m_temporary = TemporaryName(m_target);
        // Read and write: CommitUnlessSame reads the bytes back to compare them.
        m_file = FileSystem::CreateNewFile(m_temporary, access, error);
        if (!m_file.IsOpen() && !FileSystem::IsAlreadyExists(error)) {
            break;
        }
    }
    if (!m_file.IsOpen()) {
        throw EBWError("Cannot create file " + Quoted(m_target) + ". " + FileSystem::ErrorText(error));
    }
    if (existing && newFile != NewFile::Private) {
        m_file.SetPermissions(existing->Permissions);
    }
}

AtomicFileWriter::~AtomicFileWriter()
{
    Discard();
}

void AtomicFileWriter::Discard()
{
    if (m_file.IsOpen()) {
        (void)m_file.Close();
        FileSystem::RemoveFile(m_temporary);
    }
}

void AtomicFileWriter::Fail(const std::string& what, int error)
{
    Discard();
    throw EBWError(what + Quoted(m_target) + ". " + FileSystem::ErrorText(error));
}

void AtomicFileWriter::Write(std::string_view bytes)
{
    if (!m_file.IsOpen()) {
        throw EBWError("Stream write error on file " + Quoted(m_target) + ".");
    }
    if (const int error = m_file.Write(bytes); error != 0) {
        Fail("Stream write error on file ", error);
    }
    m_size += bytes.size();
    StartWriteBack();
}

// A large file written in pieces is sent towards the disk while the next pieces are being made, so
// that the flush in Commit waits only for the last of it instead of for the whole file.
void AtomicFileWriter::StartWriteBack()
{
    constexpr std::size_t Batch = std::size_t{1024} * 1024;
    if (m_size - m_writeBackFrom >= Batch) {
        // Only a hint: whatever fails here, the flush in Commit finds and reports.
        m_file.StartWriteBack(m_writeBackFrom, m_size - m_writeBackFrom);
        m_writeBackFrom = m_size;
    }
}

void AtomicFileWriter::WriteAt(std::size_t offset, std::string_view bytes)
{
    if (!m_file.IsOpen()) {
        throw EBWError("Stream write error on file " + Quoted(m_target) + ".");
    }
    if (const int error = m_file.WriteAt(offset, bytes); error != 0) {
        Fail("Stream write error on file ", error);
    }
}

bool AtomicFileWriter::CommitUnlessSame()
{
    if (m_file.IsOpen() && TargetHoldsTheSameBytes()) {
        Discard();
        return false;
    }
    Commit();
    return true;
}

// Any doubt (a read error, a target that is no regular file) counts as different: the target is
// then replaced as by Commit.
bool AtomicFileWriter::TargetHoldsTheSameBytes()
{
    const std::optional<FileSystem::TFileStatus> written = m_file.Status();
    const std::optional<FileSystem::TFileStatus> target = FileSystem::StatusOf(m_target);
    if (!written || !target || !target->Regular || written->Identity.Size != target->Identity.Size) {
        return false;
    }
    int error = 0;
    FileSystem::TFile theirs = FileSystem::OpenForReading(m_target, error);
    if (!theirs.IsOpen()) {
        return false;
    }
    constexpr std::size_t Piece = std::size_t{64} * 1024;
    const auto mine = std::make_unique<char[]>(Piece);
    const auto their = std::make_unique<char[]>(Piece);
    const auto size = static_cast<std::uint64_t>(written->Identity.Size);
    bool same = true;
    for (std::uint64_t offset = 0; same && offset < size;) {
        const auto part = static_cast<std::size_t>(std::min<std::uint64_t>(Piece, size - offset));
        same = m_file.ReadAt(offset, mine.get(), part) && theirs.ReadAt(offset, their.get(), part) &&
               std::memcmp(mine.get(), their.get(), part) == 0;
        offset += part;
    }
    return same;
}

void AtomicFileWriter::Commit()
{
    if (!m_file.IsOpen()) {
        throw EBWError("Cannot save file " + Quoted(m_target) + ".");
    }
    // A failed flush means the data may not be on disk: the save has failed; never retry it.
    if (const int error = m_file.Flush(); error != 0) {
        Fail("Cannot save file ", error);
    }
    if (const int error = m_file.Close(); error != 0) {
        FileSystem::RemoveFile(m_temporary);
        throw EBWError("Cannot save file " + Quoted(m_target) + ". " + FileSystem::ErrorText(error));
    }
    if (const int error = FileSystem::ReplaceFile(m_temporary, m_target); error != 0) {
        FileSystem::RemoveFile(m_temporary);
        throw EBWError("Cannot create file " + Quoted(m_target) + ". " + FileSystem::ErrorText(error));
    }
    // The rename itself is durable only once the folder is flushed.
    FileSystem::FlushFolder(FolderOf(m_target));
}
