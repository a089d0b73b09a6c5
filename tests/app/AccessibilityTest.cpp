// Every window the program makes, walked the way a keyboard or screen-reader user meets it: each
// control that takes the focus has a name to be read out, the Tab key reaches it, and no two of its
// Alt letters collide.
#include "MainWindowFixture.h"
#include "TestMessages.h"

#include "HelpWindow.h"
#include "TBWMsgForm.h"
#include "TBWRunFilesForm.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

#include <map>
#include <set>

namespace {

bool HasReadableText(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

// What a screen reader can announce: the accessible name, a label that is the control's buddy, or
// the words on a button, a tab or a label itself ("..." is not words).
bool IsNamed(const QWidget& control, const QList<QLabel*>& labels)
{
    if (!control.accessibleName().isEmpty()) {
        return true;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        return HasReadableText(button->text());
    }
    if (const auto* label = qobject_cast<const QLabel*>(&control)) {
        return HasReadableText(label->text());
    }
    if (const auto* tabs = qobject_cast<const QTabBar*>(&control)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!HasReadableText(tabs->tabText(i))) {
                return false;
            }
        }
        return true;
    }
    return std::any_of(labels.cbegin(), labels.cend(), [&](const QLabel* label) { return label->buddy() == &control; });
}

bool TakesTabFocus(const QWidget& widget, const QWidget& window)
{
    return (widget.focusPolicy() & Qt::TabFocus) != 0 && widget.isEnabled() && widget.isVisibleTo(&window) &&
           widget.focusProxy() == nullptr;
}

// The controls of the window as it is shown now, by object name (or class where there is none).
std::vector<QWidget*> FocusableControls(QWidget& window)
{
    std::vector<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() == &window && TakesTabFocus(*widget, window)) {
            controls.push_back(widget);
        }
    }
    return controls;
}

// The letter after the "&" of a control's text, or nothing.
QChar MnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (text[i + 1] != QLatin1Char('&')) {
                return text[i + 1].toLower();
            }
            ++i;
        }
    }
    return {};
}

// Texts whose Alt letters compete in the window as it is shown now: buttons, labels of a control,
// and the menu bar's menus.
std::vector<QString> AltTexts(QWidget& window)
{
    std::vector<QString> texts;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window || !widget->isVisibleTo(&window)) {
            continue;
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            texts.push_back(button->text());
        } else if (const auto* label = qobject_cast<const QLabel*>(widget); label != nullptr && label->buddy()) {
            texts.push_back(label->text());
        }
    }
    if (auto* main = qobject_cast<QMainWindow*>(&window)) {
        for (const QAction* menu : main->menuBar()->actions()) {
            texts.push_back(menu->text());
        }
    }
    return texts;
}

QString Describe(const QWidget& widget)
{
    return widget.objectName().isEmpty() ? QString::fromLatin1(widget.metaObject()->className()) : widget.objectName();
}

// Problems of the window as it is shown now: unnamed controls and controls that Tab never reaches.
std::vector<std::string> Problems(QWidget& window)
{
    std::vector<std::string> problems;
    const QList<QLabel*> labels = window.findChildren<QLabel*>();
    const std::vector<QWidget*> controls = FocusableControls(window);
    if (controls.empty()) {
        return problems;
    }
    for (QWidget* control : controls) {
        if (!IsNamed(*control, labels)) {
            problems.push_back(Describe(window).toStdString() + ": " + Describe(*control).toStdString() +
                               " has no accessible name");
        }
    }
    controls.front()->setFocus(Qt::TabFocusReason);
    std::set<QWidget*> reached;
    for (std::size_t i = 0; i < 2 * controls.size() + 2; ++i) {
        QWidget* focused = QApplication::focusWidget();
        if (focused == nullptr) {
            break;
        }
        reached.insert(focused);
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    for (QWidget* control : controls) {
        if (reached.count(control) == 0) {
            problems.push_back(Describe(window).toStdString() + ": Tab never reaches " +
                               Describe(*control).toStdString());
        }
    }
    std::map<QChar, QString> letters;
    for (const QString& text : AltTexts(window)) {
        const QChar letter = MnemonicOf(text);
        if (letter.isNull()) {
            continue;
        }
        if (const auto [first, added] = letters.emplace(letter, text); !added) {
            problems.push_back(Describe(window).toStdString() + ": \"" + first->second.toStdString() + "\" and \"" +
                               text.toStdString() + "\" share Alt+" + QString(letter).toStdString());
        }
    }
    return problems;
}

// Shows the window and checks it on every page of its tab widgets.
std::vector<std::string> WalkWindow(QWidget& window)
{
    window.show();
    QApplication::setActiveWindow(&window);
    if (!QTest::qWaitForWindowActive(&window)) {
        return {Describe(window).toStdString() + ": the window did not become active"};
    }
    std::vector<std::string> problems;
    QList<QTabWidget*> tabWidgets = window.findChildren<QTabWidget*>();
    tabWidgets.removeIf([&window](const QTabWidget* tabs) { return tabs->window() != &window; });
    if (tabWidgets.isEmpty()) {
        problems = Problems(window);
    }
    for (QTabWidget* tabs : tabWidgets) {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            for (std::string& problem : Problems(window)) {
                problems.push_back(std::move(problem));
            }
        }
    }
    window.hide();
    return problems;
}

std::string Join(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

} // namespace

TEST_F(MainWindowTest, TheMainWindowAndItsDialogsAreNamedAndReachedByTab)
{
    StartAs(Text("Ann"));
    lists.PersonalList.push_back(MakeMessage("Standup", Noon() + 0.1, 1));
    form->UpdateRowCount();
    form->SelectMessage(0);
    std::vector<std::string> problems = WalkWindow(*form);
    // The dialogs the main window keeps: editor, find, about, groups, the group editor and the picker.
    const QList<QDialog*> kept = form->findChildren<QDialog*>();
    EXPECT_GE(kept.size(), 6);
    for (QDialog* dialog : kept) {
        for (std::string& problem : WalkWindow(*dialog)) {
            problems.push_back(std::move(problem));
        }
    }
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST_F(MainWindowTest, TheReminderTheProgramQuestionAndTheHelpWindowAreNamedAndReachedByTab)
{
    const auto message = MakeMessage("Standup", Noon(), 1, KindExecuteFiles);
    TBWMsgForm reminder(*message, Noon());
    TBWRunFilesForm question(context, *message, Text("Sales"), {TSplitCommandLine{true, "backup.sh", "--now"}});
    HelpWindow helpWindow(home.path(), shell);
    std::vector<std::string> problems;
    for (QWidget* window : std::initializer_list<QWidget*>{&reminder, &question, &helpWindow}) {
        for (std::string& problem : WalkWindow(*window)) {
            problems.push_back(std::move(problem));
        }
    }
    EXPECT_TRUE(problems.empty()) << Join(problems);
}

TEST_F(MainWindowTest, AScreenReaderHearsEachRowsTextsAndTheStateItsMarkShows)
{
    StartAs(Text("Ann"));
    lists.PersonalList.push_back(MakeMessage("Passed", Noon() - 0.25, 1));
    lists.PersonalList.push_back(MakeMessage("Delivered daily", Noon() + 0.5, 2, KindSimpleMessage, Noon() - 0.5));
    lists.PersonalList.push_back(MakeMessage("Standup", EncodeDateTime(2024, 3, 14, 14, 5), 3));
    form->UpdateRowCount();
    const QAbstractItemModel* model = ListView()->model();
    const auto read = [model](int row, int column, int role) { return model->data(model->index(row, column), role); };

    EXPECT_EQ(read(2, 0, Qt::AccessibleTextRole).toString(), Text("14:05"));
    EXPECT_EQ(read(2, 2, Qt::AccessibleTextRole).toString(), Text("Standup"));
    const QString passed = read(0, 0, Qt::AccessibleDescriptionRole).toString();
    const QString delivered = read(1, 0, Qt::AccessibleDescriptionRole).toString();
    const QString pending = read(2, 0, Qt::AccessibleDescriptionRole).toString();
    EXPECT_FALSE(passed.isEmpty());
    EXPECT_NE(passed, delivered);
    EXPECT_NE(delivered, pending);
    EXPECT_NE(passed, pending);
    EXPECT_EQ(read(2, 2, Qt::AccessibleDescriptionRole).toString(), pending) << "every cell of the row says it";
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), Text("Date & Time"));
}
