#include "Arguments.h"
#include "BwList.h"
#include "CancelSignal.h"
#include "Commands.h"
#include "DateTime.h"
#include "LocalNow.h"
#include "LockedPublish.h"
#include "OpenGroupStore.h"
#include "TBWListLocation.h"
#include "TextUtil.h"

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <ostream>

namespace {

// The first line of the file (a password kept out of the arguments and the environment).
std::optional<std::string> FirstLine(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    std::string line;
    if (!file || (!std::getline(file, line) && !file.eof())) {
        return std::nullopt;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}

// A password from its file if one was given, else from its environment variable.
std::optional<std::string> Secret(const std::string& fileName, const char* variable, std::ostream& err)
{
    if (!fileName.empty()) {
        auto line = FirstLine(fileName);
        if (!line) {
            err << "bwlist: cannot read the password file \"" << fileName << "\"\n";
        }
        return line;
    }
    const char* value = std::getenv(variable);
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

TBWItem MessageOf(const TGroupArguments& arguments, const std::string& author)
{
    TBWItem message;
    message.Title = CrLfLineBreaks(arguments.Title);
    message.Text = CrLfLineBreaks(arguments.Text);
    message.Author = CrLfLineBreaks(author);
    message.DueTime = arguments.Due;
    message.RepeatKind = arguments.Repeat;
    message.Kind = arguments.Kind;
    for (const int day : arguments.Days) {
        message.DayFlags.at(static_cast<std::size_t>(day)) = true;
    }
    if (message.ActiveDayCount() == 0) {
        message.ActivateAllDays();
    }
    message.GenerateId(LocalNow());
    return message;
}

// The program's own known hosts (in its data folder) and the user's SSH folder, as the program
// uses them, and the file the arguments name.
TransferSettings ToolTransferSettings(const TGroupArguments& arguments)
{
    TransferSettings settings;
    const char* home = std::getenv("HOME");
    const char* data = std::getenv("XDG_DATA_HOME");
    const std::string dataHome = data != nullptr && *data != '\0' ? data
                                 : home != nullptr                ? std::string(home) + "/.local/share"
                                                                  : "";
    if (home != nullptr) {
        settings.SshFolder = std::string(home) + "/.ssh";
    }
    settings.KnownHostsFile = !arguments.KnownHosts.empty() ? arguments.KnownHosts
                              : dataHome.empty()            ? std::string()
                                                            : dataHome + "/Bellwick/known_hosts";
    return settings;
}

int Report(const PublishOutcome& outcome, std::ostream& err)
{
    using Problem = PublishOutcome::Problem;
    switch (outcome.What) {
    case Problem::None:
        return ExitOk;
    case Problem::Busy:
        err << "bwlist: the group is busy: another member is changing it (" << outcome.Detail
            << "); nothing was changed, try again\n";
        return ExitBusy;
    case Problem::BadContainer:
    case Problem::Damaged:
        err << "bwlist: the group file cannot be read with this password: " << outcome.Detail
            << "; nothing was changed\n";
        return ExitCheckFailed;
    case Problem::Unreachable:
        err << "bwlist: the group file could not be fetched (" << outcome.Detail << "); nothing was changed\n";
        if (outcome.Cause == StoreCause::HostKeyUnknown) {
            err << "bwlist: trust the server with Test in the program's groups dialog, or add its key to "
                   "~/.ssh/known_hosts or to a file given with --known-hosts\n";
        } else if (outcome.Cause == StoreCause::Certificate) {
            err << "bwlist: give the certificate authority that signed the server's certificate with --ca-file\n";
        }
        return ExitError;
    case Problem::TooLarge:
        err << "bwlist: the group file is too large (" << outcome.Detail << "); nothing was changed\n";
        return ExitError;
    case Problem::ReadOnly:
        err << "bwlist: " << outcome.Detail << "; a group on a web server cannot be changed from here\n";
        return ExitError;
    case Problem::SendFailed:
        err << "bwlist: the changed group file could not be stored (" << outcome.Detail << ")\n";
        return ExitError;
    case Problem::NotVerified:
        err << "bwlist: the group file was stored, but fetched again it does not hold the change (" << outcome.Detail
            << ")\n";
        return ExitError;
    }
    return ExitError;
}

} // namespace

int RunGroupCommand(const TGroupArguments& arguments, std::ostream& out, std::ostream& err)
{
    const auto password = Secret(arguments.PasswordFile, PasswordVariable, err);
    if (!password) {
        err << "bwlist: the group's password is needed: set " << PasswordVariable << " or give --password-file\n";
        return ExitError;
    }
    const auto ftpPassword = Secret(arguments.FtpPasswordFile, FtpPasswordVariable, err);
    if (!ftpPassword && !arguments.FtpPasswordFile.empty()) {
        return ExitError;
    }
    TBWListLocation group;
    group.Name = "bwlist";
    group.Location = arguments.Location;
    group.Password = *password;
    group.FtpUser = arguments.FtpUser;
    group.FtpPassword = ftpPassword.value_or(std::string());
    group.Options = arguments.Options;
    group.DetectLocationKind();

    const char* user = std::getenv("USER");
    const std::string author = !arguments.From.empty() ? arguments.From : user != nullptr ? user : "bwlist";
    ChangeSet changes;
    if (arguments.Command == "send") {
        changes.Add(MessageOf(arguments, author));
    } else {
        TBWItem gone;
        gone.Id = arguments.Id;
        changes.Remove(gone);
    }

    CancelSignal cancel;
    SystemStoreClock clock;
    PublishMemory memory;
    const auto store = OpenGroupStore(group, ToolTransferSettings(arguments), cancel);
    if (!store) {
        err << "bwlist: " << WhyNoStore(group) << "\n";
        return ExitError;
    }
    LockSettings lock;
    lock.Wait = arguments.Wait;
    LockedPublish publish(*store, clock, &cancel, memory, ThisProcessAsOwner(author), lock);
    const PublishOutcome outcome = publish.Run(*password, changes);
    const int status = Report(outcome, err);
    if (status != ExitOk) {
        return status;
    }
    if (outcome.StoredInPlace || outcome.Unlocked) {
        err << "bwlist: note: the location allows no "
            << (outcome.Unlocked ? "lock folder" : "temporary file or rename")
            << " beside the group file, so it was written in place\n";
    }
    if (arguments.Command == "send") {
        out << outcome.NewIds.at(0) << '\n';
    } else if (!outcome.Sent) {
        err << "bwlist: the group file holds no reminder with Id " << arguments.Id << '\n';
    }
    return ExitOk;
}
