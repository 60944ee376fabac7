#pragma once

#include "app/ErrorLog.h"
#include "app/HostAppServer.h"
#include "app/HostLauncher.h"
#include "app/HostSettings.h"
#include "dbsupport/TestDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A host for one test over a demo database of its own (see TestDatabase), signed in as user, with its own
// settings file and error log.
class DemoHost {
    // Declared first so that they go last, after the connection into the database is closed.
    QTemporaryDir m_folder;
    std::unique_ptr<TestDatabase> m_database;

public:
    explicit DemoHost(const QString& user = "admin", Backend backend = Backend::SQLite);
    DemoHost(const DemoHost&) = delete;
    DemoHost& operator=(const DemoHost&) = delete;

    QString FilePath(const QString& name) const { return m_folder.filePath(name); }
    // The error log's lines.
    QStringList LogLines() const;
    QVariant Scalar(const QString& sql, const QVariantList& values = {});
    void Execute(const QString& sql, const QVariantList& values = {});

    std::shared_ptr<SqlConnection> db;
    std::shared_ptr<HostSettings> settings;
    std::shared_ptr<ErrorLog> errors;
    std::shared_ptr<HostAppServer> server;
};

// The host's tests that run on both database servers.
class BothBackends : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (!TestDatabase::Available(GetParam()))
            GTEST_SKIP() << "no PostgreSQL server given (ZEVSTORE_TEST_PG_URL)";
    }
};

// The store module plug-in as built beside the tests; the tests that start it skip when it is not built.
inline const QString PluginFolder = QStringLiteral(ZEV_BUILD_PLUGIN_DIR);
inline bool PluginBuilt() {
    return QFile::exists(PluginFolder + "/libzevstore_store.so");
}
#define ZEV_SKIP_WITHOUT_PLUGIN()                                                                            \
    do {                                                                                                     \
        if (!PluginBuilt())                                                                                  \
            GTEST_SKIP() << "the store module plug-in is not built in " << PluginFolder.toStdString();       \
    } while (false)

// A launcher's settings and error log in the folder, its module from the plug-in folder.
inline HostLauncher::Places PlacesIn(const QTemporaryDir& folder, const QString& plugins = PluginFolder) {
    return {folder.filePath("zevstore.ini"), folder.filePath("errors.log"), plugins};
}
// zevstore started with these arguments, the program's name first; its window is there when it started.
std::unique_ptr<HostLauncher> Launched(const QStringList& arguments, const QTemporaryDir& folder);
