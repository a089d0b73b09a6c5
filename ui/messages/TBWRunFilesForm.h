#pragma once

#include "CommandLine.h"

#include <QDialog>

#include <functional>
#include <vector>

struct AppContext;
class QListWidget;
class QPushButton;
class TBWItem;

// Asks before a reminder that opens programs, and that came through a group rather than from the
// user's own list, runs anything: anybody who can write the group's file could otherwise start
// programs on every member's computer. It lists the command lines, the author and the group.
// "Run" opens each line through the shell; "Don't run" and the close box open nothing.
//
// Like the reminder pop-up it has no owner, stays on top, appears without taking the keyboard (so
// that an Enter typed elsewhere cannot answer it) and deletes itself when closed.
class TBWRunFilesForm : public QDialog
{
    Q_OBJECT

public:
    // answered(run) is called once, when the user runs the programs or declines.
    TBWRunFilesForm(AppContext& context, const TBWItem& message, const QString& groupName,
                    std::vector<TSplitCommandLine> commands, std::function<void(bool run)> answered = {});
    ~TBWRunFilesForm() override;

    // A command line as the list shows it: the program, in double quotes when it holds a blank, and
    // the parameters after a blank.
    [[nodiscard]] static QString CommandText(const TSplitCommandLine& command);
    // What the user reads when a reminder's program or document cannot be opened.
    [[nodiscard]] static QString NotOpenedText(const QString& title, const QString& target);

    // Shows the window on top of the others, without making it active.
    void Popup();

    // "Run": opens every command line, then closes.
    void Run();
    // Escape answers "Don't run".
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Answer(bool run);

    AppContext& m_context;
    std::vector<TSplitCommandLine> m_commands;
    QString m_title;
    std::function<void(bool run)> m_answered;
    QListWidget* m_commandList = nullptr;
    QPushButton* m_runButton = nullptr;
    QPushButton* m_dontRunButton = nullptr;
};
