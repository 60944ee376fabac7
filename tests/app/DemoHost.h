#pragma once

#include "app/ErrorLog.h"
#include "app/HostAppServer.h"
#include "app/HostSettings.h"
#include "database/SqlConnection.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A host for one test over a demo database of its own, signed in as user, with its own settings file and
// error log: a copy of a seeded SQLite file, or a seeded schema of its own on the PostgreSQL server named by
// ZEVSTORE_TEST_PG_URL (dropped again at the end).
class DemoHost {
    // Declared first so that it goes last, after the connection into it is closed.
    QTemporaryDir m_folder;

public:
    explicit DemoHost(const QString& user = "admin", Backend backend = Backend::SQLite);
    ~DemoHost();
    DemoHost(const DemoHost&) = delete;
    DemoHost& operator=(const DemoHost&) = delete;

    // PostgreSQL only when a server is given.
    static bool Available(Backend backend);

    QString FilePath(const QString& name) const { return m_folder.filePath(name); }
    // The error log's lines.
    QStringList LogLines() const;
    QVariant Scalar(const QString& sql, const QVariantList& values = {});
    void Execute(const QString& sql, const QVariantList& values = {});

    std::shared_ptr<SqlConnection> db;
    std::shared_ptr<HostSettings> settings;
    std::shared_ptr<ErrorLog> errors;
    std::shared_ptr<HostAppServer> server;

private:
    std::shared_ptr<SqlSession> OpenSqlite();
    std::shared_ptr<SqlSession> OpenPostgres();

    QString m_schema; // on PostgreSQL
};

// The host's tests that run on both database servers.
class BothBackends : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        if (!DemoHost::Available(GetParam()))
            GTEST_SKIP() << "no PostgreSQL server given (ZEVSTORE_TEST_PG_URL)";
    }
};

#define ZEV_APP_BACKENDS(Suite)                                                                              \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, Suite, testing::Values(Backend::SQLite, Backend::PostgreSQL),                              \
        [](const testing::TestParamInfo<Backend>& info) { return BackendName(info.param).toStdString(); })
