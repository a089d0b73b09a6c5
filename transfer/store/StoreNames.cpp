#include "StoreNames.h"

#include <charconv>

namespace {
constexpr const char* UploadMark = ".bwtmp.";
constexpr const char* StaleMark = ".bwstale.";

bool IsToken(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}
} // namespace

std::string StoreNames::Upload(std::int64_t utcSeconds, const std::string& token) const
{
    return m_shared + UploadMark + std::to_string(utcSeconds) + "." + token;
}

std::string StoreNames::Stale(std::int64_t utcSeconds, const std::string& token) const
{
    return m_shared + StaleMark + std::to_string(utcSeconds) + "." + token;
}

StoreNames::Leftover StoreNames::Classify(const std::string& name) const
{
    for (const auto& [mark, kind] : {std::pair{UploadMark, Kind::Upload}, std::pair{StaleMark, Kind::Stale}}) {
        const std::string prefix = m_shared + mark;
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
            continue;
        }
        const std::string rest = name.substr(prefix.size());
        const std::size_t dot = rest.find('.');
        std::int64_t made = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), made);
        if (dot == std::string::npos || error != std::errc() || end != rest.data() + dot ||
            !IsToken(rest.substr(dot + 1))) {
            return {};
        }
        return {kind, made};
    }
    return {};
}
