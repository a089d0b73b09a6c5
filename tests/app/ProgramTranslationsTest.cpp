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

// A program folder "bin" under the prefix, with the German translation at the place given.
QString ProgramFolderWithTranslationIn(const QTemporaryDir& prefix, const QString& folder)
{
    const QDir root(prefix.path());
    EXPECT_TRUE(root.mkpath(QStringLiteral("bin")));
    EXPECT_TRUE(root.mkpath(folder));
    EXPECT_TRUE(
        QFile::copy(QStringLiteral(BW_TEST_QM_FILE), root.filePath(folder + QStringLiteral("/bellwick_de.qm"))));
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
