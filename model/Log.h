#pragma once

#include <filesystem>
#include <string>

// Appends the line and CR LF to <dataFolder>/Logs/<logName>.log, creating the file when missing.
// Failures carry the system's reason ("File access denied", "Disk full", ...).
void WriteLog(const std::filesystem::path& dataFolder, const std::string& line, const std::string& logName);
