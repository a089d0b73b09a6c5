#include "Arguments.h"

#include "ItemList.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 6> Commands = {"lines", "pack", "show", "groups", "import", "export"};

bool IsCommand(std::string_view word)
{
    for (const std::string_view command : Commands) {
        if (word == command) {
            return true;
        }
    }
    return false;
}

} // namespace

const char* BwListUsage()
{
    return "usage: bwlist lines FILE [-p PASSWORD | -e]   print the lines of a list file\n"
           "       bwlist pack FILE [-p PASSWORD | -e]    write the lines read from standard input as a list file\n"
           "       bwlist show FILE [-p PASSWORD | -e]    print a message list file as a table\n"
           "       bwlist groups FILE                     print a group list file (passwords are not shown)\n"
           "       bwlist import FILE ICS [-p PASSWORD | -e]  add the events and to-dos of an iCalendar file to a\n"
           "                                              list file (made if absent); names each entry left out\n"
           "       bwlist export FILE ICS [-p PASSWORD | -e]  write a list file's reminders as an iCalendar file;\n"
           "                                              names each reminder left out\n"
           "       bwlist send --location LOC --title TITLE --at \"YYYY-MM-DD HH:MM\" [--text TEXT] [--from NAME]\n"
           "                   [--repeat none|daily|weekly|monthly|yearly] [--days Mon,Tue,...]\n"
           "                   [--kind message|files] [--ftp-user USER] [--password-file FILE]\n"
           "                   [--ftp-password-file FILE] [--wait SECONDS] [LOCATION OPTIONS]\n"
           "                                              write a reminder into a group's shared file; prints its Id\n"
           "       bwlist remove --location LOC --id ID [--ftp-user USER] [--password-file FILE]\n"
           "                   [--ftp-password-file FILE] [--wait SECONDS] [LOCATION OPTIONS]\n"
           "                                              take a reminder out of a group's shared file\n"
           "LOCATION OPTIONS: [--tls explicit|implicit] [--passive] [--ca-file FILE] [--ssh-key FILE]\n"
           "                   [--known-hosts FILE] [--plain-http]\n"
           "-e takes the password from the environment variable BWLIST_PASSWORD, where other users cannot\n"
           "see it (they can see a -p password in the process list). Without either, the personal list's\n"
           "password is used. send and remove take the group's password from BWLIST_PASSWORD (or the first\n"
           "line of --password-file) and the account's (FTP, SFTP or web; an --ssh-key's passphrase) from\n"
           "BWLIST_FTP_PASSWORD (or --ftp-password-file); --ftp-user names the account. LOC is the group's\n"
           "location as the program has it: a file name, an ftp://, ftps:// or sftp:// address, or a web\n"
           "address (written over WebDAV with an account, over https unless --plain-http). --tls asks for\n"
           "FTP over TLS, --passive for passive FTP, --ca-file trusts that certificate authority instead of\n"
           "the system's. An SFTP server's key must be in ~/.ssh/known_hosts or in the program's own\n"
           "known_hosts (the --known-hosts file instead). They wait up to --wait seconds (60) while another\n"
           "member changes the group.\n"
           "import and export leave out, each on a line of its own with the reason, what the other side\n"
           "would follow differently (a repeat rule a reminder cannot hold, a reminder that opens programs).\n"
           "Exit status: 0 done, 1 the line-count check failed (wrong password or damaged file), 2 error,\n"
           "3 the group stayed busy (nothing was changed), 4 import or export left entries out (the rest\n"
           "was done).\n";
}

std::optional<TBwListArguments> ParseBwListArguments(const std::vector<std::string>& arguments, std::string& problem,
                                                     const std::optional<std::string>& passwordVariable)
{
    TBwListArguments result;
    result.Password = PersonalListPassword;
    if (arguments.empty()) {
        problem = "no command given";
        return std::nullopt;
    }
    if (arguments[0] == "-h" || arguments[0] == "--help" || arguments[0] == "help") {
        result.HelpWanted = true;
        return result;
    }
    if (!IsCommand(arguments[0])) {
        problem = "unknown command \"" + arguments[0] + "\"";
        return std::nullopt;
    }
    result.Command = arguments[0];
    const bool calendarCommand = result.Command == "import" || result.Command == "export";

    bool haveFile = false;
    bool havePassword = false;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && word == "-p") {
            if (i + 1 >= arguments.size()) {
                problem = "-p needs a password";
                return std::nullopt;
            }
            result.Password = arguments[++i];
            havePassword = true;
        } else if (!optionsEnded && word == "-e") {
            if (!passwordVariable) {
                problem = std::string("-e needs the environment variable ") + PasswordVariable;
                return std::nullopt;
            }
            result.Password = *passwordVariable;
            havePassword = true;
        } else if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            problem = "unknown option \"" + word + "\"";
            return std::nullopt;
        } else if (!haveFile) {
            result.FileName = word;
            haveFile = true;
        } else if (calendarCommand && result.CalendarFileName.empty()) {
            result.CalendarFileName = word;
        } else {
            problem = "more than one file given";
            return std::nullopt;
        }
    }
    if (!haveFile) {
        problem = "no file given";
        return std::nullopt;
    }
    if (calendarCommand && result.CalendarFileName.empty()) {
        problem = result.Command + " needs a list file and an iCalendar file";
        return std::nullopt;
    }
    // A group list file is plain text; accepting a password would suggest otherwise.
    if (havePassword && result.Command == "groups") {
        problem = "groups takes no password: group list files are not enciphered";
        return std::nullopt;
    }
    return result;
}
