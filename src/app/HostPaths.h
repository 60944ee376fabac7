#pragma once

#include <QString>

// Where the host keeps its files: the user's data folder (demo database, error log), its settings file and
// the folder it loads module plug-ins from.
namespace HostPaths {

// The user's data folder for ZevStore, created when missing.
QString DataFolder();
QString DefaultDatabasePath();
QString ErrorLogPath();
QString SettingsPath();
// ZEVSTORE_PLUGIN_DIR when set, else "plugins" beside the program's own folder when it is there (the build
// tree), else the installed plug-in folder under the program's prefix.
QString PluginFolder();
// The name the user signed in to the computer with.
QString LoginName();

} // namespace HostPaths
