#pragma once

#include "AppContext.h"
#include "Clock.h"
#include "DateTime.h"
#include "FakeAutostart.h"
#include "FakeNotificationArea.h"
#include "MemoryPreferencesStore.h"
#include "ProcessLists.h"
#include "RecordingHelpService.h"
#include "RecordingShell.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TBWCForm.h"

#include <QHeaderView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <memory>

// A main window over a temporary data folder, a fake clock and recording services.
class MainWindowTest : public ::testing::Test
{
protected:
    static QString Text(const char* text) { return QString::fromUtf8(text); }

    // Thursday, 14 March 2024, noon.
    static double Noon() { return EncodeDateTime(2024, 3, 14, 12, 0); }

    void MakeForm()
    {
        form = std::make_unique<TBWCForm>(context, lists);
        // Tests drive the tick themselves (TickTimes); the window's one-second timer would let real
        // seconds decide what a test sees.
        form->findChild<QTimer*>(Text("tickTimer"))->stop();
    }

    // Ticks of the window's timer, delivered as the timer delivers them: posted, then run through the
    // error guard.
    void TickTimes(int count)
    {
        QTimer* timer = form->findChild<QTimer*>(Text("tickTimer"));
        for (int i = 0; i < count; ++i) {
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
            QCoreApplication::sendPostedEvents(timer->parent(), QEvent::MetaCall);
        }
    }

    void StartAs(const QString& userName)
    {
        preferences.Write(Text("General"), Text("UserName"), userName);
        MakeForm();
        form->RunStartSteps();
    }

    [[nodiscard]] QTreeView* ListView() const { return form->findChild<QTreeView*>(Text("messageListView")); }

    [[nodiscard]] QString Cell(int row, int column) const
    {
        const QAbstractItemModel* model = ListView()->model();
        return model->data(model->index(row, column)).toString();
    }

    [[nodiscard]] std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (const auto& message : lists.PersonalList) {
            titles.push_back(message->Title);
        }
        return titles;
    }

    // A real click on a column header, as the user makes it.
    void ClickHeader(int column)
    {
        QHeaderView* header = ListView()->header();
        const QPoint centre(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }

    void ShowForm()
    {
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    QTemporaryDir home;
    std::filesystem::path dataFolder = std::filesystem::path(home.path().toStdString()) / "Bellwick/";
    FakeClock clock{Noon()};
    MemoryPreferencesStore preferences;
    RecordingShell shell;
    RecordingSoundPlayer sound;
    RecordingHelpService help;
    FakeNotificationArea notificationArea{true};
    ScriptedDialogs dialogs;
    FakeAutostart autostart;
    AppContext context{dataFolder, clock, preferences, shell, sound, help, notificationArea, dialogs, autostart};
    ProcessLists lists;
    std::unique_ptr<TBWCForm> form;
};
