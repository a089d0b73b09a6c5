#pragma once

#include "Shell.h"

#include <QString>
#include <QStringList>

#include <vector>

// Remembers what it was asked to open, and opens nothing; the targets listed as missing fail.
class RecordingShell final : public Shell
{
public:
    struct Call
    {
        QString target;
        QString parameters;
    };

    bool Open(const QString& target, const QString& parameters) override
    {
        calls.push_back({target, parameters});
        return !missing.contains(target);
    }

    std::vector<Call> calls;
    QStringList missing;
};
