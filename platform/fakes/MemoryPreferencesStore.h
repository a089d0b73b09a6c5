#pragma once

#include "BWError.h"
#include "PreferencesStore.h"

#include <QString>

#include <map>
#include <utility>

// Preferences held in memory, keeping texts and numbers apart as the registry does.
class MemoryPreferencesStore final : public PreferencesStore
{
public:
    using Key = std::pair<QString, QString>;

    [[nodiscard]] std::optional<StoredValue> Read(const QString& section, const QString& name) const override
    {
        const auto found = values.find({section, name});
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    }

    void Write(const QString& section, const QString& name, const StoredValue& value) override
    {
        values[{section, name}] = value;
    }

    void Flush() override
    {
        ++flushes;
        if (failFlush) {
            throw EBWError("The preferences could not be saved.");
        }
    }

    std::map<Key, StoredValue> values;
    int flushes = 0;
    bool failFlush = false;
};
