#pragma once

#include "Dialogs.h"

// The dialogs as the desktop shows them: QMessageBox and QInputDialog.
class WidgetDialogs final : public Dialogs
{
public:
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowNotice(QWidget* parent, const QString& text) override;
    std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initialText) override;
    bool Confirm(QWidget* parent, const QString& caption, const QString& text) override;
};
