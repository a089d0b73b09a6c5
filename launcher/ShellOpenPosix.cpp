#include "ShellOpen.h"

#include "SplitArguments.h"

#include <cctype>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace {

#ifdef __APPLE__
constexpr const char* kDefaultHandler = "open";
#else
constexpr const char* kDefaultHandler = "xdg-open";
#endif

using FileStatus = struct stat;

bool Exists(const std::string& path)
{
    FileStatus info{};
    return ::stat(path.c_str(), &info) == 0;
}

bool IsExecutableFile(const std::string& path)
{
    FileStatus info{};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// A bare program name is looked for on PATH, as a command line would; a name with a slash never is.
std::optional<std::string> FindOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    if (name.find('/') != std::string::npos || path == nullptr) {
        return std::nullopt;
    }
    std::string_view rest(path);
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view folder = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        // An empty entry would mean the current folder, which the caller has already looked at.
        if (folder.empty()) {
            continue;
        }
        std::string candidate = std::string(folder) + '/' + name;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

// "scheme:rest" with a scheme of two or more characters, so that a one-letter drive name is no address.
bool LooksLikeAddress(const std::string& target)
{
    const std::size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2 || std::isalpha(static_cast<unsigned char>(target[0])) == 0) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const auto c = static_cast<unsigned char>(target[i]);
        if (std::isalnum(c) == 0 && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

// Starts the program in a session of its own, with no terminal, so that it outlives the launcher and
// prints nothing where the launcher was started. What it does once started is not looked at.
ShellOpenResult SpawnDetached(const std::string& program, std::vector<std::string> arguments, bool searchPath)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return ShellOpenResult::StartFailed;
    }
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return ShellOpenResult::StartFailed;
    }
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
#ifdef POSIX_SPAWN_SETSID
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
#endif

    pid_t child = 0;
    const int spawned = searchPath ? posix_spawnp(&child, program.c_str(), &actions, &attributes, argv.data(), environ)
                                   : posix_spawn(&child, program.c_str(), &actions, &attributes, argv.data(), environ);

    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? ShellOpenResult::Started : ShellOpenResult::StartFailed;
}

ShellOpenResult RunProgram(const std::string& program, const std::string& parameters)
{
    std::vector<std::string> arguments{program};
    for (std::string& word : SplitArguments(parameters)) {
        arguments.push_back(std::move(word));
    }
    return SpawnDetached(program, std::move(arguments), false);
}

ShellOpenResult OpenWithDefaultHandler(const std::string& target)
{
    // A local name starting with '-' would be taken for an option of the handler.
    const std::string operand = target.front() == '-' ? "./" + target : target;
    return SpawnDetached(kDefaultHandler, {kDefaultHandler, operand}, true);
}

} // namespace

ShellOpenResult ShellOpen(const std::string& file, const std::string& parameters)
{
    if (file.empty()) {
        return ShellOpenResult::NotFound;
    }
    if (Exists(file)) {
        if (IsExecutableFile(file)) {
            return RunProgram(file, parameters);
        }
        // A document or a folder: the desktop knows what opens it, and it takes no parameters.
        return OpenWithDefaultHandler(file);
    }
    if (const std::optional<std::string> program = FindOnPath(file)) {
        return RunProgram(*program, parameters);
    }
    if (LooksLikeAddress(file)) {
        return OpenWithDefaultHandler(file);
    }
    return ShellOpenResult::NotFound;
}
