#include "ChildProcess.h"

#include "TestFiles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

extern char** environ;

namespace {

struct Redirections
{
    std::string In = "/dev/null";
    std::string Out = "/dev/null";
    std::string Err = "/dev/null";
    std::string Folder; // empty: the test's own
};

pid_t Spawn(const std::vector<std::string>& command, const Redirections& files)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, files.In.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, files.Out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, files.Err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (!files.Folder.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, files.Folder.c_str());
    }
    std::vector<std::string> words = command;
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

int WaitForExit(pid_t pid)
{
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the command with its standard files in folder, in workingFolder (empty: the test's own).
TProcessRun Run(const std::vector<std::string>& command, const std::string& input, const std::filesystem::path& folder,
                const std::string& workingFolder, bool mustStart)
{
    const Redirections files{(folder / ".tool-stdin").string(), (folder / ".tool-stdout").string(),
                             (folder / ".tool-stderr").string(), workingFolder};
    WriteBytes(files.In, input);
    const pid_t pid = Spawn(command, files);
    if (pid < 0) {
        if (mustStart) {
            throw std::runtime_error("cannot start " + command.front());
        }
        return {};
    }
    TProcessRun run;
    run.ExitCode = WaitForExit(pid);
    run.Out = ReadBytes(files.Out);
    run.Err = ReadBytes(files.Err);
    return run;
}

} // namespace

TProcessRun RunTool(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                    const std::string& input, const std::filesystem::path& folder)
{
    std::vector<std::string> command{program.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return Run(command, input, folder, folder.string(), true);
}

TProcessRun RunProcess(const std::vector<std::string>& command)
{
    const TempFolder folder;
    return Run(command, {}, folder.Path(), {}, false);
}

int StartProcess(const std::vector<std::string>& command, const std::filesystem::path& output)
{
    Redirections files;
    if (!output.empty()) {
        files.Out = output.string();
    }
    return Spawn(command, files);
}
