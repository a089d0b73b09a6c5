#include "Container.h"
#include "BWError.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const std::filesystem::path Kat = std::filesystem::path(BW_TEST_DATA_DIR) / "kat";

struct KnownAnswer
{
    const char* file;
    const char* password;
    TStringList lines;
    std::size_t size;
};

class ContainerKnownAnswers : public ::testing::TestWithParam<KnownAnswer>
{};

// The reference files were made with the openssl command line alone (tests/data/make-kat.sh).
TEST_P(ContainerKnownAnswers, WrittenBytesMatchAndReferenceLoads)
{
    const KnownAnswer& answer = GetParam();
    const std::string reference = ReadBytes(Kat / answer.file);
    ASSERT_EQ(reference.size(), answer.size);
    EXPECT_EQ(EncryptLines(answer.lines, answer.password), reference);

    TempFolder folder;
    SaveLinesEncrypted(answer.lines, folder / "list.dat", answer.password);
    EXPECT_EQ(ReadBytes(folder / "list.dat"), reference);

    TStringList loaded{"stale"};
    EXPECT_FALSE(LoadLinesEncrypted(loaded, Kat / answer.file, answer.password));
    EXPECT_EQ(loaded, answer.lines);
}

INSTANTIATE_TEST_SUITE_P(Files, ContainerKnownAnswers,
                         ::testing::Values(KnownAnswer{"empty-list.dat", "58203", {}, 20},
                                           KnownAnswer{"payload-16.dat", "58203", {"abcdefghij"}, 20},
                                           KnownAnswer{"payload-17.dat", "58203", {"abcdefghijk"}, 36},
                                           KnownAnswer{"empty-message-list.dat", "58203", {"1", "0"}, 20},
                                           KnownAnswer{"empty-password.dat", "", {"x", "", "y"}, 20},
                                           KnownAnswer{"group-sales.dat",
                                                       "Sales pw",
                                                       {"1", "1", "Standup", "Daily standup<br>Room 4", "Ann",
                                                        "Sales<br>Dev<br>", "461231000", "0", "0", "123456789", "1",
                                                        "0111110022"},
                                                       116}),
                         [](const ::testing::TestParamInfo<KnownAnswer>& param) {
                             std::string name = param.param.file;
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             return name;
                         });

TEST(Container, KeyIsTwoMd5Digests)
{
    // MD5("") = d41d8cd98f00b204e9800998ecf8427e, twice for the empty password.
    const TAESKey key = PasswordToKey("");
    EXPECT_EQ(key[0], 0xd4);
    EXPECT_EQ(key[15], 0x7e);
    EXPECT_EQ(key[16], 0xd4);
    EXPECT_EQ(ReverseText("58203"), "30285");
}

TEST(Container, SameLinesGiveSameBytesAndEqualBlocksRepeat)
{
    const TStringList lines{"0123456789abcd", "0123456789abcd"}; // two identical 16-byte blocks
    const std::string bytes = EncryptLines(lines, "pw");
    EXPECT_EQ(bytes, EncryptLines(lines, "pw"));
    EXPECT_EQ(bytes.substr(4, 16), bytes.substr(20, 16));
}

TEST(Container, WrongPasswordFailsTheCheckButStillReads)
{
    TempFolder folder;
    TStringList lines;
    for (int i = 0; i < 50; ++i) {
        lines.push_back("line " + std::to_string(i));
    }
    SaveLinesEncrypted(lines, folder / "a.dat", "right");
    TStringList loaded;
    EXPECT_TRUE(LoadLinesEncrypted(loaded, folder / "a.dat", "wrong"));
    EXPECT_NE(loaded, lines);
    EXPECT_FALSE(LoadLinesEncrypted(loaded, folder / "a.dat", "right"));
    EXPECT_EQ(loaded, lines);
}

TEST(Container, LineBreaksOfEveryKindAndZeroBytes)
{
    // Build a container around a text with lone CR, lone LF and a zero byte by packing lines
    // that hold them: the reader splits at each break, and the count check then fails.
    const std::string bytes = EncryptLines({"a\rb", "c\nd", "e"}, "pw");
    TStringList loaded;
    EXPECT_TRUE(DecryptLines(bytes, loaded, "pw"));
    EXPECT_EQ(loaded, (TStringList{"a", "b", "c", "d", "e"}));

    EXPECT_TRUE(DecryptLines(EncryptLines({"ab", std::string("c\0d", 3), "e"}, "pw"), loaded, "pw"));
    EXPECT_EQ(loaded, (TStringList{"ab", "c"}));
}

TEST(Container, DamagedFilesFailWithTheirTexts)
{
    const auto errorOf = [](const std::string& bytes) -> std::string {
        TStringList lines{"keep"};
        try {
            DecryptLines(bytes, lines, "pw");
        } catch (const EBWError& error) {
            EXPECT_EQ(lines, TStringList{"keep"}); // lines stay as they were
            return error.what();
        }
        return "no error";
    };
    const std::string good = EncryptLines({"hello", "world"}, "pw");
    EXPECT_EQ(errorOf(""), "Stream read error");
    EXPECT_EQ(errorOf(std::string("\x04\x00\x00", 3)), "Stream read error");
    EXPECT_EQ(errorOf(good.substr(0, 4)), "Invalid buffer size for decryption");
    EXPECT_EQ(errorOf(good.substr(0, 4) + std::string(15, 'x')), "Invalid buffer size for decryption");
    EXPECT_EQ(errorOf(good + "x"), "Invalid buffer size for decryption");

    std::string badLength = good;
    badLength[0] = 3; // N below 4
    EXPECT_EQ(errorOf(badLength), "Stream read error");
    badLength[0] = 100; // N beyond the deciphered data
    EXPECT_EQ(errorOf(badLength), "Stream read error");
    badLength[0] = 0;
    badLength[3] = '\x80'; // negative N
    EXPECT_EQ(errorOf(badLength), "Stream read error");

    TStringList ignored;
    EXPECT_THROW(DecryptLines(good.substr(0, 4) + std::string(15, 'x'), ignored, "pw"), EAESError);
}

TEST(Container, MissingFileAndUnwritableFolderNameTheFile)
{
    TempFolder folder;
    TStringList lines;
    try {
        LoadLinesEncrypted(lines, folder / "none.dat", "pw");
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Cannot open file \"" + (folder / "none.dat").string() + "\". ", 0),
                  0U)
            << error.what();
    }
    try {
        SaveLinesEncrypted({"a"}, folder / "no-such-folder" / "x.dat", "pw");
        FAIL();
    } catch (const EBWError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot create file"), std::string::npos) << error.what();
    }
}

TEST(Container, SaveReplacesWholeAndLeavesNoTemporaryFiles)
{
    TempFolder folder;
    SaveLinesEncrypted(TStringList(1000, "a long line of text to make the first file larger"), folder / "l.dat", "pw");
    SaveLinesEncrypted({"short"}, folder / "l.dat", "pw");
    TStringList loaded;
    EXPECT_FALSE(LoadLinesEncrypted(loaded, folder / "l.dat", "pw"));
    EXPECT_EQ(loaded, TStringList{"short"});
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

} // namespace
