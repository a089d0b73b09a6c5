#include "KnownHosts.h"

#include "BWError.h"
#include "FileIO.h"
#include "TextUtil.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

namespace {

std::string DecodeBase64(const std::string& text)
{
    if (text.empty() || text.size() % 4 != 0) {
        return {};
    }
    std::string bytes(text.size() / 4 * 3, '\0');
    const int length =
        EVP_DecodeBlock(reinterpret_cast<unsigned char*>(bytes.data()),
                        reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
    if (length < 0) {
        return {};
    }
    std::size_t size = static_cast<std::size_t>(length);
    for (auto it = text.rbegin(); it != text.rend() && *it == '=' && size > 0; ++it) {
        --size;
    }
    bytes.resize(size);
    return bytes;
}

std::string EncodeBase64(const std::string& bytes)
{
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length =
        EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                        reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// Shell-style "*" and "?" as OpenSSH's host patterns use them.
bool Glob(const char* pattern, const char* text)
{
    for (; *pattern != '\0'; ++pattern, ++text) {
        if (*pattern == '*') {
            for (const char* rest = text;; ++rest) {
                if (Glob(pattern + 1, rest)) {
                    return true;
                }
                if (*rest == '\0') {
                    return false;
                }
            }
        }
        if (*text == '\0' || (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) !=
                                                     std::tolower(static_cast<unsigned char>(*text)))) {
            return false;
        }
    }
    return *text == '\0';
}

// "|1|salt|hash": the HMAC-SHA1 of the host entry, keyed with the salt.
bool HashedMatches(const std::string& pattern, const std::string& hostEntry)
{
    const std::size_t bar = pattern.find('|', 3);
    if (bar == std::string::npos) {
        return false;
    }
    const std::string salt = DecodeBase64(pattern.substr(3, bar - 3));
    const std::string hash = DecodeBase64(pattern.substr(bar + 1));
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    if (salt.empty() || HMAC(EVP_sha1(), salt.data(), static_cast<int>(salt.size()),
                             reinterpret_cast<const unsigned char*>(hostEntry.data()), hostEntry.size(), digest.data(),
                             &size) == nullptr) {
        return false;
    }
    return hash == std::string(reinterpret_cast<const char*>(digest.data()), size);
}

std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace

void KnownHosts::Read(const std::string& file)
{
    if (file.empty()) {
        return;
    }
    const std::optional<std::string> text = ReadRegularFile(file);
    if (!text) {
        return;
    }
    TStringList lines;
    SplitLines(*text, lines);
    for (const std::string& line : lines) {
        std::vector<std::string> words = Words(line);
        if (words.empty() || words[0].starts_with("#")) {
            continue;
        }
        Entry entry;
        if (words[0].starts_with("@")) {
            // A certificate authority's key vouches for host certificates, which are not used here.
            if (words[0] != "@revoked") {
                continue;
            }
            entry.Revoked = true;
            words.erase(words.begin());
        }
        if (words.size() < 3) {
            continue;
        }
        std::size_t start = 0;
        while (start <= words[0].size()) {
            const std::size_t comma = std::min(words[0].find(',', start), words[0].size());
            entry.Patterns.push_back(words[0].substr(start, comma - start));
            start = comma + 1;
        }
        entry.KeyType = words[1];
        entry.Key = DecodeBase64(words[2]);
        if (!entry.Key.empty()) {
            m_entries.push_back(std::move(entry));
        }
    }
}

bool KnownHosts::Matches(const Entry& entry, const std::string& hostEntry)
{
    bool matched = false;
    for (const std::string& pattern : entry.Patterns) {
        const bool negated = pattern.starts_with("!");
        const std::string body = negated ? pattern.substr(1) : pattern;
        const bool hit =
            body.starts_with("|1|") ? HashedMatches(body, hostEntry) : Glob(body.c_str(), hostEntry.c_str());
        if (hit && negated) {
            return false;
        }
        matched = matched || hit;
    }
    return matched;
}

KnownHosts::Verdict KnownHosts::Check(const std::string& hostEntry, const std::string& keyType,
                                      const std::string& key) const
{
    Verdict verdict = Verdict::Unknown;
    for (const Entry& entry : m_entries) {
        if (!Matches(entry, hostEntry)) {
            continue;
        }
        if (entry.Revoked && entry.Key == key) {
            return Verdict::Changed;
        }
        if (entry.Revoked || entry.KeyType != keyType) {
            continue;
        }
        if (entry.Key == key) {
            verdict = Verdict::Trusted;
        } else if (verdict == Verdict::Unknown) {
            verdict = Verdict::Changed;
        }
    }
    return verdict;
}

std::string KnownHosts::HostEntry(const std::string& host, long port)
{
    return port == 22 ? host : "[" + host + "]:" + std::to_string(port);
}

std::string KnownHosts::KeyTypeOf(const std::string& key)
{
    if (key.size() < 4) {
        return {};
    }
    const auto byte = [&key](std::size_t i) { return static_cast<std::size_t>(static_cast<unsigned char>(key[i])); };
    const std::size_t length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    return length <= key.size() - 4 ? key.substr(4, length) : std::string();
}

std::string KnownHosts::Fingerprint(const std::string& key)
{
    std::array<unsigned char, EVP_MAX_MD_SIZE> digest{};
    unsigned int size = 0;
    if (EVP_Digest(key.data(), key.size(), digest.data(), &size, EVP_sha256(), nullptr) != 1) {
        return {};
    }
    std::string text = EncodeBase64(std::string(reinterpret_cast<const char*>(digest.data()), size));
    while (!text.empty() && text.back() == '=') {
        text.pop_back();
    }
    return "SHA256:" + text;
}

void KnownHosts::Trust(const std::string& file, const ServerIdentity& server)
{
    if (file.empty() || server.Host.empty() || server.KeyType.empty() || server.Key.empty()) {
        throw EBWError("The host key cannot be trusted: nothing is known of it.");
    }
    std::string text = ReadRegularFile(file).value_or(std::string());
    if (!text.empty() && text.back() != '\n') {
        text += '\n';
    }
    text += server.Host + " " + server.KeyType + " " + EncodeBase64(server.Key) + "\n";
    WriteFileAtomically(file, text);
}
