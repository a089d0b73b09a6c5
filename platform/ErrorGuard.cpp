#include "ErrorGuard.h"

#include "Dialogs.h"

#include <QString>

#include <cstdio>

void ReportFailure(Dialogs& dialogs, QWidget* parent, const char* text) noexcept
{
    try {
        dialogs.ShowError(parent, QString::fromLocal8Bit(text));
    } catch (...) {
        std::fprintf(stderr, "Bellwick: %s\n", text);
    }
}
