#include "app/HostDatabase.h"

#include "app/HostPaths.h"
#include "database/DemoData.h"
#include "database/DriverError.h"
#include "database/SqlConnection.h"
#include "database/SqliteFileCheck.h"
#include "sdk/SettingsObject.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

const QString HostDatabase::SettingsKey = QStringLiteral("ZevStore");
const QString HostDatabase::SettingsSection = QStringLiteral("Database");
const QString HostDatabase::SettingsName = QStringLiteral("Location");

QString HostDatabase::Choose(const QString& named, SettingsObject& settings) {
    if (!named.trimmed().isEmpty())
        return named.trimmed();
    const QString kept = settings.ReadSetting(SettingsKey, SettingsSection, SettingsName, QString()).toText();
    if (!kept.trimmed().isEmpty())
        return kept.trimmed();
    return HostPaths::DefaultDatabasePath();
}

bool HostDatabase::IsServerUrl(const QString& target) {
    return target.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString HostDatabase::Displayed(const QString& target) {
    if (IsServerUrl(target))
        return QUrl(target).toDisplayString(QUrl::RemovePassword);
    return QDir::toNativeSeparators(target);
}

std::shared_ptr<SqlConnection> HostDatabase::Open(const QString& target, const QString& user,
                                                  const QString& loginName) {
    if (!IsServerUrl(target) && !QFileInfo::exists(target))
        return CreateDemo(target, user, loginName);
    if (!IsServerUrl(target))
        if (const QString refusal = SqliteFileCheck::Refusal(target); !refusal.isEmpty())
            throw RuntimeError(ErrorNumbers::ConnectionFailed, refusal);
    return SqlConnection::Open(target, user);
}

std::shared_ptr<SqlConnection> HostDatabase::CreateDemo(const QString& path, const QString& user,
                                                        const QString& loginName) {
    try {
        auto demo = DemoData::CreateDemoDatabase(path, loginName);
        return std::make_shared<SqlConnection>(demo->session(), user);
    } catch (...) {
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(path + suffix);
        throw;
    }
}
