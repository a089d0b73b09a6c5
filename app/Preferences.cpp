#include "Preferences.h"

#include "PreferencesStore.h"
#include "TextUtil.h"

namespace {

const QString General = QStringLiteral("General");
const QString Sound = QStringLiteral("Sound");

QString AlertSoundName(int number)
{
    return QStringLiteral("Wav") + QString::number(number);
}

} // namespace

Preferences::Preferences()
{
    for (int i = 0; i < AlertSoundCount; ++i) {
        AlertSounds[static_cast<std::size_t>(i)] = QStringLiteral("s%1.wav").arg(i + 1);
    }
}

Preferences Preferences::Load(const PreferencesStore& store)
{
    Preferences loaded;
    loaded.UserName = ReadText(store, General, QStringLiteral("UserName"), loaded.UserName);
    loaded.EnableSounds = ReadBool(store, General, QStringLiteral("EnableSounds"), loaded.EnableSounds);
    loaded.ShowHints = ReadBool(store, General, QStringLiteral("ShowHints"), loaded.ShowHints);
    loaded.AutoSort = ReadBool(store, General, QStringLiteral("AutoSort"), loaded.AutoSort);
    loaded.StartWithDesktop = ReadBool(store, General, QStringLiteral("StartWithDesktop"), loaded.StartWithDesktop);
    loaded.NotifyThroughDesktop =
        ReadBool(store, General, QStringLiteral("DesktopNotifications"), loaded.NotifyThroughDesktop);
    loaded.SortColumn = ReadInteger(store, General, QStringLiteral("SortNom"), loaded.SortColumn);
    loaded.SortReversed = ReadBool(store, General, QStringLiteral("SortObrat"), loaded.SortReversed);
    loaded.ShowTeamReminders = ReadBool(store, General, QStringLiteral("ShowTeamReminders"), loaded.ShowTeamReminders);
    loaded.ChimeEnabled = ReadBool(store, General, QStringLiteral("FXH1Alert"), loaded.ChimeEnabled);
    for (int i = 0; i < AlertSoundCount; ++i) {
        QString& sound = loaded.AlertSounds[static_cast<std::size_t>(i)];
        sound = ReadText(store, Sound, AlertSoundName(i + 1), sound);
    }
    return loaded;
}

void Preferences::Save(PreferencesStore& store) const
{
    store.Write(General, QStringLiteral("UserName"), UserName);
    WriteBool(store, General, QStringLiteral("EnableSounds"), EnableSounds);
    WriteBool(store, General, QStringLiteral("ShowHints"), ShowHints);
    WriteBool(store, General, QStringLiteral("AutoSort"), AutoSort);
    WriteBool(store, General, QStringLiteral("StartWithDesktop"), StartWithDesktop);
    WriteBool(store, General, QStringLiteral("DesktopNotifications"), NotifyThroughDesktop);
    WriteInteger(store, General, QStringLiteral("SortNom"), SortColumn);
    WriteBool(store, General, QStringLiteral("SortObrat"), SortReversed);
    WriteBool(store, General, QStringLiteral("ShowTeamReminders"), ShowTeamReminders);
    for (int i = 0; i < AlertSoundCount; ++i) {
        store.Write(Sound, AlertSoundName(i + 1), AlertSounds[static_cast<std::size_t>(i)]);
    }
    store.Flush();
}

QString ReadText(const PreferencesStore& store, const QString& section, const QString& name, const QString& fallback)
{
    const std::optional<StoredValue> value = store.Read(section, name);
    if (!value) {
        return fallback;
    }
    if (const auto* text = std::get_if<QString>(&*value)) {
        return *text;
    }
    return QString::number(std::get<std::int32_t>(*value));
}

std::int32_t ReadInteger(const PreferencesStore& store, const QString& section, const QString& name,
                         std::int32_t fallback)
{
    const std::optional<StoredValue> value = store.Read(section, name);
    if (!value) {
        return fallback;
    }
    if (const auto* text = std::get_if<QString>(&*value)) {
        return StrToIntDef(text->toStdString(), fallback);
    }
    return std::get<std::int32_t>(*value);
}

bool ReadBool(const PreferencesStore& store, const QString& section, const QString& name, bool fallback)
{
    return ReadInteger(store, section, name, fallback ? 1 : 0) != 0;
}

void WriteInteger(PreferencesStore& store, const QString& section, const QString& name, std::int32_t value)
{
    const std::optional<StoredValue> existing = store.Read(section, name);
    if (existing && std::holds_alternative<QString>(*existing)) {
        store.Write(section, name, QString::number(value));
    } else {
        store.Write(section, name, value);
    }
}

void WriteBool(PreferencesStore& store, const QString& section, const QString& name, bool value)
{
    store.Write(section, name, value ? QStringLiteral("1") : QStringLiteral("0"));
}
