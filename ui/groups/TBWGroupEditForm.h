#pragma once

#include "GroupDialogHooks.h"
#include "TextUtil.h"

#include <QByteArray>
#include <QDialog>

#include <array>
#include <string>

class LocationOptionsRows;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TBWListLocation;

// The group editor of the groups dialog's Add and Edit. The caller sets the window title, fills
// TakenNames, puts values into the fields as it wishes, shows the editor modally and on OK reads
// the fields back. The fields keep their content between showings. OK is refused while the
// title is another group's name or cannot be a file name. The account frame shows the settings
// that the kind of location typed needs (TLS and passive mode for FTP, a key for SFTP, a CA file
// for TLS), and grows to hold them.
class TBWGroupEditForm : public QDialog
{
    Q_OBJECT

public:
    explicit TBWGroupEditForm(GroupDialogHooks hooks, QWidget* parent = nullptr);
    ~TBWGroupEditForm() override;

    // The titles this group may not take; letter case is not looked at.
    [[nodiscard]] TStringList& TakenNames() { return m_takenNames; }
    [[nodiscard]] const TStringList& TakenNames() const { return m_takenNames; }

    // Name, Location, Password, FtpUser, FtpPassword and the group's settings into the fields, and
    // back.
    void SetFields(const TBWListLocation& group);
    void GetFields(TBWListLocation& group) const;

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    enum Field
    {
        TitleField,
        LocationField,
        PasswordField,
        FtpUserField,
        FtpPasswordField,
        FieldCount
    };

    void BuildLayout();
    void SetField(Field field, const std::string& value);
    [[nodiscard]] std::string FieldValue(Field field) const;
    [[nodiscard]] bool IsTaken(const std::string& name) const;
    void RefuseTitle(const QString& text);
    // The account frame's title, the password's caption and the rows for the location typed.
    void FitToLocation();

    GroupDialogHooks m_hooks;
    TStringList m_takenNames;
    std::array<QLineEdit*, FieldCount> m_edits{};
    // The bytes last put into each field: an unchanged field gives them back exactly, even
    // where they are no valid text in the local encoding.
    std::array<QByteArray, FieldCount> m_shownBytes;
    QGroupBox* m_accountBox = nullptr;
    QLabel* m_accountPasswordLabel = nullptr;
    QLabel* m_problemLabel = nullptr;
    LocationOptionsRows* m_optionRows = nullptr;
    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QPushButton* m_helpButton = nullptr;
};
