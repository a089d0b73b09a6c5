#include "ContainerWriter.h"
#include "AtomicFileWriter.h"
#include "Container.h"
#include "FileIO.h"
#include "ItemList.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

std::string Sealed(const std::string& text, std::size_t lineCount)
{
    std::string bytes(ContainerHeaderSize, '\0');
    bytes += text;
    SealContainer(bytes, lineCount, "pw");
    return bytes;
}

} // namespace

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
    // More text than one piece of the default size, so the save crosses pieces.
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
    std::string sealed(ContainerHeaderSize, '\0');
    AppendItemListText(list, sealed);
    const std::string text = sealed.substr(ContainerHeaderSize);
    SealContainer(sealed, ItemListLineCount(list), PersonalListPassword);
    const std::string written = ReadWholeFile(file);
    ASSERT_GT(written.size(), TContainerWriter::DefaultPieceSize);
    EXPECT_EQ(written, sealed);

    TBWItemList loaded;
    ASSERT_EQ(LoadItemList(loaded, file, PersonalListPassword), LoadOk);
    std::string reread;
    AppendItemListText(loaded, reread);
    EXPECT_EQ(reread, text);
}
