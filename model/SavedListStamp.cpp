#include "SavedListStamp.h"

#include "BWError.h"
#include "Container.h"
#include "FileIO.h"

#include <openssl/evp.h>

#include <memory>
#include <optional>
#include <utility>

namespace {

struct DigestContextDeleter
{
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

// SHA-256 over the password, a separator no password holds, and the text: a new password must
// seal the file again even when the text is the same.
std::array<unsigned char, 32> DigestOf(const std::string& password, std::string_view text)
{
    std::array<unsigned char, 32> digest{};
    const std::unique_ptr<EVP_MD_CTX, DigestContextDeleter> context(EVP_MD_CTX_new());
    unsigned int size = 0;
    const char separator = '\0';
    if (!context || EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1 ||
        EVP_DigestUpdate(context.get(), password.data(), password.size()) != 1 ||
        EVP_DigestUpdate(context.get(), &separator, 1) != 1 ||
        EVP_DigestUpdate(context.get(), text.data(), text.size()) != 1 ||
        EVP_DigestFinal_ex(context.get(), digest.data(), &size) != 1 || size != digest.size()) {
        throw EBWError("Cannot compute a digest of the list");
    }
    return digest;
}

TSavedListStamp::TFileIdentity IdentityOf(const std::filesystem::path& fileName)
{
    const std::optional<FileSystem::TFileStatus> status = FileSystem::StatusOf(fileName);
    return status ? status->Identity : TSavedListStamp::TFileIdentity{};
}

} // namespace

bool SaveItemListIfChanged(const TBWItemList& list, const std::filesystem::path& fileName, const std::string& password,
                           TSavedListStamp& stamp)
{
    std::string bytes(ContainerHeaderSize, '\0');
    AppendItemListText(list, bytes);
    return SaveListTextIfChanged(std::move(bytes), ItemListLineCount(list), fileName, password, stamp);
}

bool SaveListTextIfChanged(std::string bytes, std::size_t lineCount, const std::filesystem::path& fileName,
                           const std::string& password, TSavedListStamp& stamp)
{
    const auto digest = DigestOf(password, std::string_view(bytes).substr(ContainerHeaderSize));
    // A file that is missing, or that anyone (a restored backup, a text editor) touched since, is
    // written again even when the list is the same.
    const TSavedListStamp::TFileIdentity onDisk = IdentityOf(fileName);
    if (digest == stamp.Digest && onDisk.Size >= 0 && onDisk == stamp.File) {
        return false;
    }
    SealContainer(bytes, lineCount, password);
    WriteFileAtomically(fileName, bytes);
    stamp = {digest, IdentityOf(fileName)};
    return true;
}
