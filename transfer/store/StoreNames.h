#pragma once

#include <cstdint>
#include <string>

// The names this program uses beside a shared file F, a contract with other members' programs
// (docs/GROUP-FILES.md):
//   F.bwlock/                  the lock folder, held while one member changes F
//   F.bwlock/owner             who holds it, since when (LockOwner)
//   F.bwtmp.<time>.<token>     a new version of F on its way in, renamed over F when complete
//   F.bwstale.<time>.<token>   a lock folder judged stale, renamed away to be cleared
// <time> is UTC seconds when the name was made, <token> the maker's random token.
class StoreNames
{
public:
    explicit StoreNames(std::string sharedName) : m_shared(std::move(sharedName)) {}

    [[nodiscard]] const std::string& Shared() const { return m_shared; }
    [[nodiscard]] std::string Lock() const { return m_shared + ".bwlock"; }
    [[nodiscard]] std::string Owner() const { return Lock() + "/owner"; }
    [[nodiscard]] std::string Upload(std::int64_t utcSeconds, const std::string& token) const;
    [[nodiscard]] std::string Stale(std::int64_t utcSeconds, const std::string& token) const;
    [[nodiscard]] static std::string OwnerIn(const std::string& folder) { return folder + "/owner"; }

    enum class Kind
    {
        Other,
        Upload,
        Stale,
    };
    struct Leftover
    {
        Kind What = Kind::Other;
        std::int64_t Made = 0; // UTC seconds from the name
    };
    // What a name found beside the shared file is, when it is one of ours.
    [[nodiscard]] Leftover Classify(const std::string& name) const;

private:
    std::string m_shared;
};
