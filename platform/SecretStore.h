#pragma once

#include <QString>

#include <string>

// The desktop's password store (the Secret Service of GNOME Keyring or KWallet, the Keychain, the
// Credential Manager): where the program keeps the passwords that would otherwise sit in its files.
// Every call may wait for the store, which may ask the user to unlock it; none is made on a path
// that runs often.
class SecretStore
{
public:
    enum class Result
    {
        Done,
        NotFound,
        // No store runs, it could not be reached, or the user would not unlock it. The reason is
        // in Problem().
        Unavailable,
    };

    virtual ~SecretStore() = default;

    virtual Result Read(const QString& key, std::string& secret) = 0;
    virtual Result Write(const QString& key, const std::string& secret) = 0;
    // Done also when there was nothing under the key.
    virtual Result Remove(const QString& key) = 0;
    // Why the store was unavailable the last time it was; empty while it worked.
    [[nodiscard]] virtual QString Problem() const = 0;
};
