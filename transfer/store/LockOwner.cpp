#include "LockOwner.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <random>

#include <unistd.h>

namespace {

constexpr std::string_view Magic = "bellwick-lock";

// Values stay on their line whatever a user or host name holds.
std::string OneLine(std::string text)
{
    for (char& c : text) {
        if (c == '\n' || c == '\r' || c == '\0') {
            c = ' ';
        }
    }
    return text;
}

std::optional<std::int64_t> Number(std::string_view text)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::string LockOwner::Encode() const
{
    return std::string(Magic) + " " + std::to_string(Version) + "\ntoken " + OneLine(Token) + "\nuser " +
           OneLine(User) + "\nhost " + OneLine(Host) + "\npid " + std::to_string(Pid) + "\ntaken " +
           std::to_string(Taken) + "\n";
}

std::optional<LockOwner> LockOwner::Parse(std::string_view text)
{
    LockOwner owner;
    bool first = true;
    bool haveTaken = false;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t space = line.find(' ');
        const std::string_view name = line.substr(0, space);
        const std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        if (first) {
            const auto version = Number(value);
            if (name != Magic || !version || *version < 1) {
                return std::nullopt;
            }
            first = false;
        } else if (name == "token") {
            owner.Token = value;
        } else if (name == "user") {
            owner.User = value;
        } else if (name == "host") {
            owner.Host = value;
        } else if (name == "pid") {
            owner.Pid = Number(value).value_or(0);
        } else if (name == "taken") {
            const auto taken = Number(value);
            haveTaken = taken.has_value();
            owner.Taken = taken.value_or(0);
        }
    }
    if (first || owner.Token.empty() || !haveTaken) {
        return std::nullopt;
    }
    return owner;
}

std::string NewToken()
{
    std::random_device random;
    std::string token;
    for (int i = 0; i < 4; ++i) {
        std::array<char, 9> digits{};
        const auto [end, error] = std::to_chars(digits.data(), digits.data() + 8, random(), 16);
        const std::string part(digits.data(), end);
        token += std::string(8 - part.size(), '0') + part;
    }
    return token;
}

LockOwner ThisProcessAsOwner(const std::string& userName)
{
    LockOwner owner;
    owner.Token = NewToken();
    owner.User = userName;
    std::array<char, 256> host{};
    if (::gethostname(host.data(), host.size() - 1) == 0) {
        owner.Host = host.data();
    }
    owner.Pid = ::getpid();
    return owner;
}
