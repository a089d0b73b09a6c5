#pragma once

#include <QString>

// Opens a program, document, folder or web address the way the desktop would.
class Shell
{
public:
    virtual ~Shell() = default;

    // A program is started with the parameters; anything else goes to the desktop's handler for it.
    // Returns at once; the outcome is not reported.
    virtual void Open(const QString& target, const QString& parameters) = 0;
};
