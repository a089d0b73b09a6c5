#pragma once

#include "PreferencesStore.h"

#include <QSettings>

#include <memory>

// The preferences in QSettings: on Windows the registry key "Software\Bellwick" of the current user,
// elsewhere the INI file Bellwick/Bellwick.conf in the user's configuration folder.
class SettingsPreferencesStore final : public PreferencesStore
{
public:
    // The user's own store.
    SettingsPreferencesStore();
    // An INI file of the caller's choosing (tests, or a second profile).
    explicit SettingsPreferencesStore(const QString& iniFileName);
    ~SettingsPreferencesStore() override;

    [[nodiscard]] std::optional<StoredValue> Read(const QString& section, const QString& name) const override;
    void Write(const QString& section, const QString& name, const StoredValue& value) override;
    void Flush() override;

    [[nodiscard]] QString FileName() const;

private:
    [[nodiscard]] QString Key(const QString& section, const QString& name) const;

    std::unique_ptr<QSettings> m_settings;
};
