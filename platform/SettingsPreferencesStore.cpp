#include "SettingsPreferencesStore.h"

#include "BWError.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>

SettingsPreferencesStore::SettingsPreferencesStore()
{
#ifdef Q_OS_WIN
    m_settings =
        std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\Bellwick"), QSettings::NativeFormat);
#else
    // Where QSettings keeps organisation "Bellwick", application "Bellwick", with the usual ".conf"
    // name (QSettings would call an INI file of its own choosing ".ini").
    m_settings = std::make_unique<QSettings>(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                                                 QStringLiteral("/Bellwick/Bellwick.conf"),
                                             QSettings::IniFormat);
#endif
}

SettingsPreferencesStore::SettingsPreferencesStore(const QString& iniFileName)
    : m_settings(std::make_unique<QSettings>(iniFileName, QSettings::IniFormat))
{}

SettingsPreferencesStore::~SettingsPreferencesStore() = default;

std::optional<StoredValue> SettingsPreferencesStore::Read(const QString& section, const QString& name) const
{
    const QVariant value = m_settings->value(Key(section, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
        // A registry number (REG_DWORD) keeps its 32 bits; the unsigned form is read back as signed.
        return StoredValue(static_cast<std::int32_t>(value.toLongLong()));
    case QMetaType::QStringList:
        // An INI value with unquoted commas comes back split; put the text together again.
        return StoredValue(value.toStringList().join(QStringLiteral(", ")));
    default:
        return StoredValue(value.toString());
    }
}

void SettingsPreferencesStore::Write(const QString& section, const QString& name, const StoredValue& value)
{
    if (const auto* text = std::get_if<QString>(&value)) {
        m_settings->setValue(Key(section, name), *text);
    } else {
        m_settings->setValue(Key(section, name), std::get<std::int32_t>(value));
    }
}

void SettingsPreferencesStore::Flush()
{
    m_settings->sync();
    if (m_settings->status() != QSettings::NoError) {
        throw EBWError(
            QCoreApplication::translate("SettingsPreferencesStore", "The preferences could not be saved to \"%1\".")
                .arg(m_settings->fileName())
                .toLocal8Bit()
                .toStdString());
    }
}

QString SettingsPreferencesStore::FileName() const
{
    return m_settings->fileName();
}

QString SettingsPreferencesStore::Key(const QString& section, const QString& name) const
{
    // QSettings keeps the keys outside any group in an INI file's [General] section (and escapes a
    // group named "General" as [%General]); the registry has a real "General" subkey.
    if (m_settings->format() == QSettings::IniFormat && section == QLatin1String("General")) {
        return name;
    }
    return section + QLatin1Char('/') + name;
}
