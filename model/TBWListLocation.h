#pragma once

#include "GroupOptions.h"
#include "TextUtil.h"

#include <cstdint>
#include <string>

// One group: where its shared message file lives, the password that enciphers it, the account
// (FTP, SFTP or web) to reach it, and whether the group is active on this computer.
class TBWListLocation
{
public:
    static constexpr int LineCount = 7;

    std::string Name;
    std::string Location;
    std::string Password;
    std::uint8_t LocationKind = 0;
    bool Enabled = false;
    std::string FtpUser;
    std::string FtpPassword;
    // Kept beside glist.dat, not in the seven lines (GroupOptionsFile.h).
    GroupOptions Options;

    void DetectLocationKind();
    void Assign(const TBWListLocation& source);
    void SaveToLines(TStringList& lines) const;
    void LoadFromLines(const TStringList& lines, long long start);
};

enum : std::uint8_t
{
    LocationFile = 0,
    LocationFtp = 1,
    LocationHttp = 2,
    LocationSftp = 3,
};

// Reverses the text, then shifts every byte at or above '0' whose shifted value stays at or above
// '0'. Keeps the passwords in the plain group list from being stored as typed (it is no cipher).
[[nodiscard]] std::string ScrambleText(const std::string& text, int shift);
