#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

struct AppContext;
struct CalendarSkip;
class PersonalReminders;
class QWidget;

// File > Import... and File > Export...: the events and to-dos of an iCalendar file become personal
// reminders, and the personal list becomes an iCalendar file. A box then says what was carried over and names each
// entry that was not, with the reason; it does not wait, so it holds no reminder back.
class CalendarCommands : public QObject
{
    Q_OBJECT

public:
    // Asks for the file to read (save false) or to write; an empty name means the user cancelled.
    using FileChooser = std::function<QString(QWidget* parent, bool save)>;

    CalendarCommands(AppContext& context, PersonalReminders& reminders, QWidget& window,
                     std::function<QString()> userName);

    void Import();
    void Export();
    // Tests choose the files without a dialog.
    void SetFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }

private:
    void ShowSummary(const QString& done, const QString& leftOutHeading, const std::vector<CalendarSkip>& skipped);

    AppContext& m_context;
    PersonalReminders& m_reminders;
    QWidget& m_window;
    std::function<QString()> m_userName;
    FileChooser m_chooseFile;
};
