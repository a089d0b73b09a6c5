#pragma once

#include <QString>

// Opens a program, document, folder or web address the way the desktop would.
class Shell
{
public:
    virtual ~Shell() = default;

    // A program is started with the parameters; anything else goes to the desktop's handler for it.
    // Returns at once, false when there is nothing by that name or it could not be handed on; what
    // the started program or handler does afterwards is not known.
    virtual bool Open(const QString& target, const QString& parameters) = 0;
};
