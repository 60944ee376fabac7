#pragma once

#include <QString>
#include <memory>

class SettingsObject;
class SqlConnection;

// Chooses and opens the host database.
class HostDatabase {
public:
    // Where the target is kept in the host's settings.
    static const QString SettingsKey;
    static const QString SettingsSection;
    static const QString SettingsName;

    // The named database, else the one in the settings, else the SQLite file in the user's data folder.
    static QString Choose(const QString& named, SettingsObject& settings);
    // Opens a SQLite file or a "postgresql://" URL signed in as user. A SQLite file that does not exist yet
    // is created as a demo database whose administrator is loginName; when that fails, no half-made file
    // is left behind. Another program's SQLite file is refused untouched. Failures are raised as
    // RuntimeError.
    static std::shared_ptr<SqlConnection> Open(const QString& target, const QString& user,
                                               const QString& loginName);
    static bool IsServerUrl(const QString& target);
    // The target as a person is shown it: a server address without its password, a file in native form.
    static QString Displayed(const QString& target);

private:
    static std::shared_ptr<SqlConnection> CreateDemo(const QString& path, const QString& user,
                                                     const QString& loginName);
};
