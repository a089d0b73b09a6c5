#include "AtomicFileWriter.h"
#include "BWError.h"
#include "Container.h"
#include "ContainerLineReader.h"
#include "ContainerWriter.h"
#include "FileIO.h"
#include "ItemList.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

// A container's bytes, handed out as a file would.
class MemorySource
{
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}

    TContainerLineReader::ReadExactly Reader()
    {
        return [this](char* buffer, std::size_t size) {
            if (m_position + size > m_bytes.size()) {
                throw EBWError("Stream read error");
            }
            std::memcpy(buffer, m_bytes.data() + m_position, size);
            m_position += size;
        };
    }
    [[nodiscard]] std::size_t Size() const { return m_bytes.size(); }

private:
    std::string m_bytes;
    std::size_t m_position = 0;
};

std::string Sealed(const std::string& text, std::size_t lineCount)
{
    std::string bytes(ContainerHeaderSize, '\0');
    bytes += text;
    SealContainer(bytes, lineCount, "pw");
    return bytes;
}

struct Read
{
    TStringList Lines;
    std::int32_t StoredCount = 0;
};

Read ReadPiecewise(const std::string& container, std::size_t pieceSize, std::size_t declaredSize = 0)
{
    MemorySource source(container);
    TContainerLineReader reader(source.Reader(), declaredSize != 0 ? declaredSize : source.Size(), "pw", pieceSize);
    Read read;
    while (!reader.AtEnd()) {
        read.Lines.emplace_back(reader.Next());
    }
    EXPECT_EQ(reader.Index(), static_cast<long long>(read.Lines.size()));
    read.StoredCount = reader.StoredLineCount();
    return read;
}

Read ReadWhole(std::string container)
{
    const TOpenedContainer opened = OpenContainer(container, "pw");
    Read read;
    SplitLines(opened.Text, read.Lines);
    read.StoredCount = opened.StoredLineCount;
    return read;
}

} // namespace

// Pieces end anywhere: inside a CR LF pair, right after a lone CR, inside a line longer than a
// piece, on a zero byte that cuts the text, inside the stored line count. Every split must give
// the lines and the count that deciphering the whole file at once gives.
TEST(ContainerLineReader, ReadsWhatTheWholeContainerHoldsWhereverPiecesEnd)
{
    std::string mixed;
    for (int i = 0; i < 40; ++i) {
        mixed += std::string(static_cast<std::size_t>(i * 7 % 53), static_cast<char>('a' + i % 26));
        mixed += i % 5 == 0 ? "\r" : i % 7 == 0 ? "\n" : "\r\n";
        if (i % 11 == 0) {
            mixed += "\r\n\r\n"; // empty lines
        }
    }
    const std::vector<std::string> texts = {
        "",
        "1\r\n",
        "1\r\n0\r\n",
        "no final break",
        std::string(15, 'x') + "\r\n" + std::string(16, 'y') + "\r" + "\n" + std::string(14, 'z') + "\r",
        std::string(100, 'L') + "\r\nshort\r\n" + std::string(70, 'M'),
        mixed,
        "before\r\nthe zero\r\n" + std::string(1, '\0') + "after\r\nit\r\n",
        std::string(31, 'q') + std::string(1, '\0') + "hidden\r\n",
        std::string(1, '\0') + "all hidden\r\n",
    };
    for (const std::string& text : texts) {
        for (const std::int32_t count : {0, 2, 2147483647}) {
            const std::string container = Sealed(text, static_cast<std::size_t>(count));
            const Read whole = ReadWhole(container);
            for (const std::size_t piece : {16U, 32U, 48U, 64U, 4096U}) {
                const Read parts = ReadPiecewise(container, piece);
                EXPECT_EQ(parts.Lines, whole.Lines) << "piece " << piece << ", text " << text;
                EXPECT_EQ(parts.StoredCount, whole.StoredCount) << "piece " << piece;
            }
        }
    }
}

TEST(ContainerLineReader, FailsLikeTheWholeContainerOnImpossibleSizes)
{
    const std::string good = Sealed("one\r\ntwo\r\n", 2);
    const auto failure = [](const std::string& container, std::size_t declared = 0) -> std::string {
        try {
            ReadPiecewise(container, 16, declared);
        } catch (const EAESError& error) {
            return std::string("AES: ") + error.what();
        } catch (const EBWError& error) {
            return error.what();
        }
        return "no failure";
    };
    EXPECT_EQ(failure("abc"), "Stream read error");
    EXPECT_EQ(failure(good.substr(0, good.size() - 1)), "AES: Invalid buffer size for decryption");
    EXPECT_EQ(failure(good.substr(0, ContainerHeaderSize)), "AES: Invalid buffer size for decryption");
    std::string tooLong = good;
    tooLong[0] = '\x7F';
    EXPECT_EQ(failure(tooLong), "Stream read error");
    // The file was shorter when it was read than when it was measured.
    EXPECT_EQ(failure(good.substr(0, good.size() - 16), good.size()), "Stream read error");
    EXPECT_EQ(failure(good), "no failure");
}

TEST(ContainerLineReader, RefusesPiecesThatSplitCipherBlocks)
{
    MemorySource source(Sealed("x\r\n", 1));
    EXPECT_THROW(TContainerLineReader(source.Reader(), source.Size(), "pw", 20), EBWError);
}

// Files written piece by piece must be byte for byte what sealing the whole text at once gives:
// other members' programs read them.
TEST(ContainerWriter, WritesWhatSealingTheWholeTextWrites)
{
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += std::string(static_cast<std::size_t>(i * 13 % 41), static_cast<char>('A' + i % 26)) + "\r\n";
    }
    for (const std::size_t length : {std::size_t{0}, std::size_t{11}, std::size_t{12}, std::size_t{13}, text.size()}) {
        for (const std::size_t piece : {16U, 48U, 4096U}) {
            const std::filesystem::path file = folder / "pieces.dat";
            {
                AtomicFileWriter writer(file);
                TContainerWriter container(writer, "pw", piece);
                // Appended a few bytes at a time, as records are.
                for (std::size_t at = 0; at < length; at += 5) {
                    container.Text().append(text, at, std::min<std::size_t>(5, length - at));
                    container.WriteFullPiece();
                }
                container.Finish(42);
                writer.Commit();
            }
            EXPECT_EQ(ReadWholeFile(file), Sealed(text.substr(0, length), 42)) << length << " bytes, piece " << piece;
        }
    }
}

TEST(ContainerWriter, SavedListsMatchTheLineListWayAndLoadBack)
{
    TempFolder folder;
    // More text than one piece of the default size, so the save and the load cross pieces.
    TBWItemList list;
    for (std::int32_t id = 1; id <= 13000; ++id) {
        auto item = std::make_unique<TBWItem>();
        item->Id = id;
        item->Title = "Reminder " + std::to_string(id);
        item->Text = std::string(static_cast<std::size_t>(id % 150), 't') + "\r\nsecond line";
        item->Recipients = {"Sales", "Dev"};
        item->DueTime = 46000.5 + id;
        item->RepeatKind = static_cast<std::uint8_t>(id % 5);
        item->ActivateAllDays();
        list.push_back(std::move(item));
    }
    const std::filesystem::path file = folder / "bwlist.dat";
    SaveItemList(list, file, PersonalListPassword);
    TStringList lines;
    ItemListToLines(list, lines);
    const std::string written = ReadWholeFile(file);
    ASSERT_GT(written.size(), TContainerWriter::DefaultPieceSize);
    ASSERT_GT(written.size(), 4 * TContainerLineReader::DefaultPieceSize);
    EXPECT_EQ(written, EncryptLines(lines, PersonalListPassword));

    TBWItemList loaded;
    ASSERT_EQ(LoadItemList(loaded, file, PersonalListPassword), LoadOk);
    TStringList reread;
    ItemListToLines(loaded, reread);
    EXPECT_EQ(reread, lines);
}
