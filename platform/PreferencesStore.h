#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

// A stored preference: a text or a 32-bit number. The registry keeps the two apart; an INI file holds
// texts only, so there every value reads back as a text.
using StoredValue = std::variant<QString, std::int32_t>;

// The per-user preferences: named values in sections ("General", "Sound").
class PreferencesStore
{
public:
    virtual ~PreferencesStore() = default;

    // Nothing when the value is missing or the store cannot be read.
    [[nodiscard]] virtual std::optional<StoredValue> Read(const QString& section, const QString& name) const = 0;
    virtual void Write(const QString& section, const QString& name, const StoredValue& value) = 0;
    // Makes the written values permanent; fails with EBWError, naming the store, when it cannot.
    virtual void Flush() = 0;
};
