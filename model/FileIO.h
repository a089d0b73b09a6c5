#pragma once

#include "AtomicFileWriter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Whole-file reads, crash-safe whole-file writes (see AtomicFileWriter) and appends.

[[nodiscard]] std::string ReadWholeFile(const std::filesystem::path& fileName);
// The same, but nothing when there is no such file or it is not a regular file (a folder).
[[nodiscard]] std::optional<std::string> ReadRegularFile(const std::filesystem::path& fileName);
void WriteFileAtomically(const std::filesystem::path& fileName, std::string_view bytes,
                         AtomicFileWriter::NewFile newFile = AtomicFileWriter::NewFile::Private);
// The runtime's text for a failed file operation ("File access denied", "Disk full", ...).
[[nodiscard]] std::string IoErrorText(int error);

// Appends bytes, creating the file when missing (the log). The file is the user's alone afterwards.
void AppendToFile(const std::filesystem::path& fileName, std::string_view bytes);
