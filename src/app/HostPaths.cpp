#include "app/HostPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace HostPaths {

QString DataFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString DefaultDatabasePath() {
    return QDir(DataFolder()).filePath(QStringLiteral("zevstore.db"));
}

QString ErrorLogPath() {
    return QDir(DataFolder()).filePath(QStringLiteral("zevstore-errors.log"));
}

QString SettingsPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation))
        .filePath(QStringLiteral("zevstore.ini"));
}

QString PluginFolder() {
    const QString overridden = qEnvironmentVariable("ZEVSTORE_PLUGIN_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../plugins"));
}

QString LoginName() {
    for (const char* name : {"USER", "LOGNAME", "USERNAME"}) {
        const QString value = qEnvironmentVariable(name);
        if (!value.isEmpty())
            return value;
    }
    const QString home = QDir::home().dirName();
    return home.isEmpty() ? QStringLiteral("admin") : home;
}

} // namespace HostPaths
