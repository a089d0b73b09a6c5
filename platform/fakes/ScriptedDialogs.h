#pragma once

#include "Dialogs.h"

#include <QString>

#include <deque>
#include <optional>
#include <stdexcept>
#include <vector>

// Answers the input boxes from a script and records every box shown. An input box that finds the
// script empty fails, so that a test that did not script enough answers ends instead of looping.
class ScriptedDialogs final : public Dialogs
{
public:
    struct Question
    {
        QString caption;
        QString prompt;
    };

    void ShowError(QWidget* /*parent*/, const QString& text) override { errors.push_back(text); }

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

    // std::nullopt stands for Cancel.
    std::deque<std::optional<QString>> answers;
    std::vector<Question> questions;
    std::vector<QString> errors;
};
