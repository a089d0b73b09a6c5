#pragma once

#include <QString>

#include <optional>

class QWidget;

// The message boxes and input boxes of the program, behind one interface so that tests can answer them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // The program's error box: its title, an error icon, the text and an OK button.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // The same box with a warning icon, which does not wait: the call returns at once and the box
    // stays until the user closes it. For what a command tells once its work is done, so that the
    // box holds nothing up.
    virtual void ShowNotice(QWidget* parent, const QString& text) = 0;
    // A one-line input box; nothing when the user cancels.
    virtual std::optional<QString> AskText(QWidget* parent, const QString& caption, const QString& prompt,
                                           const QString& initialText) = 0;
    // A question with the question icon and the buttons OK and Cancel; true only for OK.
    virtual bool Confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
};
