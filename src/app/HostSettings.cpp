#include "app/HostSettings.h"

#include <QSettings>

HostSettings::HostSettings(QString iniPath) : m_path(std::move(iniPath)) {}

QString HostSettings::Key(const QString& appKey, const QString& section, const QString& name) {
    QString group = appKey;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group + QLatin1Char('/') + section + QLatin1Char('/') + name;
}

Variant HostSettings::ReadSetting(const QString& appKey, const QString& section, const QString& name,
                                  const Variant& defaultValue) {
    const QSettings settings(m_path, QSettings::IniFormat);
    const QString key = Key(appKey, section, name);
    if (!settings.contains(key))
        return defaultValue;
    return Variant(settings.value(key).toString());
}

void HostSettings::WriteSetting(const QString& appKey, const QString& section, const QString& name,
                                const QString& value) {
    QSettings settings(m_path, QSettings::IniFormat);
    settings.setValue(Key(appKey, section, name), value);
    // Written at once, so another instance of the program reads it.
    settings.sync();
}
