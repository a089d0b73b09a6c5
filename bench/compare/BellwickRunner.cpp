// Bellwick's side of the comparison, one operation per run (see Measure.h):
//   load, save          LoadItemList / SaveItemList of a list file (save: crash-safe, flushed)
//   decode, encode      the same without the file system
//   next                the next occurrence of every message after the moment (AdvanceDueTime),
//                       from the same series starts the calendars hold
//   scan                the scheduler's due scan (CheckDue on every message, 5 s apart)
//   merge               MergeItemList of a fetched group file (--source) into the list
//   aes, memcpy         the floor: deciphering and copying as many bytes as the file holds
//   flush               the disk's part of a save: the file's bytes written as a save writes them
//                       (temporary file, fsync, rename), with nothing to compute
//   oneshot, roundtrip  one load + next pass, one load + save: timed and weighed from outside
//   nextdump            "uid minutes" per message into --out, for the agreement check

#include "Measure.h"
#include "MessageGenerator.h"
#include "PeerFiles.h"

#include "Container.h"
#include "FileIO.h"
#include "ItemList.h"

#include <openssl/evp.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

constexpr std::string_view Operations =
    "load save decode encode next scan merge aes memcpy flush oneshot roundtrip nextdump";

TBWItemList Load(const std::filesystem::path& file, const char* password)
{
    TBWItemList list;
    if (LoadItemList(list, file, password) != LoadOk) {
        throw std::runtime_error("cannot load " + file.string());
    }
    return list;
}

// Reads every message from the deciphered text, the way LoadItemList does after its file read.
void DecodeList(std::string& bytes, TBWItemList& list)
{
    const TOpenedContainer opened = OpenContainer(bytes, PersonalListPassword);
    ItemListFromText(list, opened.Text);
}

struct TNextPass
{
    std::size_t Upcoming = 0;
    double MinutesSum = 0;
};

// Moves every message from its series start to its first occurrence at or after the moment.
TNextPass NextOccurrences(TBWItemList& list, const std::vector<double>& starts, double moment)
{
    TNextPass pass;
    for (std::size_t i = 0; i < list.size(); ++i) {
        TBWItem& item = *list[i];
        item.DueTime = starts[i];
        item.AdvanceDueTime(moment);
        if (item.DueTime >= moment) {
            ++pass.Upcoming;
            pass.MinutesSum += static_cast<double>(MinutesAfter(moment, item.DueTime));
        }
    }
    return pass;
}

std::vector<double> SeriesStarts(const TBWItemList& list)
{
    std::vector<double> starts;
    starts.reserve(list.size());
    for (const auto& item : list) {
        starts.push_back(SeriesStart(*item));
    }
    return starts;
}

struct CipherContextDeleter
{
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};

int Run(const TRunnerArgs& args)
{
    const std::string& op = args.Operation;
    const double moment = NextOccurrenceMoment();
    if (op == "load") {
        TBWItemList list;
        const auto ms = TimeRepeated(
            args, [&] { list.clear(); },
            [&] {
                if (LoadItemList(list, args.File, PersonalListPassword) != LoadOk) {
                    throw std::runtime_error("load failed");
                }
            });
        PrintResult(args, list.size(), ms, static_cast<double>(list.size()));
    } else if (op == "save") {
        const TBWItemList list = Load(args.File, PersonalListPassword);
        const auto ms = TimeRepeated(
            args, [] {}, [&] { SaveItemList(list, args.Output, PersonalListPassword); });
        PrintResult(args, list.size(), ms, static_cast<double>(std::filesystem::file_size(args.Output)));
    } else if (op == "decode") {
        const std::string bytes = ReadFileBytes(args.File);
        std::string buffer;
        TBWItemList list;
        const auto ms = TimeRepeated(
            args,
            [&] {
                list.clear();
                buffer = bytes;
            },
            [&] { DecodeList(buffer, list); });
        PrintResult(args, list.size(), ms, static_cast<double>(list.size()));
    } else if (op == "encode") {
        const TBWItemList list = Load(args.File, PersonalListPassword);
        std::string bytes;
        const auto ms = TimeRepeated(
            args, [&] { bytes = std::string(); },
            [&] {
                bytes.resize(ContainerHeaderSize);
                AppendItemListText(list, bytes);
                SealContainer(bytes, ItemListLineCount(list), PersonalListPassword);
            });
        PrintResult(args, list.size(), ms, static_cast<double>(bytes.size()));
    } else if (op == "next" || op == "oneshot") {
        TBWItemList list = Load(args.File, PersonalListPassword);
        const std::vector<double> starts = SeriesStarts(list);
        TNextPass pass;
        const auto ms = op == "oneshot" ? std::vector<double>{}
                                        : TimeRepeated(
                                              args, [] {}, [&] { pass = NextOccurrences(list, starts, moment); });
        if (op == "oneshot") {
            pass = NextOccurrences(list, starts, moment);
        }
        PrintResult(args, list.size(), ms, static_cast<double>(pass.Upcoming));
    } else if (op == "nextdump") {
        TBWItemList list = Load(args.File, PersonalListPassword);
        const std::vector<double> starts = SeriesStarts(list);
        NextOccurrences(list, starts, moment);
        std::ofstream out(args.Output);
        for (const auto& item : list) {
            out << EventUid(*item) << ' ' << (item->DueTime >= moment ? MinutesAfter(moment, item->DueTime) : -1)
                << '\n';
        }
        PrintResult(args, list.size(), {}, static_cast<double>(list.size()));
    } else if (op == "scan") {
        TBWItemList list = Load(args.File, PersonalListPassword);
        double now = BenchMoment();
        std::size_t delivered = 0;
        const auto ms = TimeRepeated(
            args, [] {},
            [&] {
                for (const auto& item : list) {
                    delivered += item->CheckDue(now) ? 1 : 0;
                }
                now += 5.0 / 86400;
            });
        PrintResult(args, list.size(), ms, static_cast<double>(delivered));
    } else if (op == "merge") {
        const TBWItemList local = Load(args.File, PersonalListPassword);
        std::filesystem::path sourceFile = args.File;
        sourceFile.replace_filename("group-" + std::to_string(local.size()) + ".dat");
        const TBWItemList source = Load(sourceFile, BenchGroupPassword);
        TBWItemList target;
        const auto ms = TimeRepeated(
            args,
            [&] {
                target.clear();
                target.reserve(local.size());
                for (const auto& item : local) {
                    target.push_back(std::make_unique<TBWItem>(*item));
                }
            },
            [&] { MergeItemList(target, source, BenchMoment() + 1.0 / 1440); });
        PrintResult(args, local.size(), ms, static_cast<double>(target.size()));
    } else if (op == "aes" || op == "memcpy") {
        const std::size_t size = std::filesystem::file_size(args.File);
        std::string buffer(size - size % 16, '\x5A');
        std::string target(buffer.size(), '\0');
        const TAESKey key = PasswordToKey(PersonalListPassword);
        std::unique_ptr<EVP_CIPHER_CTX, CipherContextDeleter> context(EVP_CIPHER_CTX_new());
        if (!context || EVP_DecryptInit_ex(context.get(), EVP_aes_256_ecb(), nullptr, key.data(), nullptr) != 1 ||
            EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1) {
            throw std::runtime_error("no AES-256-ECB");
        }
        auto* bytes = reinterpret_cast<unsigned char*>(buffer.data());
        const auto ms = TimeRepeated(
            args, [] {},
            [&] {
                if (op == "memcpy") {
                    std::memcpy(target.data(), buffer.data(), buffer.size());
                    return;
                }
                int written = 0;
                if (EVP_DecryptUpdate(context.get(), bytes, &written, bytes, static_cast<int>(buffer.size())) != 1) {
                    throw std::runtime_error("decryption failed");
                }
            });
        PrintResult(args, 0, ms, static_cast<double>(static_cast<unsigned char>(buffer[0] ^ target[0])));
    } else if (op == "flush") {
        const std::string bytes = ReadFileBytes(args.File);
        const auto ms = TimeRepeated(
            args, [] {}, [&] { WriteFileAtomically(args.Output, bytes); });
        PrintResult(args, 0, ms, static_cast<double>(bytes.size()));
    } else if (op == "roundtrip") {
        const TBWItemList list = Load(args.File, PersonalListPassword);
        SaveItemList(list, args.Output, PersonalListPassword);
        PrintResult(args, list.size(), {}, static_cast<double>(list.size()));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(ParseRunnerArgs(argc, argv, Operations));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
        return 1;
    }
}
