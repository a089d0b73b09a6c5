#pragma once

#include "RecipientsPage.h"
#include "TextUtil.h"

#include <QByteArray>
#include <QDate>
#include <QDialog>
#include <QString>
#include <QTime>

#include <cstdint>
#include <string>
#include <utility>

struct AppContext;
class ActiveDaysBox;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTimeEdit;
class TBWItem;

// The message editor of the New and Edit commands: title, kind, due date and time, repeat rule,
// text or files to run, recipient groups, the "not for me" choice and the active weekdays. It never
// touches a list or a file: the caller fills it (Reset or LoadFromMessage), shows it with Execute
// and on OK stores it into a message. One instance serves the whole run, so the inputs keep their
// values between showings until the caller resets or fills them.
class TBWEditForm : public QDialog
{
    Q_OBJECT

public:
    using RecipientPicker = RecipientsPage::RecipientPicker;
    // Asks the user for a file to run: its full path, or an empty text on Cancel.
    using FilePicker = std::function<QString(QWidget* parent)>;

    explicit TBWEditForm(AppContext& context, QWidget* parent = nullptr);
    ~TBWEditForm() override;

    // Without a picker "Add..." does nothing.
    void SetRecipientPicker(RecipientPicker picker) { m_sendToPage->SetRecipientPicker(std::move(picker)); }
    // The file dialog of the program unless a test sets another.
    void SetFilePicker(FilePicker picker) { m_filePicker = std::move(picker); }

    // Empty title and text, today at the current time, a simple message without repeat, every
    // weekday, and not only for the recipients. The recipients stay (see ClearRecipients).
    void Reset();
    void ClearRecipients();
    // Every input from the message, recipients included.
    void LoadFromMessage(const TBWItem& message);
    // Every input into the message but the recipients, which the caller publishes first. A message
    // without any active weekday gets all seven. Date, time, title and text that the user left as
    // they were loaded come back exactly as the message held them.
    void StoreIntoMessage(TBWItem& message, const std::string& author) const;
    [[nodiscard]] TStringList Recipients() const;

    // Read-only, the editor shows a message that the user may not change: every input can be read
    // and copied from, none changed, and only Close (Cancel) ends it. It stays so until switched back.
    void SetReadOnly(bool readOnly);
    [[nodiscard]] bool IsReadOnly() const { return m_readOnly; }

    // Shows the editor modally on its first page with the focus in the title; QDialog::Accepted
    // or Rejected.
    int Execute();

    // The quick date menu's entries, without the menu.
    void SetCurrentDate();
    void SetCurrentTime();
    void SetTomorrow();
    // The type switch: wrapping, scroll bars, the text label and the file button follow the kind.
    void ApplyTypeSwitch();
    // "..." beside the text: a picked file's path, quoted, becomes the text's new last line.
    void AddFileLine();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* BuildMessagePage();
    QWidget* BuildOptionsPage();
    void ShowQuickDateMenu();
    void ShowHelp();
    void ShowDueTime(double moment);
    [[nodiscard]] bool IsExecuteFiles() const;
    [[nodiscard]] double Today() const;

    AppContext& m_context;
    FilePicker m_filePicker;

    QTabWidget* m_pages = nullptr;
    QLineEdit* m_titleEdit = nullptr;
    QComboBox* m_typeComboBox = nullptr;
    QDateEdit* m_dueDateEdit = nullptr;
    QTimeEdit* m_dueTimeEdit = nullptr;
    QPushButton* m_quickDateButton = nullptr;
    QMenu* m_quickDateMenu = nullptr;
    QComboBox* m_repeatComboBox = nullptr;
    QLabel* m_textLabel = nullptr;
    QPlainTextEdit* m_textEdit = nullptr;
    QPushButton* m_addFileButton = nullptr;
    RecipientsPage* m_sendToPage = nullptr;
    ActiveDaysBox* m_activeDaysBox = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    bool m_placed = false;
    bool m_readOnly = false;

    // What the last Reset or Load put into the inputs, to give back unchanged values exactly.
    struct Shown
    {
        QByteArray TitleBytes;
        QString Title;
        QByteArray TextBytes;
        QString Text;
        double DueTime = 0.0;
        QDate Date;
        QTime Time;
        std::uint8_t Kind = 0;
        std::uint8_t RepeatKind = 0;
    };
    Shown m_shown;
};
