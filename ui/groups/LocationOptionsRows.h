#pragma once

#include "GroupDialogHooks.h"
#include "GroupOptions.h"

#include <QObject>
#include <QString>

#include <string>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The rows of the group editor's account frame that only some locations need: FTP's security and
// passive mode, a CA file for TLS, the SSH key of an SFTP location, and the consent to a web login
// over plain HTTP. Each row shows only while the location typed is of a kind it applies to, so a
// folder or plain FTP group looks as it always did.
class LocationOptionsRows : public QObject
{
    Q_OBJECT

public:
    LocationOptionsRows(QFormLayout& form, QWidget& owner, const GroupDialogHooks& hooks);

    // The rows for this location and account; emits LayoutChanged when rows appear or go.
    void ShowFor(const QString& location, bool hasAccount);
    void SetOptions(const GroupOptions& options);
    // The options that apply to the location and the account shown; the others are dropped rather
    // than kept unseen.
    [[nodiscard]] GroupOptions Options(const std::string& location) const;
    // The password then is the key file's passphrase.
    [[nodiscard]] bool UsesKeyFile() const;
    // The labels, so that the editor can line up its fields.
    [[nodiscard]] QList<QLabel*> Labels() const;
    [[nodiscard]] QWidget* LastField() const;
    void ChainTabOrder(QWidget* before) const;

Q_SIGNALS:
    void LayoutChanged();

private:
    QWidget* MakeFileRow(QLineEdit*& edit, const char* name, const QString& title);
    void Update();

    QFormLayout& m_form;
    QWidget& m_owner;
    const GroupDialogHooks& m_hooks;
    QComboBox* m_tls = nullptr;
    QCheckBox* m_passive = nullptr;
    QLineEdit* m_caFile = nullptr;
    QLineEdit* m_sshKey = nullptr;
    QCheckBox* m_plainHttp = nullptr;
    QWidget* m_securityRow = nullptr;
    QWidget* m_caRow = nullptr;
    QWidget* m_keyRow = nullptr;
    QLabel* m_securityLabel = nullptr;
    QLabel* m_caLabel = nullptr;
    QLabel* m_keyLabel = nullptr;
    QString m_location;
    // The security chosen while an ftps:// address holds the box at implicit TLS.
    int m_chosenTls = 0;
    bool m_hasAccount = false;
};
