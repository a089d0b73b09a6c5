#pragma once

#include "TextUtil.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <utility>

class Dialogs;
class QCheckBox;
class QListWidget;

// The "Send to" page of the message editor: the recipient groups, "Add..." through the group picker,
// "Delete" for the selected recipient, and "For recipients only (not for me)". Names are kept as the
// bytes the group list holds, so that each finds its group again whatever the local encoding makes
// of it.
class RecipientsPage : public QWidget
{
    Q_OBJECT

public:
    // Asks the user for recipient groups: the names picked, in order, or nothing on Cancel.
    using RecipientPicker = std::function<std::optional<TStringList>(QWidget* parent)>;

    explicit RecipientsPage(Dialogs& dialogs, QWidget* parent = nullptr);

    void SetRecipientPicker(RecipientPicker picker) { m_picker = std::move(picker); }

    [[nodiscard]] TStringList Recipients() const;
    void SetRecipients(const TStringList& names);
    [[nodiscard]] bool RecipientsOnly() const;
    void SetRecipientsOnly(bool recipientsOnly);

    // The picked groups that are not listed yet (letter case aside), at the end, in the picker's order.
    void AddRecipients();
    void DeleteRecipient();

private:
    void Append(const std::string& name);
    [[nodiscard]] bool Holds(const std::string& name) const;

    Dialogs& m_dialogs;
    RecipientPicker m_picker;
    QListWidget* m_recipientsListWidget;
    QCheckBox* m_recipientsOnlyCheckBox;
};
