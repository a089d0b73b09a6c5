#include "WidgetDialogs.h"

#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {

// A box blocks the window it belongs to and nothing else: the reminder pop-ups belong to no window,
// so one that comes up while a box waits for an answer can still be dealt with.
int Run(QDialog& dialog)
{
    dialog.setWindowModality(Qt::WindowModal);
    return dialog.exec();
}

} // namespace

void WidgetDialogs::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("errorMessageBox"));
    // Error texts quote files and servers; their markup must show as it is, never render.
    box.setTextFormat(Qt::PlainText);
    Run(box);
}

void WidgetDialogs::ShowNotice(QWidget* parent, const QString& text)
{
    auto* box =
        new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("noticeMessageBox"));
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

std::optional<QString> WidgetDialogs::AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                              const QString& initialText)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("textInputDialog"));
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initialText);
    if (Run(dialog) != QDialog::Accepted) {
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
    return Run(box) == QMessageBox::Ok;
}
