#pragma once

#include <string>

// Copies a group file between a folder location and the local copy, replacing the target. The
// bytes go to a temporary file beside the target that is renamed over it when complete, so a
// reader never sees a half-written file and a failed copy leaves the old target in place; a target
// that already holds the same bytes is not touched.
// Returns whether the target now holds the source's bytes. A new target that other people read (a
// group file in a shared folder) gets the usual permissions; a local copy is private to the user.
[[nodiscard]] bool CopyFileReplacing(const std::string& source, const std::string& target, bool forOthers = false);

// Whether a failed copy from this source failed because there is no file: the folder exists and
// holds nothing of that name. A folder that cannot be reached (an absent network share) is not
// enough to say the file is missing.
[[nodiscard]] bool IsMissingFile(const std::string& path);
