// Texts from list files as the windows show them: bounded, and never taken as markup.
#include "ShownText.h"
#include "WidgetDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTextDocument>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString Markup = QStringLiteral("<a href=\"file:///etc/passwd\">link</a><img src=\"/tmp/x.png\"> &lt;b&gt;");

TEST(ShownText, IsCutToWhatAWindowCanTake)
{
    const QString line = ShownLine(std::string(100000, 'T') + "\r\nnext", 200);
    EXPECT_EQ(line.size(), 201);
    EXPECT_TRUE(line.endsWith(QChar(0x2026)));
    EXPECT_EQ(ShownLine("two\r\nlines\rand\nmore"), QStringLiteral("two lines and more"));
    // A character outside the basic plane is never cut in half.
    EXPECT_EQ(ShownLine("ab\xF0\x9F\x94\x94", 3), QStringLiteral("ab") + QChar(0x2026));

    std::string many;
    for (int i = 0; i < 3000; ++i) {
        many += "<br>line\r\n";
    }
    const QString lines = ShownLines(many, 100000, 500);
    EXPECT_EQ(lines.count(QLatin1Char('\n')), 500);
    EXPECT_TRUE(lines.endsWith(QChar(0x2026)));
    EXPECT_EQ(ShownLines("a\r\nb\r\n", 100, 2), QStringLiteral("a\nb\n"));
}

TEST(ShownText, MarkupCannotOpenATagOrAnEntity)
{
    ASSERT_TRUE(Qt::mightBeRichText(Markup));
    const QString safe = WithoutMarkup(Markup);
    EXPECT_FALSE(Qt::mightBeRichText(safe));
    EXPECT_EQ(QString(safe).remove(QChar(0x2060)), Markup) << "nothing else changes";
}

// The error box and the question quote files and servers: their markup shows as it is.
TEST(ShownText, DialogsShowTheirTextAsPlainText)
{
    WidgetDialogs dialogs;
    std::vector<Qt::TextFormat> formats;
    const auto answerNextBox = [&formats] {
        QTimer::singleShot(0, [&formats] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            formats.push_back(box->textFormat());
            box->accept();
        });
    };
    answerNextBox();
    dialogs.ShowError(nullptr, Markup);
    answerNextBox();
    (void)dialogs.Confirm(nullptr, QStringLiteral("Question"), Markup);
    EXPECT_EQ(formats, (std::vector<Qt::TextFormat>{Qt::PlainText, Qt::PlainText}));
}

} // namespace
