// The message editor: its defaults, the mapping to and from a message, the type switch, the quick
// date menu, the file and recipient pickers and the weekday buttons.
#include "AppFakes.h"
#include "DateTime.h"
#include "TBWEditForm.h"
#include "TBWItem.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>
#include <stdexcept>

namespace {

// Thursday, 14 March 2024, 09:41:27.
double Moment()
{
    return EncodeDateTime(2024, 3, 14, 9, 41, 27);
}

const char* const DayBoxes[] = {"mondayCheckBox", "tuesdayCheckBox",  "wednesdayCheckBox", "thursdayCheckBox",
                                "fridayCheckBox", "saturdayCheckBox", "sundayCheckBox"};

} // namespace

// Lets GoogleTest show a QString as text in its failure messages.
void PrintTo(const QString& text, std::ostream* stream)
{
    *stream << '"' << text.toStdString() << '"';
}

class EditFormTest : public ::testing::Test, protected AppFakes
{
protected:
    EditFormTest() : AppFakes("/nonexistent/", Moment()) {}

    template <typename T>
    T* Child(const char* name) const
    {
        T* child = editor.findChild<T*>(QLatin1String(name));
        if (child == nullptr) {
            throw std::logic_error(std::string("no child named ") + name);
        }
        return child;
    }

    void Click(const char* name) const { QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton); }

    [[nodiscard]] TBWItem Stored() const
    {
        TBWItem message;
        editor.StoreIntoMessage(message, "Ann");
        return message;
    }

    void CheckDays(std::initializer_list<int> days) const
    {
        for (const char* name : DayBoxes) {
            Child<QCheckBox>(name)->setChecked(false);
        }
        for (const int day : days) {
            Child<QCheckBox>(DayBoxes[day - 1])->setChecked(true);
        }
    }

    [[nodiscard]] std::vector<bool> StoredDays() const
    {
        const TBWItem message = Stored();
        return std::vector<bool>(message.DayFlags.begin() + 1, message.DayFlags.end());
    }

    static TBWItem Sample()
    {
        TBWItem message;
        // Bytes that are no valid UTF-8 must come back unchanged all the same.
        message.Title = "Caf\xe9 order";
        message.Text = "First line\r\nSecond line\r\n";
        message.Author = "Bob";
        message.Recipients = {"Sales", "Dev"};
        // A moment as a list file holds it (a multiple of 8.64 seconds): not a whole second.
        message.DueTime = UnitsToDateTime(453621234);
        message.LastDueTime = message.DueTime;
        message.Kind = KindExecuteFiles;
        message.RepeatKind = RepeatMonthly;
        message.Id = 12345678;
        message.DayFlags = {true, true, false, true, false, true, false, false};
        return message;
    }

    TBWEditForm editor{context};
};

TEST_F(EditFormTest, ResetGivesASimpleMessageDueNowOnEveryDayAndKeepsTheRecipients)
{
    editor.LoadFromMessage(Sample());
    clock.AdvanceSeconds(3600);
    editor.Reset();

    EXPECT_TRUE(Child<QLineEdit>("titleEdit")->text().isEmpty());
    EXPECT_TRUE(Child<QPlainTextEdit>("textEdit")->toPlainText().isEmpty());
    EXPECT_EQ(Child<QDateEdit>("dueDateEdit")->date(), QDate(2024, 3, 14));
    EXPECT_EQ(Child<QTimeEdit>("dueTimeEdit")->time(), QTime(10, 41, 27));
    EXPECT_EQ(Child<QComboBox>("typeComboBox")->currentText(), QStringLiteral("Simple message"));
    EXPECT_EQ(Child<QComboBox>("repeatComboBox")->currentText(), QStringLiteral("None"));
    EXPECT_FALSE(Child<QCheckBox>("recipientsOnlyCheckBox")->isChecked()) << "a new message is for me too";
    EXPECT_EQ(editor.Recipients(), (TStringList{"Sales", "Dev"}));

    const TBWItem message = Stored();
    EXPECT_EQ(message.DueTime, clock.Now());
    EXPECT_EQ(message.Title, "");
    EXPECT_EQ(message.Text, "");
    EXPECT_EQ(message.Author, "Ann");
    EXPECT_EQ(message.Kind, KindSimpleMessage);
    EXPECT_EQ(message.RepeatKind, RepeatNone);
    EXPECT_EQ(message.DayFlags, (std::array<bool, 8>{false, true, true, true, true, true, true, true}));
    EXPECT_TRUE(message.Recipients.empty()) << "recipients are the command's to write";

    editor.ClearRecipients();
    EXPECT_TRUE(editor.Recipients().empty());
}

TEST_F(EditFormTest, LoadThenStoreGivesTheMessageBackExactly)
{
    const TBWItem original = Sample();
    editor.LoadFromMessage(original);
    EXPECT_EQ(Child<QComboBox>("typeComboBox")->currentText(), QStringLiteral("Execute file(s)"));
    EXPECT_EQ(Child<QComboBox>("repeatComboBox")->currentText(), QStringLiteral("Monthly"));
    EXPECT_EQ(Child<QPlainTextEdit>("textEdit")->toPlainText(), QStringLiteral("First line\nSecond line\n"));
    EXPECT_TRUE(Child<QCheckBox>("recipientsOnlyCheckBox")->isChecked());
    EXPECT_EQ(Child<QListWidget>("recipientsListWidget")->count(), 2);

    TBWItem stored = original;
    stored.DueTime = 0;
    editor.StoreIntoMessage(stored, "Ann");
    EXPECT_EQ(stored.Title, original.Title);
    EXPECT_EQ(stored.Text, original.Text);
    EXPECT_EQ(stored.Author, "Ann");
    // Bit for bit: a delivered message must not look due again because of a round trip.
    EXPECT_EQ(stored.DueTime, original.DueTime);
    EXPECT_EQ(stored.Kind, original.Kind);
    EXPECT_EQ(stored.RepeatKind, original.RepeatKind);
    EXPECT_EQ(stored.DayFlags, original.DayFlags);
    EXPECT_EQ(editor.Recipients(), original.Recipients);

    // A kind and a repeat rule that the lists do not know survive as well.
    TBWItem foreign = original;
    foreign.Kind = 7;
    foreign.RepeatKind = 9;
    editor.LoadFromMessage(foreign);
    EXPECT_EQ(Child<QComboBox>("typeComboBox")->currentIndex(), -1);
    EXPECT_EQ(Stored().Kind, 7);
    EXPECT_EQ(Stored().RepeatKind, 9);
}

TEST_F(EditFormTest, ChangedInputsAreStoredFromWhatTheEditorShows)
{
    editor.LoadFromMessage(Sample());
    // 2 March at 14:30, whatever date and seconds were shown before.
    Child<QDateEdit>("dueDateEdit")->setDate(QDate(2024, 3, 2));
    Child<QTimeEdit>("dueTimeEdit")->setTime(QTime(14, 30));
    QLineEdit* title = Child<QLineEdit>("titleEdit");
    title->setText(QStringLiteral("Caf\u00e9 order"));
    Child<QPlainTextEdit>("textEdit")->setPlainText(QStringLiteral("one\ntwo"));

    const TBWItem message = Stored();
    EXPECT_EQ(message.DueTime, EncodeDateTime(2024, 3, 2, 14, 30));
    EXPECT_EQ(message.Title, "Caf\xc3\xa9 order") << "a changed title is stored in the local encoding";
    EXPECT_EQ(message.Text, "one\r\ntwo") << "lines are kept with CR LF, as the list files hold them";

    // A title is one line of the list file, whatever was pasted into it.
    title->setText(QStringLiteral("a\nb"));
    EXPECT_EQ(Stored().Title.find('\n'), std::string::npos);
}

TEST_F(EditFormTest, WeekdayButtonsAndAMessageWithoutActiveDays)
{
    editor.Reset();
    editor.show();
    Child<QTabWidget>("pageTabs")->setCurrentIndex(2);

    CheckDays({1, 2, 3, 4, 5});
    Click("invertDaysButton");
    EXPECT_EQ(StoredDays(), (std::vector<bool>{false, false, false, false, false, true, true}));

    Click("deselectAllDaysButton");
    for (const char* name : DayBoxes) {
        EXPECT_FALSE(Child<QCheckBox>(name)->isChecked()) << name;
    }
    EXPECT_EQ(StoredDays(), std::vector<bool>(7, true)) << "no active day is stored as all seven";
    CheckDays({3});
    Click("selectAllDaysButton");
    EXPECT_EQ(StoredDays(), std::vector<bool>(7, true));

    EXPECT_EQ(Child<QPushButton>("selectAllDaysButton")->toolTip(), QStringLiteral("Select All"));
    EXPECT_EQ(Child<QPushButton>("deselectAllDaysButton")->toolTip(), QStringLiteral("Deselect All"));
    EXPECT_EQ(Child<QPushButton>("invertDaysButton")->toolTip(), QStringLiteral("Invert Selection"));
}

TEST_F(EditFormTest, TheTypeSwitchChangesTheTextBoxButNeverItsText)
{
    editor.Reset();
    auto* text = Child<QPlainTextEdit>("textEdit");
    text->setPlainText(QStringLiteral("notepad readme.txt"));
    editor.ApplyTypeSwitch();
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Child<QLabel>("textLabel")->text(), QStringLiteral("Te&xt:"));
    EXPECT_FALSE(Child<QPushButton>("addFileButton")->isEnabled());

    Child<QComboBox>("typeComboBox")->setCurrentIndex(KindExecuteFiles);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("notepad readme.txt"));
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(Child<QLabel>("textLabel")->text(), QStringLiteral("&Files:"));
    EXPECT_TRUE(Child<QPushButton>("addFileButton")->isEnabled());

    Child<QComboBox>("typeComboBox")->setCurrentIndex(KindSimpleMessage);
    EXPECT_EQ(text->toPlainText(), QStringLiteral("notepad readme.txt"));
    EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(EditFormTest, APickedFileBecomesAQuotedLastLineOfAnExecuteFilesMessage)
{
    std::vector<QString> answers;
    int asked = 0;
    editor.SetFilePicker([&](QWidget*) {
        ++asked;
        const QString answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
    editor.Reset();
    auto* text = Child<QPlainTextEdit>("textEdit");
    text->setPlainText(QStringLiteral("first"));

    editor.AddFileLine();
    EXPECT_EQ(asked, 0) << "a simple message has no files";

    Child<QComboBox>("typeComboBox")->setCurrentIndex(KindExecuteFiles);
    answers = {QStringLiteral("/home/ann/My Tools/backup.sh"), QString(), QStringLiteral("/usr/bin/true")};
    Click("addFileButton");
    EXPECT_EQ(text->toPlainText(), QStringLiteral("first\n\"/home/ann/My Tools/backup.sh\""));
    editor.AddFileLine(); // cancelled
    EXPECT_EQ(text->toPlainText(), QStringLiteral("first\n\"/home/ann/My Tools/backup.sh\""));
    QTest::keyClicks(text, QStringLiteral(" --quick"));
    QTest::keyClick(text, Qt::Key_Return);
    editor.AddFileLine();
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(Stored().Text, "first\r\n\"/home/ann/My Tools/backup.sh\" --quick\r\n\"/usr/bin/true\"");
}

TEST_F(EditFormTest, AddAppendsOnlyGroupsNotListedYetAndDeleteRemovesTheSelectedOne)
{
    std::optional<TStringList> picked;
    editor.SetRecipientPicker([&](QWidget*) { return picked; });
    TBWItem message = Sample();
    message.Recipients = {"Dev"};
    editor.LoadFromMessage(message);

    picked = TStringList{"Sales", "dev", "Ops"};
    Click("addRecipientButton");
    EXPECT_EQ(editor.Recipients(), (TStringList{"Dev", "Sales", "Ops"}));
    picked = std::nullopt;
    Click("addRecipientButton");
    EXPECT_EQ(editor.Recipients(), (TStringList{"Dev", "Sales", "Ops"}));

    auto* list = Child<QListWidget>("recipientsListWidget");
    list->clearSelection();
    Click("deleteRecipientButton");
    EXPECT_EQ(editor.Recipients().size(), 3U) << "nothing selected, nothing removed";
    list->setCurrentRow(1);
    Click("deleteRecipientButton");
    EXPECT_EQ(editor.Recipients(), (TStringList{"Dev", "Ops"}));
}

TEST_F(EditFormTest, TheQuickDateMenuChangesOnlyTheDateOrTheTimeItNames)
{
    const auto trigger = [this](const char* name) { Child<QAction>(name)->trigger(); };
    auto* date = Child<QDateEdit>("dueDateEdit");
    auto* time = Child<QTimeEdit>("dueTimeEdit");
    const auto setShown = [&] {
        date->setDate(QDate(2023, 7, 1));
        time->setTime(QTime(6, 5, 4));
    };

    setShown();
    trigger("tomorrowAction");
    EXPECT_EQ(date->date(), QDate(2024, 3, 15));
    EXPECT_EQ(time->time(), QTime(6, 5, 4));
    setShown();
    trigger("currentDateAction");
    EXPECT_EQ(date->date(), QDate(2024, 3, 14));
    EXPECT_EQ(time->time(), QTime(6, 5, 4));
    setShown();
    trigger("currentTimeAction");
    EXPECT_EQ(date->date(), QDate(2023, 7, 1));
    EXPECT_EQ(time->time(), QTime(9, 41, 27));
    setShown();
    trigger("currentDateAndTimeAction");
    EXPECT_EQ(date->date(), QDate(2024, 3, 14));
    EXPECT_EQ(time->time(), QTime(9, 41, 27));

    // The button opens the menu with its entries in order; "Cancel" only closes it.
    editor.show();
    setShown();
    QStringList entries;
    QTimer::singleShot(0, &editor, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (const QAction* action : menu->actions()) {
            entries.push_back(action->text());
        }
        menu->actions().constLast()->trigger();
        menu->close();
    });
    Click("quickDateButton");
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Current date"), QStringLiteral("Current time"),
                                    QStringLiteral("Current date and time"), QStringLiteral("Tomorrow"), QString(),
                                    QStringLiteral("Cancel")}));
    EXPECT_EQ(date->date(), QDate(2023, 7, 1));
    EXPECT_EQ(time->time(), QTime(6, 5, 4));
}

TEST_F(EditFormTest, EveryShowingStartsOnTheMessagePageInTheTitleAndOkOrEscEndIt)
{
    editor.Reset();
    Child<QTabWidget>("pageTabs")->setCurrentIndex(2);
    Child<QComboBox>("typeComboBox")->setCurrentIndex(KindExecuteFiles);
    bool checked = false;
    QTimer::singleShot(0, &editor, [&] {
        if (!QTest::qWaitForWindowActive(&editor) || QApplication::focusWidget() == nullptr) {
            ADD_FAILURE() << "the editor did not get the keyboard focus";
            editor.reject();
            return;
        }
        EXPECT_EQ(Child<QTabWidget>("pageTabs")->currentIndex(), 0);
        EXPECT_EQ(QApplication::focusWidget(), Child<QLineEdit>("titleEdit"));
        EXPECT_EQ(Child<QLabel>("textLabel")->text(), QStringLiteral("&Files:"));
        // The tab order of the "Message" page.
        // (Tab steps through the sections of the date and time pickers before it leaves them.)
        QStringList order;
        for (int step = 0; step < 20 && order.size() < 8; ++step) {
            const QString name = QApplication::focusWidget()->objectName();
            if (order.isEmpty() || order.constLast() != name) {
                order.push_back(name);
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(order, (QStringList{QStringLiteral("titleEdit"), QStringLiteral("typeComboBox"),
                                      QStringLiteral("dueDateEdit"), QStringLiteral("dueTimeEdit"),
                                      QStringLiteral("quickDateButton"), QStringLiteral("repeatComboBox"),
                                      QStringLiteral("textEdit"), QStringLiteral("addFileButton")}));
        checked = true;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_EQ(editor.Execute(), QDialog::Rejected);
    EXPECT_TRUE(checked);

    QTimer::singleShot(0, &editor, [this] { QTest::keyClick(Child<QLineEdit>("titleEdit"), Qt::Key_Return); });
    EXPECT_EQ(editor.Execute(), QDialog::Accepted) << "Enter in the title is OK";

    QTimer::singleShot(0, &editor, [this] {
        Click("helpButton");
        editor.reject();
    });
    editor.Execute();
    EXPECT_EQ(help.topics, (std::vector<QString>{QStringLiteral("edit-message-window.htm")}));
    EXPECT_EQ(editor.minimumSize(), editor.maximumSize()) << "a fixed dialog border";
    EXPECT_GE(editor.width(), 428);
    EXPECT_GE(editor.height(), 339);
}
