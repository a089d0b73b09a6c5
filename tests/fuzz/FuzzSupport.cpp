#include "FuzzSupport.h"

#include "Container.h"

#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <unistd.h>

// Undefined behaviour anywhere in the process is a finding, not a line in the log.
extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}

void FuzzFinding(const char* what)
{
    std::fprintf(stderr, "FUZZ FINDING: %s\n", what);
    std::abort();
}

bool SameItem(const TBWItem& a, const TBWItem& b)
{
    return a.Title == b.Title && a.Text == b.Text && a.Author == b.Author && a.Recipients == b.Recipients &&
           a.DueTime == b.DueTime && a.LastDueTime == b.LastDueTime && a.Kind == b.Kind && a.Id == b.Id &&
           a.RepeatKind == b.RepeatKind && a.DayFlags == b.DayFlags;
}

bool SameLocation(const TBWListLocation& a, const TBWListLocation& b)
{
    return a.Name == b.Name && a.Location == b.Location && a.Password == b.Password &&
           a.LocationKind == b.LocationKind && a.Enabled == b.Enabled && a.FtpUser == b.FtpUser &&
           a.FtpPassword == b.FtpPassword;
}

std::string EncipheredContainer(std::string_view header, std::string_view payload, const std::string& password)
{
    std::string bytes(header);
    bytes += payload;
    bytes.resize(header.size() + (payload.size() + ContainerBlockSize - 1) / ContainerBlockSize * ContainerBlockSize,
                 '\0');
    TBlockCipher(password, true).Apply(bytes.data() + header.size(), bytes.size() - header.size());
    return bytes;
}

std::filesystem::path FuzzScratchFile(const std::string& name)
{
    std::error_code error;
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(shm, error) ? shm : std::filesystem::temp_directory_path();
    return folder / ("bellwick-fuzz-" + std::to_string(::getpid()) + "-" + name);
}
