// The help window at a topic, a missing topic, links, and the pages that ship.
#include "HelpWindow.h"
#include "HelpBrowser.h"
#include "RecordingShell.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

void WritePage(const QString& fileName, const QByteArray& html)
{
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(html);
}

} // namespace

TEST(HelpWindow, ShowsTheTopicFollowsLinksAndSaysClearlyWhenAPageIsMissing)
{
    QTemporaryDir folder;
    WritePage(folder.filePath(QStringLiteral("benefits.htm")),
              "<html><head><title>Main window</title></head><body><a href=\"other.htm\">next</a> "
              "<a href=\"https://example.org/x\">web</a> <a href=\"gone.htm\">gone</a></body></html>");
    WritePage(folder.filePath(QStringLiteral("other.htm")), "<html><head><title>Other</title></head></html>");
    RecordingShell shell;
    HelpBrowser help(folder.path(), shell);
    help.ShowHelpTopic(QStringLiteral("benefits.htm"));
    HelpWindow* window = help.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    auto* browser = window->findChild<QTextBrowser*>(QStringLiteral("helpTextBrowser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Main window"));

    Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("other.htm")));
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Other"));
    window->findChild<QToolButton*>(QStringLiteral("backButton"))->click();
    EXPECT_EQ(browser->documentTitle(), QStringLiteral("Main window"));

    Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("https://example.org/x")));
    ASSERT_EQ(shell.calls.size(), 1U);
    EXPECT_EQ(shell.calls[0].target, QStringLiteral("https://example.org/x"));

    Q_EMIT browser->anchorClicked(QUrl(QStringLiteral("gone.htm")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("gone.htm")));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("missing")));

    // The same window serves the next topic.
    help.ShowHelpTopic(QStringLiteral("edit-message-window.htm"));
    EXPECT_EQ(help.Window(), window);
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("edit-message-window.htm")));
    EXPECT_TRUE(browser->toPlainText().contains(QDir::toNativeSeparators(folder.path())));
}

TEST(HelpPages, EveryTopicShipsAndItsLinksLeadToPagesThatExist)
{
    const QDir help(QStringLiteral(BW_SOURCE_DIR "/help"));
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\"#:]+)[\"#]"));
    for (const char* name : {"benefits.htm", "edit-message-window.htm", "groups-recipients-window.htm",
                             "edit-group-window.htm", "select-groups-window.htm"}) {
        const QString topic = QString::fromLatin1(name);
        QFile page(help.filePath(topic));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << topic.toStdString();
        const QString html = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(html.contains(QStringLiteral("<title>"))) << topic.toStdString();
        for (const QRegularExpressionMatch& match : link.globalMatch(html)) {
            const QString target = match.captured(1);
            const bool shipped =
                help.exists(target) || QFile::exists(QStringLiteral(BW_SOURCE_DIR "/resources/icons/") + target);
            EXPECT_TRUE(shipped) << topic.toStdString() << " links to " << target.toStdString();
        }
    }
}
