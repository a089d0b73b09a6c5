// The about dialog: its texts, its two links and how it closes.
#include "AppFakes.h"
#include "TBWAboutForm.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

class AboutFormTest : public ::testing::Test, protected AppFakes
{
protected:
    QLabel* Label(const char* name) const { return about.findChild<QLabel*>(QString::fromLatin1(name)); }

    const TBWAboutForm::Pages pages{QStringLiteral("https://bellwick.test/"),
                                    QStringLiteral("https://bellwick.test/give")};
    TBWAboutForm about{context, nullptr, pages};
};

TEST_F(AboutFormTest, ShowsTheNameVersionAndNoticeAndTheLinksOpenTheirPages)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Label("titleLabel")->text(), QStringLiteral("Bellwick"));
    EXPECT_TRUE(Label("titleLabel")->font().bold());
    EXPECT_EQ(Label("versionLabel")->text(), QStringLiteral("Version " BW_VERSION)) << "the package's version";
    EXPECT_EQ(Label("freeLabel")->text(), QStringLiteral("This product is free to use and distribute!"));
    EXPECT_FALSE(Label("noticeLabel")->text().isEmpty());
    EXPECT_FALSE(Label("emblemLabel")->pixmap().isNull());
    EXPECT_TRUE(Label("supportLinkLabel")->text().contains(QStringLiteral("You can support this project")));

    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    // A real click on each link's text.
    for (const char* name : {"webLinkLabel", "supportLinkLabel"}) {
        QLabel* link = Label(name);
        QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(6, link->height() / 2));
    }
    ASSERT_EQ(shell.calls.size(), 2U);
    EXPECT_EQ(shell.calls[0].target, pages.Product);
    EXPECT_EQ(shell.calls[1].target, pages.Support);
    EXPECT_TRUE(shell.calls[0].parameters.isEmpty());
    EXPECT_TRUE(about.isVisible()) << "a link leaves the dialog open";
}

// A build that was given no web pages (as this one) shows no links, rather than made-up addresses.
TEST_F(AboutFormTest, WithoutPagesThereAreNoLinks)
{
    const TBWAboutForm built(context);
    for (const QLabel* label : built.findChildren<QLabel*>()) {
        EXPECT_TRUE(label->isHidden() || !label->text().contains(QStringLiteral("href")))
            << label->text().toStdString();
    }
}

TEST_F(AboutFormTest, EnterAndTheCloseBoxCloseItAndNothingElseHappens)
{
    QTimer::singleShot(0, &about, [this] { QTest::keyClick(&about, Qt::Key_Return); });
    EXPECT_EQ(about.exec(), QDialog::Accepted);
    QTimer::singleShot(0, &about, [this] { about.close(); });
    EXPECT_EQ(about.exec(), QDialog::Rejected);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_TRUE(dialogs.errors.empty());
    EXPECT_EQ(about.minimumSize(), about.maximumSize()) << "a fixed dialog border";
}
