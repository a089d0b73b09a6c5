#include "WidgetDialogs.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

void WidgetDialogs::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorMessageBox"));
    // Error texts quote files and servers; their markup must show as it is, never render.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

std::optional<QString> WidgetDialogs::AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                              const QString& initialText)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("textInputDialog"));
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

bool WidgetDialogs::Confirm(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("confirmMessageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}
