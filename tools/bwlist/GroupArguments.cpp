#include "GroupArguments.h"

#include "DateTime.h"
#include "TBWItem.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <map>

namespace {

std::optional<long long> Number(const std::string& text)
{
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "YYYY-MM-DD HH:MM" as a local date-time.
std::optional<double> DueTime(const std::string& text)
{
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':') {
        return std::nullopt;
    }
    const auto year = Number(text.substr(0, 4));
    const auto month = Number(text.substr(5, 2));
    const auto day = Number(text.substr(8, 2));
    const auto hour = Number(text.substr(11, 2));
    const auto minute = Number(text.substr(14, 2));
    if (!year || !month || !day || !hour || !minute || *year < 1900 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysInMonth(static_cast<int>(*year), static_cast<int>(*month)) || *hour > 23 || *minute > 59) {
        return std::nullopt;
    }
    return EncodeDateTime(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day),
                          static_cast<int>(*hour), static_cast<int>(*minute));
}

std::optional<std::uint8_t> RepeatKind(const std::string& text)
{
    static const std::map<std::string, std::uint8_t> kinds = {{"none", RepeatNone},
                                                              {"daily", RepeatDaily},
                                                              {"weekly", RepeatWeekly},
                                                              {"monthly", RepeatMonthly},
                                                              {"yearly", RepeatYearly}};
    const auto found = kinds.find(text);
    return found == kinds.end() ? std::nullopt : std::optional(found->second);
}

std::optional<std::vector<int>> Weekdays(const std::string& text)
{
    static constexpr std::array<const char*, 7> names = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    std::vector<int> days;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string name = text.substr(start, comma - start);
        int found = 0;
        for (std::size_t i = 0; i < names.size(); ++i) {
            found = name == names[i] ? static_cast<int>(i) + 1 : found;
        }
        if (found == 0) {
            return std::nullopt;
        }
        days.push_back(found);
        start = comma + 1;
    }
    return days;
}

// Takes the value of the option at arguments[i]; false when there is none.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, std::string& value, std::string& problem)
{
    if (i + 1 >= arguments.size()) {
        problem = arguments[i] + " needs a value";
        return false;
    }
    value = arguments[++i];
    return true;
}

bool Fail(std::string& problem, const std::string& text)
{
    problem = text;
    return false;
}

// Applies one option of send or remove; false with the problem on a usage error.
bool ApplyOption(TGroupArguments& result, const std::string& option, const std::string& value, std::string& problem)
{
    const bool send = result.Command == "send";
    if (option == "--location") {
        result.Location = value;
    } else if (option == "--ftp-user") {
        result.FtpUser = value;
    } else if (option == "--password-file") {
        result.PasswordFile = value;
    } else if (option == "--ftp-password-file") {
        result.FtpPasswordFile = value;
    } else if (option == "--tls") {
        if (value != "explicit" && value != "implicit") {
            return Fail(problem, "--tls takes explicit or implicit");
        }
        result.Options.Tls = value == "explicit" ? FtpSecurity::Explicit : FtpSecurity::Implicit;
    } else if (option == "--ca-file") {
        result.Options.CaFile = value;
    } else if (option == "--ssh-key") {
        result.Options.SshKey = value;
    } else if (option == "--known-hosts") {
        result.KnownHosts = value;
    } else if (option == "--wait") {
        const auto seconds = Number(value);
        if (!seconds || *seconds < 0 || *seconds > 86400) {
            return Fail(problem, "--wait takes a number of seconds");
        }
        result.Wait = std::chrono::seconds(*seconds);
    } else if (send && option == "--title") {
        result.Title = value;
    } else if (send && option == "--text") {
        result.Text = value;
    } else if (send && option == "--from") {
        result.From = value;
    } else if (send && option == "--at") {
        const auto due = DueTime(value);
        if (!due) {
            return Fail(problem, "--at takes a local date and time as \"YYYY-MM-DD HH:MM\"");
        }
        result.Due = *due;
    } else if (send && option == "--repeat") {
        const auto repeat = RepeatKind(value);
        if (!repeat) {
            return Fail(problem, "--repeat takes none, daily, weekly, monthly or yearly");
        }
        result.Repeat = *repeat;
    } else if (send && option == "--days") {
        const auto days = Weekdays(value);
        if (!days) {
            return Fail(problem, "--days takes weekdays such as Mon,Tue,Fri");
        }
        result.Days = *days;
    } else if (send && option == "--kind") {
        if (value != "message" && value != "files") {
            return Fail(problem, "--kind takes message or files");
        }
        result.Kind = value == "files" ? KindExecuteFiles : KindSimpleMessage;
    } else if (!send && option == "--id") {
        const auto id = Number(value);
        if (!id || *id < std::numeric_limits<std::int32_t>::min() || *id > std::numeric_limits<std::int32_t>::max()) {
            return Fail(problem, "--id takes the reminder's Id, a number");
        }
        result.Id = static_cast<std::int32_t>(*id);
    } else {
        return Fail(problem, "unknown option \"" + option + "\" for " + result.Command);
    }
    return true;
}

} // namespace

bool IsGroupCommand(const std::string& word)
{
    return word == "send" || word == "remove";
}

std::optional<TGroupArguments> ParseGroupArguments(const std::vector<std::string>& arguments, std::string& problem)
{
    TGroupArguments result;
    result.Command = arguments.at(0);
    std::vector<std::string> given;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        // The options that take no value.
        if (arguments[i] == "--passive" || arguments[i] == "--plain-http") {
            (arguments[i] == "--passive" ? result.Options.Passive : result.Options.PlainHttpLogin) = true;
            continue;
        }
        std::string value;
        if (!TakeValue(arguments, i, value, problem) || !ApplyOption(result, arguments[i - 1], value, problem)) {
            return std::nullopt;
        }
        given.push_back(arguments[i - 1]);
    }
    const auto has = [&given](const char* option) {
        return std::find(given.begin(), given.end(), option) != given.end();
    };
    std::vector<const char*> needed = {"--location"};
    if (result.Command == "send") {
        needed.insert(needed.end(), {"--title", "--at"});
    } else {
        needed.push_back("--id");
    }
    for (const char* option : needed) {
        if (!has(option)) {
            problem = result.Command + " needs " + option;
            return std::nullopt;
        }
    }
    return result;
}
