#include "FtpAddress.h"

#include <string_view>

namespace {
constexpr std::size_t PrefixLength = 6; // "ftp://"
constexpr std::string_view ImplicitPrefix = "ftps://";
} // namespace

FtpAddress SplitFtpAddress(const std::string& address)
{
    FtpAddress parts;
    parts.ImplicitTls = address.starts_with(ImplicitPrefix);
    const std::size_t prefix = parts.ImplicitTls ? ImplicitPrefix.size() : PrefixLength;
    const std::string afterPrefix = address.size() > prefix ? address.substr(prefix) : std::string();
    const std::size_t hostEnd = afterPrefix.find('/');
    // Without a "/" after the host the host is empty, and the rest starts one character in.
    if (hostEnd != std::string::npos) {
        parts.Host = afterPrefix.substr(0, hostEnd);
    }
    const std::size_t restStart = parts.Host.size() + 1;
    const std::string rest = afterPrefix.size() > restStart ? afterPrefix.substr(restStart) : std::string();
    const std::size_t slash = rest.rfind('/');
    if (slash == std::string::npos) {
        parts.FileName = rest;
    } else {
        parts.Directory = rest.substr(0, slash);
        parts.FileName = rest.substr(slash + 1);
    }
    return parts;
}
