// The boxes as the desktop shows them: a notice does not wait for its answer.
#include "WidgetDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

TEST(WidgetDialogs, ANoticeReturnsAtOnceAndItsBoxGoesWhenClosed)
{
    QWidget window;
    WidgetDialogs dialogs;
    dialogs.ShowNotice(&window, QStringLiteral("Not every group got the message."));
    const QPointer<QMessageBox> box = window.findChild<QMessageBox*>(QStringLiteral("noticeMessageBox"));
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "nothing is blocked while it is open";
    EXPECT_EQ(box->text(), QStringLiteral("Not every group got the message."));
    box->button(QMessageBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(box.isNull());
}
