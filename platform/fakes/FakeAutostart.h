#pragma once

#include "Autostart.h"
#include "BWError.h"

#include <QString>

// An autostart entry in memory: the program it starts, or none. A test can make the next writes fail.
class FakeAutostart final : public Autostart
{
public:
    [[nodiscard]] bool StartsProgram(const QString& program) const override
    {
        return !entryProgram.isEmpty() && entryProgram == program;
    }

    void Enable(const QString& program) override
    {
        ++writes;
        if (failWrites) {
            throw EBWError("Cannot write the autostart entry \"fake\".");
        }
        entryProgram = program;
    }

    void Disable() override
    {
        ++writes;
        if (failWrites) {
            throw EBWError("Cannot remove the autostart entry \"fake\".");
        }
        entryProgram.clear();
    }

    [[nodiscard]] QString Location() const override { return QStringLiteral("fake"); }

    QString entryProgram;
    bool failWrites = false;
    int writes = 0;
};
