#pragma once

#include "sdk/SettingsObject.h"

#include <QString>

// The host's settings in an INI file. An application key such as "AppData\Store" becomes nested groups, so
// every module keeps its values apart.
class HostSettings : public SettingsObject {
public:
    explicit HostSettings(QString iniPath);

    Variant ReadSetting(const QString& appKey, const QString& section, const QString& name,
                        const Variant& defaultValue) override;
    void WriteSetting(const QString& appKey, const QString& section, const QString& name,
                      const QString& value) override;

    const QString& FilePath() const { return m_path; }

private:
    static QString Key(const QString& appKey, const QString& section, const QString& name);

    QString m_path;
};
