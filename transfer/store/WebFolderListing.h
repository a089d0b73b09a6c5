#pragma once

#include <string>
#include <vector>

// The names in a WebDAV folder, from the multistatus answer to a PROPFIND of depth 1: the last
// part of each href, its %-escapes and XML entities decoded, the folder itself left out. Servers
// differ in the namespace prefix ("D:", "d:", none) and in full URLs or bare paths; both are read.
[[nodiscard]] std::vector<std::string> NamesInListing(const std::string& xml, const std::string& folderPath);
// "%20" and the like decoded; an escape that is not one stays as it is.
[[nodiscard]] std::string PercentDecoded(const std::string& text);
