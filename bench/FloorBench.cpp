// The physical floor a list file cannot beat on this machine: deciphering its bytes with AES-256
// and copying them once in memory. The buffer is as large as the list file of the same count.

#include "BenchSizes.h"
#include "MessageGenerator.h"

#include "Container.h"
#include "ItemList.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>

namespace {

std::size_t ListFileSize(std::int64_t count)
{
    static std::map<std::int64_t, std::size_t> sizes;
    auto [it, added] = sizes.try_emplace(count, 0);
    if (added) {
        const TBWItemList list = MakeMessages(static_cast<std::size_t>(count));
        std::string bytes(ContainerHeaderSize, '\0');
        AppendItemListText(list, bytes);
        SealContainer(bytes, ItemListLineCount(list), PersonalListPassword);
        it->second = bytes.size();
    }
    return it->second;
}

struct CipherContextDeleter
{
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

void BM_AesDecrypt(benchmark::State& state)
{
    // The cipher text of a list file minus its 4-byte header is a whole number of blocks.
    const std::size_t size = ListFileSize(state.range(0)) - 4;
    std::string buffer(size, '\x5A');
    const TAESKey key = PasswordToKey(PersonalListPassword);
    std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
    if (!context || EVP_DecryptInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
        state.SkipWithError("no AES-256-ECB");
        return;
    }
    auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
    for (auto _ : state) {
        int written = 0;
        if (EVP_DecryptUpdate(context.get(), bytes, &written, bytes, static_cast<int>(size)) != 1) {
            state.SkipWithError("decryption failed");
            break;
        }
        benchmark::DoNotOptimize(bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_AesDecrypt)->Apply(ListSizes);

void BM_Memcpy(benchmark::State& state)
{
    const std::size_t size = ListFileSize(state.range(0));
    const std::string source(size, '\x5A');
    std::string target(size, '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_Memcpy)->Apply(ListSizes);

} // namespace
