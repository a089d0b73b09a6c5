#include "Container.h"

#include "BWError.h"
#include "FileIO.h"

#include <openssl/evp.h>

#include <algorithm>
#include <limits>
#include <memory>

namespace {

constexpr std::size_t BlockSize = ContainerBlockSize;

struct CipherContextDeleter
{
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter>;

void Md5(const std::string& bytes, std::uint8_t* digest)
{
    unsigned int size = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_md5(), nullptr) != 1 || size != 16) {
        throw EAESError("MD5 digest failed");
    }
}

} // namespace

void PutInt32(char* target, std::int32_t value)
{
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        target[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
}

struct TBlockCipher::Context
{
    CipherContext Evp;
};

TBlockCipher::TBlockCipher(const std::string& password, bool encrypt) : m_context(std::make_unique<Context>())
{
    const TAESKey key = PasswordToKey(password);
    m_context->Evp.reset(EVP_CIPHER_CTX_new());
    if (!m_context->Evp ||
        EVP_CipherInit_ex(m_context->Evp.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr, encrypt ? 1 : 0) !=
            1 ||
        EVP_CIPHER_CTX_set_padding(m_context->Evp.get(), 0) != 1) {
        throw EAESError("The cipher could not be set up");
    }
}

TBlockCipher::~TBlockCipher() = default;

void TBlockCipher::Apply(char* data, std::size_t size)
{
    auto* bytes = reinterpret_cast<unsigned char*>(data);
    // EVP takes an int length; go in chunks so files above 2 GiB cannot overflow it.
    constexpr std::size_t Chunk = std::size_t{1} << 30;
    for (std::size_t offset = 0; offset < size; offset += Chunk) {
        const std::size_t part = std::min(Chunk, size - offset);
        int written = 0;
        if (EVP_CipherUpdate(m_context->Evp.get(), bytes + offset, &written, bytes + offset, static_cast<int>(part)) !=
                1 ||
            static_cast<std::size_t>(written) != part) {
            throw EAESError("The cipher failed");
        }
    }
}

std::string ReverseText(const std::string& text)
{
    return {text.rbegin(), text.rend()};
}

TAESKey PasswordToKey(const std::string& password)
{
    TAESKey key{};
    Md5(password, key.data());
    Md5(ReverseText(password), key.data() + 16);
    return key;
}

void SealContainer(std::string& bytes, std::size_t lineCount, const std::string& password)
{
    const std::size_t payloadSize = bytes.size() - ContainerHeaderSize + 4;
    if (payloadSize > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()) ||
        lineCount > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw EBWError("The list is too large to be saved");
    }
    const std::size_t cipherSize = (payloadSize + BlockSize - 1) / BlockSize * BlockSize;
    const std::size_t textEnd = bytes.size();
    bytes.resize(ContainerHeaderSize + cipherSize, '\0');
    PutInt32(bytes.data() + textEnd, static_cast<std::int32_t>(lineCount));
    PutInt32(bytes.data(), static_cast<std::int32_t>(payloadSize));
    TBlockCipher(password, true).Apply(bytes.data() + ContainerHeaderSize, cipherSize);
}

namespace {

std::int32_t GetInt32(const char* source)
{
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) {
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(source[i])) << (8 * i);
    }
    return static_cast<std::int32_t>(u);
}

// Where the parts of a container of the given size lie, from its header; fails on a container
// whose size or header cannot be right.
struct TContainerShape
{
    std::size_t CipherSize = 0;  // the enciphered bytes after the header
    std::size_t PayloadSize = 0; // the text and the 4-byte line count, at the start of them
};

TContainerShape ContainerShape(std::size_t containerSize, const char* header)
{
    if (containerSize < ContainerHeaderSize) {
        throw EBWError("Stream read error");
    }
    TContainerShape shape;
    shape.CipherSize = containerSize - ContainerHeaderSize;
    if (shape.CipherSize == 0 || shape.CipherSize % BlockSize != 0) {
        throw EAESError("Invalid buffer size for decryption");
    }
    const std::int32_t payloadSize = GetInt32(header);
    if (payloadSize < 4 || static_cast<std::size_t>(payloadSize) > shape.CipherSize) {
        throw EBWError("Stream read error");
    }
    shape.PayloadSize = static_cast<std::size_t>(payloadSize);
    return shape;
}

} // namespace

TOpenedContainer OpenContainer(std::string& bytes, const std::string& password)
{
    const TContainerShape shape = ContainerShape(bytes.size(), bytes.data());
    char* plain = bytes.data() + ContainerHeaderSize;
    TBlockCipher(password, false).Apply(plain, shape.CipherSize);

    TOpenedContainer opened;
    opened.StoredLineCount = GetInt32(plain + shape.PayloadSize - 4);
    opened.Text = std::string_view(plain, shape.PayloadSize - 4);
    if (const std::size_t zero = opened.Text.find('\0'); zero != std::string_view::npos) {
        opened.Text = opened.Text.substr(0, zero);
    }
    return opened;
}

std::string EncryptLines(const TStringList& lines, const std::string& password)
{
    std::size_t textSize = 0;
    for (const std::string& line : lines) {
        textSize += line.size() + 2;
    }
    std::string bytes;
    bytes.reserve(ContainerHeaderSize + textSize + 4 + BlockSize);
    bytes.resize(ContainerHeaderSize);
    for (const std::string& line : lines) {
        bytes.append(line);
        bytes.append("\r\n");
    }
    SealContainer(bytes, lines.size(), password);
    return bytes;
}

bool DecryptLines(std::string bytes, TStringList& lines, const std::string& password)
{
    const TOpenedContainer opened = OpenContainer(bytes, password);
    TStringList result;
    SplitLines(opened.Text, result);
    lines = std::move(result);
    return opened.StoredLineCount < 0 || lines.size() != static_cast<std::size_t>(opened.StoredLineCount);
}

void SaveLinesEncrypted(const TStringList& lines, const std::filesystem::path& fileName, const std::string& password,
                        AtomicFileWriter::NewFile newFile)
{
    WriteFileAtomically(fileName, EncryptLines(lines, password), newFile);
}

bool LoadLinesEncrypted(TStringList& lines, const std::filesystem::path& fileName, const std::string& password)
{
    return DecryptLines(ReadWholeFile(fileName), lines, password);
}
