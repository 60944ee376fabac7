#include "app/HostPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
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
    // The build tree keeps the plug-in in "plugins" beside "bin"; an installed program in its private library
    // folder under the same prefix, so a package unpacked anywhere finds its own.
    const QString programs = QCoreApplication::applicationDirPath();
    const QString built = QDir::cleanPath(programs + QStringLiteral("/../plugins"));
    if (QFileInfo::exists(built))
        return built;
    return QDir::cleanPath(programs + QStringLiteral("/../" ZEV_INSTALL_PLUGIN_DIR));
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
