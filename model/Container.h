#pragma once

#include "AtomicFileWriter.h"
#include "TextUtil.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// The enciphered container of every message list file: a little-endian 32-bit payload length,
// then the payload (lines with CR LF, then the 32-bit line count) under AES-256-ECB, zero padded.
// The key is MD5(password) followed by MD5(reversed password).

using TAESKey = std::array<std::uint8_t, 32>;

[[nodiscard]] std::string ReverseText(const std::string& text);
[[nodiscard]] TAESKey PasswordToKey(const std::string& password);

// The two halves of the container for callers that build or read the text themselves.
// SealContainer takes bytes that hold ContainerHeaderSize reserved bytes followed by the text
// (lines ending in CR LF), adds the line count, the length header and the padding, and
// enciphers in place. OpenContainer deciphers in place and returns the text (without count and
// padding, cut at a zero byte) and the stored line count; it fails like LoadLinesEncrypted.
inline constexpr std::size_t ContainerHeaderSize = 4;
inline constexpr std::size_t ContainerBlockSize = 16;
void SealContainer(std::string& bytes, std::size_t lineCount, const std::string& password);

struct TOpenedContainer
{
    std::string_view Text;
    std::int32_t StoredLineCount = 0;
};
[[nodiscard]] TOpenedContainer OpenContainer(std::string& bytes, const std::string& password);

// AES-256-ECB over whole blocks in place, the key set up once for many pieces.
class TBlockCipher
{
public:
    TBlockCipher(const std::string& password, bool encrypt);
    ~TBlockCipher();
    TBlockCipher(const TBlockCipher&) = delete;
    TBlockCipher& operator=(const TBlockCipher&) = delete;

    // size is a multiple of ContainerBlockSize.
    void Apply(char* data, std::size_t size);

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};

// A little-endian 32-bit number, as the header and the stored line count are kept.
void PutInt32(char* target, std::int32_t value);

// The container's bytes for the lines (what SaveLinesEncrypted writes).
[[nodiscard]] std::string EncryptLines(const TStringList& lines, const std::string& password);
// Reads the container's bytes into lines; true when the stored line count does not match
// (wrong password or damaged content). Lines are left unchanged when it throws.
bool DecryptLines(std::string bytes, TStringList& lines, const std::string& password);

void SaveLinesEncrypted(const TStringList& lines, const std::filesystem::path& fileName, const std::string& password,
                        AtomicFileWriter::NewFile newFile = AtomicFileWriter::NewFile::Private);
bool LoadLinesEncrypted(TStringList& lines, const std::filesystem::path& fileName, const std::string& password);
