#include "TBWListLocation.h"

#include <algorithm>

std::string ScrambleText(const std::string& text, int shift)
{
    std::string result(text.rbegin(), text.rend());
    for (char& ch : result) {
        const auto c = static_cast<unsigned char>(ch);
        const auto shifted = static_cast<unsigned char>((c + shift) & 0xFF);
        if (c >= '0' && shifted >= '0') {
            ch = static_cast<char>(shifted);
        }
    }
    return result;
}

void TBWListLocation::DetectLocationKind()
{
    if (Location.starts_with("sftp://")) {
        LocationKind = LocationSftp;
    } else if (Location.starts_with("ftp")) {
        LocationKind = LocationFtp;
    } else if (Location.starts_with("http")) {
        LocationKind = LocationHttp;
    } else {
        LocationKind = LocationFile;
    }
}

void TBWListLocation::Assign(const TBWListLocation& source)
{
    if (&source == this) {
        return;
    }
    Name = source.Name;
    Location = source.Location;
    Password = source.Password;
    LocationKind = source.LocationKind;
    Enabled = source.Enabled;
    FtpUser = source.FtpUser;
    FtpPassword = source.FtpPassword;
    Options = source.Options;
}

void TBWListLocation::SaveToLines(TStringList& lines) const
{
    std::string flags = "2222222222";
    flags[0] = Enabled ? '1' : '0';
    lines.push_back(Name);
    lines.push_back(Location);
    lines.push_back(ScrambleText(Password, 3));
    lines.push_back(std::to_string(LocationKind));
    lines.push_back(std::move(flags));
    lines.push_back(FtpUser);
    lines.push_back(ScrambleText(FtpPassword, 5));
}

void TBWListLocation::LoadFromLines(const TStringList& lines, long long start)
{
    Name = LineAt(lines, start);
    Location = LineAt(lines, start + 1);
    Password = ScrambleText(LineAt(lines, start + 2), -3);
    LocationKind = static_cast<std::uint8_t>(StrToInt(LineAt(lines, start + 3)) & 0xFF);
    const std::string& flags = LineAt(lines, start + 4);
    Enabled = !flags.empty() && flags[0] == '1';
    FtpUser = LineAt(lines, start + 5);
    FtpPassword = ScrambleText(LineAt(lines, start + 6), -5);
}
