#pragma once

#include "Dialogs.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

// Answers the input boxes and questions from a script and records every box shown. A box that finds
// its script empty fails, so that a test that did not script enough answers ends instead of looping.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Question
    {
        QString caption;
        QString prompt;
    };

    void ShowError(QWidget* /*parent*/, const QString& text) override
    {
        errors.push_back(text);
        if (whileErrorOpen) {
            whileErrorOpen();
        }
    }
    void ShowNotice(QWidget* /*parent*/, const QString& text) override { notices.push_back(text); }

    std::optional<QString> AskText(QWidget* /*parent*/, const QString& caption, const QString& prompt,
                                   const QString& /*initialText*/) override
    {
        questions.push_back({caption, prompt});
        if (answers.empty()) {
            throw std::logic_error("ScriptedDialogs: no answer left for \"" + caption.toStdString() + "\"");
        }
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    bool Confirm(QWidget* /*parent*/, const QString& caption, const QString& text) override
    {
        confirmations.push_back({caption, text});
        if (confirmAnswers.empty()) {
            throw std::logic_error("ScriptedDialogs: no answer left for \"" + caption.toStdString() + "\"");
        }
        const bool answer = confirmAnswers.front();
        confirmAnswers.pop_front();
        return answer;
    }

    // std::nullopt stands for Cancel.
    std::deque<std::optional<QString>> answers;
    std::vector<Question> questions;
    // true stands for OK.
    std::deque<bool> confirmAnswers;
    std::vector<Question> confirmations;
    std::vector<QString> errors;
    // What happens while an error box waits for its OK: a real box runs the event loop meanwhile.
    std::function<void()> whileErrorOpen;
    std::vector<QString> notices;
};
