#pragma once

#include "Shell.h"

#include <QString>

#include <vector>

// Remembers what it was asked to open, and opens nothing.
class RecordingShell final : public Shell
{
public:
    struct Call
    {
        QString target;
        QString parameters;
    };

    void Open(const QString& target, const QString& parameters) override { calls.push_back({target, parameters}); }

    std::vector<Call> calls;
};
