#include "CalendarCommands.h"

#include "AppContext.h"
#include "AtomicFileWriter.h"
#include "CalendarExport.h"
#include "CalendarImport.h"
#include "Clock.h"
#include "ErrorGuard.h"
#include "FileIO.h"
#include "PersonalReminders.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

namespace {

// Left-out entries named in the box itself; the rest are behind "Show Details".
constexpr std::size_t ShownSkips = 12;

QString ChooseCalendarFile(QWidget* parent, bool save)
{
    const QString filter = QCoreApplication::translate("CalendarCommands", "iCalendar files (*.ics);;All files (*)");
    if (save) {
        QFileDialog dialog(parent, QCoreApplication::translate("CalendarCommands", "Export reminders"), QString(),
                           filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("ics"));
        dialog.selectFile(QStringLiteral("reminders.ics"));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    }
    return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("CalendarCommands", "Import a calendar"),
                                        QString(), filter);
}

std::filesystem::path LocalPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

// The calendar work may take a moment on a large file; the window says it is busy meanwhile.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

CalendarCommands::CalendarCommands(AppContext& context, PersonalReminders& reminders, QWidget& window,
                                   std::function<QString()> userName)
    : QObject(&window), m_context(context), m_reminders(reminders), m_window(window), m_userName(std::move(userName)),
      m_chooseFile(ChooseCalendarFile)
{}

void CalendarCommands::Import()
{
    RunGuarded(m_context.dialogs, &m_window, [this] {
        const QString name = m_chooseFile(&m_window, false);
        if (name.isEmpty()) {
            return;
        }
        CalendarImport read;
        {
            const BusyCursor busy;
            read = ReadCalendar(ReadWholeFile(LocalPath(name)));
            auto made = NewListReminders(std::move(read.Reminders), m_reminders.Items(),
                                         m_userName().toLocal8Bit().toStdString(), m_context.clock.Now());
            const auto count = static_cast<int>(made.size());
            if (count > 0) {
                m_reminders.AddAll(std::move(made));
            }
            ShowSummary(tr("%n reminder(s) imported from %1.", nullptr, count).arg(name), tr("Not imported:"),
                        read.Skipped);
        }
    });
}

void CalendarCommands::Export()
{
    RunGuarded(m_context.dialogs, &m_window, [this] {
        std::vector<const TBWItem*> chosen;
        for (const auto& item : m_reminders.Items()) {
            chosen.push_back(item.get());
        }
        const QString name = m_chooseFile(&m_window, true);
        if (name.isEmpty()) {
            return;
        }
        const BusyCursor busy;
        const CalendarExport written = WriteCalendar(chosen, m_context.clock.Now());
        AtomicFileWriter file(LocalPath(name), AtomicFileWriter::NewFile::PrivateIfNew);
        file.Write(written.Text);
        file.Commit();
        const auto count = static_cast<int>(chosen.size() - written.Skipped.size());
        ShowSummary(tr("%n reminder(s) exported to %1.", nullptr, count).arg(name), tr("Not exported:"),
                    written.Skipped);
    });
}

void CalendarCommands::ShowSummary(const QString& done, const QString& leftOutHeading,
                                   const std::vector<CalendarSkip>& skipped)
{
    auto* box = new QMessageBox(skipped.empty() ? QMessageBox::Information : QMessageBox::Warning,
                                QApplication::applicationDisplayName(), done, QMessageBox::Ok, &m_window);
    box->setObjectName(QStringLiteral("calendarSummaryBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    // Entry names and reasons come from the file: shown as plain text, never as markup.
    box->setTextFormat(Qt::PlainText);
    if (!skipped.empty()) {
        QString shown = leftOutHeading;
        QString all = leftOutHeading;
        for (std::size_t i = 0; i < skipped.size(); ++i) {
            const QString line =
                QStringLiteral("\n- %1: %2")
                    .arg(QString::fromLocal8Bit(skipped[i].Entry), QString::fromLocal8Bit(skipped[i].Reason));
            all += line;
            if (i < ShownSkips) {
                shown += line;
            }
        }
        if (skipped.size() > ShownSkips) {
            shown += QStringLiteral("\n") +
                     tr("... and %n more (see the details).", nullptr, static_cast<int>(skipped.size() - ShownSkips));
            box->setDetailedText(all);
        }
        box->setInformativeText(shown);
    }
    box->open();
}
