#pragma once

#include "sdk/Object.h"
#include "sdk/Variant.h"

#include <QString>

// The host's settings store, addressed by application key, section and value name.
class SettingsObject : public Object {
public:
    // The stored text, or defaultValue when nothing is stored.
    virtual Variant ReadSetting(const QString& appKey, const QString& section, const QString& name,
                                const Variant& defaultValue) = 0;
    virtual void WriteSetting(const QString& appKey, const QString& section, const QString& name,
                              const QString& value) = 0;
};
