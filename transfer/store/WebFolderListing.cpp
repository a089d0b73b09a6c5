#include "WebFolderListing.h"

#include <algorithm>
#include <cstdlib>
#include <map>

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string EntitiesDecoded(const std::string& text)
{
    static const std::map<std::string, char> named = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t end = text[i] == '&' ? text.find(';', i) : std::string::npos;
        if (end == std::string::npos) {
            result += text[i];
            continue;
        }
        const std::string entity = text.substr(i + 1, end - i - 1);
        if (const auto found = named.find(entity); found != named.end()) {
            result += found->second;
        } else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            const long code = std::strtol(entity.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
            // Names of this program's own files are plain ASCII; anything else is kept escaped.
            if (code > 0 && code < 128) {
                result += static_cast<char>(code);
            } else {
                result += "&" + entity + ";";
            }
        } else {
            result += "&" + entity + ";";
        }
        i = end;
    }
    return result;
}

// The path of an href that may be a full URL.
std::string PathOf(const std::string& href)
{
    const std::size_t scheme = href.find("://");
    if (scheme == std::string::npos) {
        return href;
    }
    const std::size_t slash = href.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : href.substr(slash);
}

std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

} // namespace

std::string PercentDecoded(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            result += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

std::vector<std::string> NamesInListing(const std::string& xml, const std::string& folderPath)
{
    const std::string folder = WithoutTrailingSlash(PercentDecoded(folderPath));
    std::vector<std::string> names;
    std::size_t at = 0;
    while ((at = xml.find('<', at)) != std::string::npos) {
        const std::size_t close = xml.find('>', at);
        if (close == std::string::npos) {
            break;
        }
        std::string tag = xml.substr(at + 1, close - at - 1);
        at = close + 1;
        tag = tag.substr(0, tag.find_first_of(" \t\r\n/"));
        const std::size_t colon = tag.find(':');
        if ((colon == std::string::npos ? tag : tag.substr(colon + 1)) != "href") {
            continue;
        }
        const std::size_t end = xml.find('<', at);
        if (end == std::string::npos) {
            break;
        }
        const std::string path =
            WithoutTrailingSlash(PercentDecoded(PathOf(EntitiesDecoded(xml.substr(at, end - at)))));
        at = end;
        if (path == folder) {
            continue;
        }
        const std::size_t slash = path.find_last_of('/');
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}
