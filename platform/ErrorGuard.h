#pragma once

#include <exception>
#include <utility>

class Dialogs;
class QWidget;

// Reports a failure that ended a piece of work: the error box with the failure's text. Never throws;
// when even the box cannot be shown, the text goes to the standard error stream.
void ReportFailure(Dialogs& dialogs, QWidget* parent, const char* text) noexcept;

// Every entry point of the program (a command, a timer tick, a dialog button) runs its work through
// this guard: a failure ends that work, the user reads its text in the error box, and the program
// goes on. Qt must never see an exception cross its event loop. Returns whether the work completed.
template <typename Work>
bool RunGuarded(Dialogs& dialogs, QWidget* parent, Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const std::exception& failure) {
        ReportFailure(dialogs, parent, failure.what());
    } catch (...) {
        ReportFailure(dialogs, parent, "Unknown error");
    }
    return false;
}
