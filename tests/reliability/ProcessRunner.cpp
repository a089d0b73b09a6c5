#include "ProcessRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

extern char** environ;

namespace {

std::vector<char*> Argv(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    return argv;
}

int Spawn(const std::vector<std::string>& arguments, const char* errorFile)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = -1;
    std::vector<char*> argv = Argv(arguments);
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

} // namespace

int StartProcess(const std::vector<std::string>& arguments)
{
    return Spawn(arguments, "/dev/null");
}

ProcessResult RunProcess(const std::vector<std::string>& arguments)
{
    char errorFile[] = "/tmp/bw-process-errors-XXXXXX";
    const int fd = ::mkstemp(errorFile);
    ::close(fd);
    ProcessResult result;
    const int pid = Spawn(arguments, errorFile);
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) {
        result.ExitCode = WEXITSTATUS(status);
    }
    std::ifstream in(errorFile);
    result.Errors.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    ::unlink(errorFile);
    return result;
}
