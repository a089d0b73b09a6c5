// The container reader on arbitrary bytes. Each input is used twice: as a container file as it
// is, and as a 4-byte length followed by a plain payload that is enciphered first, so that the
// fuzzer also reaches the framing behind the cipher (length, line count, zero bytes, line breaks).

#include "FuzzSupport.h"

#include "BWError.h"
#include "Container.h"
#include "ItemList.h"

#include <openssl/evp.h>

#include <memory>

namespace {

const TStringList Untouched = {"untouched"};

struct CipherContextDeleter
{
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

// The payload zero-padded to whole blocks and enciphered with the fixed password, behind the header.
std::string Enciphered(std::string_view header, std::string_view payload)
{
    std::string bytes(header);
    bytes += payload;
    bytes.resize(4 + (payload.size() + 15) / 16 * 16, '\0');
    const TAESKey key = PasswordToKey(PersonalListPassword);
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
    FuzzCheck(context && EVP_EncryptInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr) == 1 &&
                  EVP_CIPHER_CTX_set_padding(context.get(), 0) == 1,
              "cipher setup");
    auto* blocks = reinterpret_cast<unsigned char*>(bytes.data() + 4);
    int written = 0;
    FuzzCheck(EVP_EncryptUpdate(context.get(), blocks, &written, blocks, static_cast<int>(bytes.size() - 4)) == 1,
              "encipher");
    return bytes;
}

void CheckContainer(const std::string& bytes)
{
    TStringList lines = Untouched;
    try {
        (void)DecryptLines(bytes, lines, PersonalListPassword);
    } catch (const EBWError&) {
        FuzzCheck(lines == Untouched, "a failed read changed the lines");
        return;
    }
    // Whatever was read must survive a write and a read unchanged, with the check holding.
    const std::string written = EncryptLines(lines, PersonalListPassword);
    TStringList again;
    FuzzCheck(!DecryptLines(written, again, PersonalListPassword), "the check failed on a container just written");
    FuzzCheck(again == lines, "the lines changed in a write and read");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = FuzzBytes(data, size);
    CheckContainer(std::string(input));
    if (size >= 4) {
        CheckContainer(Enciphered(input.substr(0, 4), input.substr(4)));
    }
    return 0;
}
