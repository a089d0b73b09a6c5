#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The owner file in a group's lock folder: who holds the lock and since when. Text lines
// "name value", the first one "bellwick-lock <version>". Readers ignore lines they do not know, so
// later versions may add some.
struct LockOwner
{
    static constexpr int Version = 1;

    std::string Token; // random, new for every publish: tells this holder from every other
    std::string User;
    std::string Host;
    std::int64_t Pid = 0;
    std::int64_t Taken = 0; // UTC seconds

    [[nodiscard]] std::string Encode() const;
    // Nothing when the text is not an owner file this version can judge.
    [[nodiscard]] static std::optional<LockOwner> Parse(std::string_view text);
};

// This process as a lock owner: the user name given, the machine's host name, the process id and
// a fresh token.
[[nodiscard]] LockOwner ThisProcessAsOwner(const std::string& userName);
// 32 hexadecimal digits from the system's random source.
[[nodiscard]] std::string NewToken();
