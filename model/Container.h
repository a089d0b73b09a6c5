#pragma once

#include "TextUtil.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

// The enciphered container of every message list file: a little-endian 32-bit payload length,
// then the payload (lines with CR LF, then the 32-bit line count) under AES-256-ECB, zero padded.
// The key is MD5(password) followed by MD5(reversed password).

using TAESKey = std::array<std::uint8_t, 32>;

[[nodiscard]] std::string ReverseText(const std::string& text);
[[nodiscard]] TAESKey PasswordToKey(const std::string& password);

// The container's bytes for the lines (what SaveLinesEncrypted writes).
[[nodiscard]] std::string EncryptLines(const TStringList& lines, const std::string& password);
// Reads the container's bytes into lines; true when the stored line count does not match
// (wrong password or damaged content). Lines are left unchanged when it throws.
bool DecryptLines(std::string bytes, TStringList& lines, const std::string& password);

void SaveLinesEncrypted(const TStringList& lines, const std::filesystem::path& fileName, const std::string& password);
bool LoadLinesEncrypted(TStringList& lines, const std::filesystem::path& fileName, const std::string& password);
