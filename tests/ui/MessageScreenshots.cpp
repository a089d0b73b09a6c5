// Renders the message editor's three pages and the find dialog with sample content into PNG files,
// to look at the layouts without a display: ui_messages_screenshots <folder>
#include "AppContext.h"
#include "Clock.h"
#include "DateTime.h"
#include "FakeAutostart.h"
#include "FakeNotificationArea.h"
#include "MemoryPreferencesStore.h"
#include "RecordingHelpService.h"
#include "RecordingShell.h"
#include "RecordingSoundPlayer.h"
#include "ScriptedDialogs.h"
#include "TBWEditForm.h"
#include "TBWFindForm.h"
#include "TBWItem.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>

namespace {

bool Save(QWidget& window, const QDir& folder, const QString& fileName)
{
    window.show();
    QApplication::processEvents();
    return window.grab().save(folder.filePath(fileName));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: ui_messages_screenshots <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));

    FakeClock clock(EncodeDateTime(2024, 3, 14, 9, 41, 27));
    MemoryPreferencesStore preferences;
    RecordingShell shell;
    RecordingSoundPlayer sound;
    RecordingHelpService help;
    FakeNotificationArea notificationArea;
    ScriptedDialogs dialogs;
    FakeAutostart autostart;
    AppContext context{"/nonexistent/", clock, preferences, shell, sound, help, notificationArea, dialogs, autostart};

    TBWEditForm editor(context);
    editor.setWindowTitle(QObject::tr("Edit message"));
    TBWItem message;
    message.Title = "Send the weekly figures";
    message.Text = "Figures to Bob before 17:00, please.\r\nThe template is in the shared folder.";
    message.DueTime = EncodeDateTime(2024, 3, 15, 16, 45);
    message.RepeatKind = RepeatDaily;
    message.Recipients = {"Sales", "Development"};
    message.DayFlags = {false, true, true, true, true, true, false, false};
    editor.LoadFromMessage(message);
    editor.ApplyTypeSwitch();
    editor.findChild<QListWidget*>(QStringLiteral("recipientsListWidget"))->setCurrentRow(0);
    auto* pages = editor.findChild<QTabWidget*>(QStringLiteral("pageTabs"));

    bool saved = true;
    const char* const names[] = {"message-editor.png", "message-editor-send-to.png", "message-editor-options.png"};
    for (int page = 0; page < 3; ++page) {
        pages->setCurrentIndex(page);
        saved = Save(editor, folder, QLatin1String(names[page])) && saved;
    }
    editor.hide();

    TBWFindForm find;
    find.findChild<QLineEdit*>(QStringLiteral("searchEdit"))->setText(QStringLiteral("report"));
    saved = Save(find, folder, QStringLiteral("find.png")) && saved;
    return saved ? 0 : 1;
}
