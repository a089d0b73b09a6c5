#pragma once

#include "Shell.h"

// The desktop's way of opening things: an executable file (or a program name found on PATH) is started
// on its own, with the parameters split into words as a command line is (double quotes group words);
// a document, folder or address goes to the desktop's default handler for it.
class DesktopShell final : public Shell
{
public:
    bool Open(const QString& target, const QString& parameters) override;

    // The program that Open would start for the target, or empty when the target is not a program.
    [[nodiscard]] static QString FindProgram(const QString& target);
    // "scheme:rest" with a scheme of at least two letters, so that a drive letter is not an address.
    [[nodiscard]] static bool IsAddress(const QString& target);
};
