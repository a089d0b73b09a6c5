// The preferences file as users and scripts see it: sections, value forms, failure to write.
#include "BWError.h"
#include "SettingsPreferencesStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString ReadAll(const QString& fileName)
{
    QFile file(fileName);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

} // namespace

TEST(SettingsPreferencesStore, KeepsGeneralAndSoundAsSectionsOfTheIniFile)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("Bellwick/Bellwick.conf"));
    {
        SettingsPreferencesStore store(fileName);
        store.Write(QStringLiteral("General"), QStringLiteral("UserName"), QStringLiteral("Ann Smith"));
        store.Write(QStringLiteral("General"), QStringLiteral("SortNom"), std::int32_t{-1});
        store.Write(QStringLiteral("Sound"), QStringLiteral("Wav1"), QStringLiteral("s1.wav"));
        store.Flush();
    }
    const QString text = ReadAll(fileName);
    EXPECT_TRUE(text.contains(QStringLiteral("[General]\nSortNom=-1\nUserName=Ann Smith\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("[Sound]\nWav1=s1.wav\n"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("%General")));

    // Read back in a new store, as at the next start.
    SettingsPreferencesStore again(fileName);
    EXPECT_EQ(again.Read(QStringLiteral("General"), QStringLiteral("UserName")),
              StoredValue(QStringLiteral("Ann Smith")));
    EXPECT_EQ(again.Read(QStringLiteral("Sound"), QStringLiteral("Wav2")), std::nullopt);
}

TEST(SettingsPreferencesStore, ReadsAHandWrittenFileWithCommasAndNumbers)
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("Bellwick.conf"));
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[General]\nUserName=Smith, Ann\nFXH1Alert=1\n");
    file.close();

    SettingsPreferencesStore store(fileName);
    EXPECT_EQ(store.Read(QStringLiteral("General"), QStringLiteral("UserName")),
              StoredValue(QStringLiteral("Smith, Ann")));
    EXPECT_EQ(store.Read(QStringLiteral("General"), QStringLiteral("FXH1Alert")), StoredValue(QStringLiteral("1")));
}

TEST(SettingsPreferencesStore, AFileThatCannotBeWrittenIsReportedWithItsName)
{
    QTemporaryDir folder;
    // A plain file where the folder should be: not even root can create the preferences there.
    QFile blocker(folder.filePath(QStringLiteral("Bellwick")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    SettingsPreferencesStore store(folder.filePath(QStringLiteral("Bellwick/Bellwick.conf")));
    store.Write(QStringLiteral("General"), QStringLiteral("UserName"), QStringLiteral("Ann"));
    try {
        store.Flush();
        FAIL() << "the failed write went unnoticed";
    } catch (const EBWError& failure) {
        EXPECT_NE(std::string(failure.what()).find("Bellwick.conf"), std::string::npos) << failure.what();
    }
}
