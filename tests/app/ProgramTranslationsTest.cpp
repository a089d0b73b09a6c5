// Start-up finds the translation of the user's language in either place a program may keep it, and
// keeps the English texts where there is none.
#include "ProgramTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

const QLocale German(QLocale::German, QLocale::Germany);

QString ListName()
{
    return QCoreApplication::translate("TBWCForm", "Messages");
}

// The translators that InstallTranslations made are children of the application; removing them
// leaves the next test with the English texts.
void RemoveTranslations()
{
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

// A program folder "bin" under the prefix, with a translation (German unless told) at the place given.
QString ProgramFolderWithTranslationIn(const QTemporaryDir& prefix, const QString& folder,
                                       const QString& file = QStringLiteral(BW_TEST_QM_FILE),
                                       const QString& language = QStringLiteral("de"))
{
    const QDir root(prefix.path());
    EXPECT_TRUE(root.mkpath(QStringLiteral("bin")));
    EXPECT_TRUE(root.mkpath(folder));
    EXPECT_TRUE(QFile::copy(file, root.filePath(folder + QStringLiteral("/bellwick_%1.qm").arg(language))));
    return root.filePath(QStringLiteral("bin"));
}

class ProgramTranslationsTest : public ::testing::Test
{
protected:
    void TearDown() override { RemoveTranslations(); }
};

} // namespace

TEST_F(ProgramTranslationsTest, TheUsersLanguageIsFoundWhereAnInstalledOrABuiltProgramKeepsIt)
{
    for (const QString& folder : {QStringLiteral("share/bellwick/translations"), QStringLiteral("bin/translations")}) {
        const QTemporaryDir prefix;
        const QString program = ProgramFolderWithTranslationIn(prefix, folder);
        EXPECT_TRUE(InstallTranslations(*QCoreApplication::instance(), program, German)) << folder.toStdString();
        EXPECT_EQ(ListName(), QStringLiteral("Nachrichten")) << folder.toStdString();
        RemoveTranslations();
    }
}

TEST_F(ProgramTranslationsTest, WithoutATranslationForTheLanguageTheEnglishTextsStay)
{
    const QTemporaryDir prefix;
    const QString program = ProgramFolderWithTranslationIn(prefix, QStringLiteral("share/bellwick/translations"));
    EXPECT_FALSE(
        InstallTranslations(*QCoreApplication::instance(), program, QLocale(QLocale::French, QLocale::France)));
    EXPECT_EQ(ListName(), QStringLiteral("Messages"));
    const QTemporaryDir empty;
    EXPECT_FALSE(InstallTranslations(*QCoreApplication::instance(), empty.filePath(QStringLiteral("bin")), German));
    EXPECT_EQ(ListName(), QStringLiteral("Messages"));
}

// English desktops read the program's texts in good English, and counts in the right number; the
// source texts, which the files and the tests know, stay as they are.
TEST_F(ProgramTranslationsTest, EnglishDesktopsReadGoodEnglish)
{
    const QTemporaryDir prefix;
    const QString program = ProgramFolderWithTranslationIn(prefix, QStringLiteral("share/bellwick/translations"),
                                                           QStringLiteral(BW_ENGLISH_QM_FILE), QStringLiteral("en"));
    ASSERT_TRUE(
        InstallTranslations(*QCoreApplication::instance(), program, QLocale(QLocale::English, QLocale::UnitedKingdom)));
    EXPECT_EQ(QCoreApplication::translate("TBWGroupsForm", "Group is not exists or connection failed."),
              QStringLiteral("The group file could not be fetched: there is none at this location, or the location "
                             "could not be reached."));
    const char* skipped = "Group %1: %n reminder(s) whose time had passed before you joined the group were not shown.";
    EXPECT_EQ(QCoreApplication::translate("GroupProblemText", skipped, nullptr, 1),
              QStringLiteral("Group %1: 1 reminder whose time had passed before you joined the group was not shown."));
    EXPECT_EQ(
        QCoreApplication::translate("GroupProblemText", skipped, nullptr, 3),
        QStringLiteral("Group %1: 3 reminders whose time had passed before you joined the group were not shown."));
}
