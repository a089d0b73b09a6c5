#include "AtomicFileWriter.h"
#include "BWError.h"
#include "FileIO.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

mode_t ModeOf(const std::filesystem::path& file)
{
    struct stat info
    {};
    ::stat(file.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(AtomicFileWriter, ReplacesOnlyOnCommitAndKeepsPermissions)
{
    TempFolder folder;
    const auto file = folder / "list.dat";
    WriteBytes(file, "old");
    ::chmod(file.c_str(), 0640);
    {
        AtomicFileWriter writer(file, AtomicFileWriter::NewFile::Shared);
        writer.Write("new ");
        writer.Write("bytes");
        EXPECT_EQ(ReadBytes(file), "old"); // nothing shows before the commit
        writer.Commit();
    }
    EXPECT_EQ(ReadBytes(file), "new bytes");
    EXPECT_EQ(ModeOf(file), 0640U);
    {
        AtomicFileWriter abandoned(file);
        abandoned.Write("half");
    }
    EXPECT_EQ(ReadBytes(file), "new bytes");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// Large files are sent towards the disk batch by batch while they are written; the bytes, a header
// written over them last and the abandoned case must come out as with one write.
TEST(AtomicFileWriter, LargeFilesWrittenInPiecesArriveWhole)
{
    TempFolder folder;
    const auto file = folder / "list.dat";
    std::string expected;
    {
        AtomicFileWriter writer(file);
        for (int piece = 0; piece < 9; ++piece) {
            const std::string bytes(std::size_t{700} * 1024 + static_cast<std::size_t>(piece),
                                    static_cast<char>('a' + piece));
            writer.Write(bytes);
            expected += bytes;
        }
        writer.WriteAt(0, "HEAD");
        expected.replace(0, 4, "HEAD");
        writer.Commit();
    }
    EXPECT_EQ(ReadBytes(file), expected);
    {
        AtomicFileWriter abandoned(file);
        abandoned.Write(std::string(std::size_t{3} * 1024 * 1024, 'x'));
    }
    EXPECT_EQ(ReadBytes(file), expected);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

// Writes the bytes in pieces of 1000 and commits them unless they are already there.
bool WriteUnlessSame(const std::filesystem::path& file, const std::string& bytes)
{
    AtomicFileWriter writer(file);
    for (std::size_t from = 0; from < bytes.size(); from += 1000) {
        writer.Write(std::string_view(bytes).substr(from, 1000));
    }
    return writer.CommitUnlessSame();
}

TEST(AtomicFileWriter, TheSameBytesAgainLeaveTheTargetUntouched)
{
    TempFolder folder;
    const auto file = folder / "Sales";
    std::string bytes(std::size_t{200} * 1024, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7919 % 251);
    }
    EXPECT_TRUE(WriteUnlessSame(file, bytes)); // a missing target is created
    const ino_t first = InodeOf(file);
    EXPECT_FALSE(WriteUnlessSame(file, bytes));
    EXPECT_EQ(InodeOf(file), first);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1) << "no temporary file left";

    // Differences of the same length, in the last of several pieces compared, and in the length.
    std::string changed = bytes;
    changed.back() = static_cast<char>(changed.back() + 1);
    EXPECT_TRUE(WriteUnlessSame(file, changed));
    EXPECT_EQ(ReadBytes(file), changed);
    EXPECT_TRUE(WriteUnlessSame(file, changed.substr(0, changed.size() - 1)));
    EXPECT_EQ(ReadBytes(file), changed.substr(0, changed.size() - 1));
    EXPECT_TRUE(WriteUnlessSame(file, ""));
    EXPECT_EQ(ReadBytes(file), "");
    EXPECT_FALSE(WriteUnlessSame(file, ""));

    // A folder in the target's place is never the same.
    std::filesystem::remove(file);
    std::filesystem::create_directory(file);
    AtomicFileWriter writer(file);
    EXPECT_THROW(writer.CommitUnlessSame(), EBWError);
}

TEST(AtomicFileWriter, NewFilesArePrivateUnlessSharedWithOthers)
{
    TempFolder folder;
    const mode_t mask = ::umask(022);
    for (const char* name : {"loose", "published", "appended"}) {
        WriteBytes(folder / name, "old");
        ::chmod((folder / name).c_str(), 0644);
    }
    {
        AtomicFileWriter own(folder / "own");
        own.Commit();
        AtomicFileWriter shared(folder / "shared", AtomicFileWriter::NewFile::Shared);
        shared.Commit();
        AtomicFileWriter packed(folder / "packed", AtomicFileWriter::NewFile::PrivateIfNew);
        packed.Commit();
        // A data folder file restored with a loose mode becomes private again at its next save.
        AtomicFileWriter loose(folder / "loose");
        loose.Commit();
        AtomicFileWriter published(folder / "published", AtomicFileWriter::NewFile::PrivateIfNew);
        published.Commit();
    }
    AppendToFile(folder / "appended", "line\r\n");
    ::umask(mask);
    EXPECT_EQ(ModeOf(folder / "own"), 0600U);
    EXPECT_EQ(ModeOf(folder / "shared"), 0644U);
    EXPECT_EQ(ModeOf(folder / "packed"), 0600U);
    EXPECT_EQ(ModeOf(folder / "loose"), 0600U);
    EXPECT_EQ(ModeOf(folder / "published"), 0644U);
    EXPECT_EQ(ModeOf(folder / "appended"), 0600U);
}

TEST(AtomicFileWriter, LeftoversOfKilledWritersAreRecognised)
{
    TempFolder folder;
    for (const char* name : {".bwlist.dat.123456-7.tmp", ".Sales team.1-0.tmp", "bwlist.dat", ".hidden", "x.tmp",
                             ".a.b-c.tmp", ".glist.dat.99-.tmp"}) {
        WriteBytes(folder / name, "x");
    }
    EXPECT_EQ(AtomicFileWriter::RemoveLeftovers(folder.Path()), 2);
    EXPECT_TRUE(std::filesystem::exists(folder / "bwlist.dat"));
    EXPECT_TRUE(std::filesystem::exists(folder / ".hidden"));
    EXPECT_TRUE(std::filesystem::exists(folder / ".a.b-c.tmp"));
    EXPECT_EQ(AtomicFileWriter::RemoveLeftovers(folder / "missing"), 0);
}

TEST(AtomicFileWriter, MissingFolderFailsNamingTheFile)
{
    TempFolder folder;
    try {
        AtomicFileWriter writer(folder / "nowhere" / "x.dat");
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_NE(std::string(error.what()).find("nowhere/x.dat"), std::string::npos) << error.what();
    }
}

} // namespace
