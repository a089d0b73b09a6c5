#include "GroupOptionsFile.h"

#include "FileIO.h"
#include "TextUtil.h"

#include <map>
#include <system_error>

namespace {

constexpr const char* Header = "bellwick-group-options 1";

const std::map<std::string, FtpSecurity>& TlsNames()
{
    static const std::map<std::string, FtpSecurity> names = {{"explicit", FtpSecurity::Explicit},
                                                             {"implicit", FtpSecurity::Implicit}};
    return names;
}

void AppendLine(std::string& text, const std::string& key, const std::string& value)
{
    text += key + " " + value + "\n";
}

std::string Encode(const TBWGroupList& groups)
{
    std::string text = std::string(Header) + "\n";
    bool any = false;
    for (const auto& group : groups) {
        const GroupOptions& options = group->Options;
        if (options.IsDefault()) {
            continue;
        }
        any = true;
        AppendLine(text, "group", group->Name);
        if (!options.Problem.empty()) {
            // Settings that could not be read are kept as they were rather than lost.
            text += options.Unread;
            continue;
        }
        for (const auto& [name, value] : TlsNames()) {
            if (options.Tls == value) {
                AppendLine(text, "tls", name);
            }
        }
        if (options.Passive) {
            AppendLine(text, "passive", "yes");
        }
        if (!options.CaFile.empty()) {
            AppendLine(text, "ca-file", options.CaFile);
        }
        if (!options.SshKey.empty()) {
            AppendLine(text, "ssh-key", options.SshKey);
        }
        if (options.PlainHttpLogin) {
            AppendLine(text, "plain-http-login", "yes");
        }
    }
    return any ? text : std::string();
}

// Applies one "key value" line; false when it is not one this version knows.
bool Apply(GroupOptions& options, const std::string& key, const std::string& value)
{
    if (key == "tls") {
        const auto found = TlsNames().find(value);
        if (found == TlsNames().end()) {
            return false;
        }
        options.Tls = found->second;
    } else if ((key == "passive" || key == "plain-http-login") && value == "yes") {
        (key == "passive" ? options.Passive : options.PlainHttpLogin) = true;
    } else if ((key == "ca-file" || key == "ssh-key") && !value.empty()) {
        (key == "ca-file" ? options.CaFile : options.SshKey) = value;
    } else {
        return false;
    }
    return true;
}

} // namespace

std::filesystem::path GroupOptionsPath(const std::filesystem::path& groupListFile)
{
    return groupListFile.parent_path() / "glist.opt";
}

void SaveGroupOptions(const TBWGroupList& groups, const std::filesystem::path& fileName)
{
    for (const auto& group : groups) {
        if (!group->Options.Problem.empty() && group->Options.Unread.empty()) {
            // The file as a whole could not be read: it stays as it is until the user has set the
            // groups' settings again.
            return;
        }
    }
    const std::string text = Encode(groups);
    if (text.empty()) {
        std::error_code ignored;
        std::filesystem::remove(fileName, ignored);
        return;
    }
    WriteFileAtomically(fileName, text);
}

void LoadGroupOptions(TBWGroupList& groups, const std::filesystem::path& fileName)
{
    for (auto& group : groups) {
        group->Options = GroupOptions{};
    }
    const std::optional<std::string> text = ReadRegularFile(fileName);
    if (!text) {
        return;
    }
    const std::string where = fileName.filename().string();
    TStringList lines;
    SplitLines(*text, lines);
    GroupOptions* current = nullptr;
    const auto problem = [&](std::size_t line, const std::string& what) {
        const std::string said = where + ", line " + std::to_string(line + 1) + ": " + what;
        if (current != nullptr) {
            current->Problem = said;
            return;
        }
        for (auto& group : groups) {
            group->Options.Problem = said;
        }
    };
    if (lines.empty() || lines[0] != Header) {
        problem(0, "not a group settings file this version of Bellwick can read");
        return;
    }
    GroupOptions ignored;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string line = lines[i];
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string key = line.substr(0, space);
        const std::string value = space == std::string::npos ? std::string() : line.substr(space + 1);
        if (current != nullptr && key != "group") {
            current->Unread += line + "\n";
        }
        if (key == "group") {
            const int index = FindGroup(groups, value);
            // Settings of a group that is gone are read into nothing, and dropped at the next save.
            current = index < 0 ? &ignored : &groups[static_cast<std::size_t>(index)]->Options;
            continue;
        }
        if (current == nullptr || !Apply(*current, key, value)) {
            problem(i, "the setting \"" + line + "\" is not known");
        }
    }
    for (auto& group : groups) {
        if (group->Options.Problem.empty()) {
            group->Options.Unread.clear();
        }
    }
}
