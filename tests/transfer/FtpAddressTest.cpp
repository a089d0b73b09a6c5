#include "FtpAddress.h"

#include <gtest/gtest.h>

namespace {
struct SplitCase
{
    const char* Address;
    const char* Host;
    const char* Directory;
    const char* FileName;
};

// Peers split addresses this way, so the results must match theirs exactly, odd ones included.
const SplitCase SplitCases[] = {
    {"ftp://host/list.dat", "host", "", "list.dat"},
    {"ftp://host/a/b/list.dat", "host", "a/b", "list.dat"},
    {"ftp://host//a/list.dat", "host", "/a", "list.dat"},
    {"ftp://host/a/", "host", "a", ""},
    {"ftp://host", "", "", "ost"},
    {"ftp://host:2121/list.dat", "host:2121", "", "list.dat"},
    {"ftp://user@host/list.dat", "user@host", "", "list.dat"},
    // The prefix is skipped unread.
    {"xyz://host/list.dat", "host", "", "list.dat"},
    {"ftp://h/", "h", "", ""},
    {"ftp://", "", "", ""},
    {"ftp", "", "", ""},
    {"", "", "", ""},
};
} // namespace

TEST(SplitFtpAddressTest, SplitsLikeThePeers)
{
    for (const SplitCase& c : SplitCases) {
        const FtpAddress parts = SplitFtpAddress(c.Address);
        EXPECT_EQ(parts.Host, c.Host) << c.Address;
        EXPECT_EQ(parts.Directory, c.Directory) << c.Address;
        EXPECT_EQ(parts.FileName, c.FileName) << c.Address;
    }
}
