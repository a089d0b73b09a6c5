#pragma once

#include "SecretStore.h"

#include <map>

// A password store held in memory; `available` false plays a desktop without one.
class MemorySecretStore final : public SecretStore
{
public:
    Result Read(const QString& key, std::string& secret) override
    {
        if (!available) {
            return Result::Unavailable;
        }
        const auto found = secrets.find(key);
        if (found == secrets.end()) {
            return Result::NotFound;
        }
        secret = found->second;
        return Result::Done;
    }
    Result Write(const QString& key, const std::string& secret) override
    {
        if (!available) {
            return Result::Unavailable;
        }
        secrets[key] = secret;
        return Result::Done;
    }
    Result Remove(const QString& key) override
    {
        if (!available) {
            return Result::Unavailable;
        }
        secrets.erase(key);
        return Result::Done;
    }
    [[nodiscard]] QString Problem() const override
    {
        return available ? QString() : QStringLiteral("No password store runs here.");
    }

    bool available = true;
    std::map<QString, std::string> secrets;
};
