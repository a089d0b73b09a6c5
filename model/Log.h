#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Appends the line and CR LF to <dataFolder>/Logs/<logName>.log, creating the file when missing.
// Failures carry the system's reason ("File access denied", "Disk full", ...).
void WriteLog(const std::filesystem::path& dataFolder, const std::string& line, const std::string& logName);

// A text of a message as one field of a log line: line breaks become blanks, so that every entry
// stays one line, and a field is at most LogFieldLength bytes, so that a message from a group file
// cannot write megabytes per delivery.
inline constexpr std::size_t LogFieldLength = 256;
[[nodiscard]] std::string LogField(std::string_view text);
