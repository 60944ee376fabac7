#pragma once

#include "database/SqlConnection.h"
#include "database/SqlSession.h"
#include "support/FakeAppServer.h"

#include <QMap>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// A fresh host database for one test: a SQLite file in a temporary folder, or a schema of its own on the
// PostgreSQL server named by ZEVSTORE_TEST_PG_URL. Schema created, demo data seeded unless asked otherwise;
// everything is removed again when the object ends.
class TestDatabase {
public:
    // nullptr when the backend is not available here (no PostgreSQL server given). Without tables it is an
    // empty file or schema.
    static std::unique_ptr<TestDatabase> Create(Backend backend, bool seeded = true, bool tables = true);
    static bool Available(Backend backend);
    ~TestDatabase();

    Backend backend() const { return m_backend; }
    QString backendName() const { return BackendName(m_backend); }
    // The SQLite path or the PostgreSQL URL (with its schema), to open further connections.
    const QString& target() const { return m_target; }

    // A connection signed in as user ("admin" of the demo data holds every right).
    std::shared_ptr<SqlConnection> connection(const QString& user = "admin");
    // Direct SQL for setting up and checking, outside any procedure.
    SqlSession& session() { return *m_session; }
    QVariant scalar(const QString& sql, const QVariantList& values = {});
    void execute(const QString& sql, const QVariantList& values = {});
    int count(const QString& table, const QString& where = "1 = 1", const QVariantList& values = {});
    // The row count of every store table, by name: compared before and after to see that nothing was written.
    QMap<QString, int> counts();

    // PostgreSQL logins are the whole server's, and tests run side by side: a name of this database's own
    // (base on SQLite), whose login is dropped again when the object ends.
    QString uniqueName(const QString& base);
    // PostgreSQL: the group roles and grants, then a ZevStore user with a login of its own holding these
    // rights; its unique name. Its password is password(name).
    QString login(const QString& base, const QStringList& rights);
    QString password(const QString& name) const { return m_passwords.value(name); }
    // The address as that login, without a password; with one, for opening sessions in the test itself.
    QString targetAs(const QString& name, const QString& password = {}) const;
    // Why the login cannot sign in with that password: the refusal's sentence, empty when it signs in.
    QString signInRefusal(const QString& name, const QString& password) const;
    // The sentence of a password the server refuses for that login.
    QString passwordRefused(const QString& name) const;

private:
    TestDatabase(Backend backend, QString target, QString schema);

    Backend m_backend;
    QString m_target;
    QString m_schema;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::shared_ptr<SqlSession> m_session;
    QStringList m_logins;
    QMap<QString, QString> m_passwords;
};

// A test run once per backend: TEST_P(MySuite, Case) { auto db = connection(); ... } and
// ZEV_INSTANTIATE_BACKENDS(MySuite). PostgreSQL cases are skipped when no server is given.
class DatabaseTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    // Override to start from an empty schema.
    virtual bool seeded() const { return true; }

    TestDatabase& db() { return *m_db; }
    // The same, for tests whose connection variable is called db.
    TestDatabase& database() { return *m_db; }
    std::shared_ptr<SqlConnection> connection(const QString& user = "admin") {
        return m_db->connection(user);
    }
    // A host on this database for the module's control, which starts on the store given (0: the first).
    std::shared_ptr<FakeAppServer> host(int storeNo = 0) {
        auto server = std::make_shared<FakeAppServer>();
        server->db = connection();
        if (storeNo)
            server->settings->values["AppData\\Store|Environment|DefaultStoreNo"] = QString::number(storeNo);
        return server;
    }

private:
    std::unique_ptr<TestDatabase> m_db;
};

#define ZEV_INSTANTIATE_BACKENDS(Suite)                                                                      \
    INSTANTIATE_TEST_SUITE_P(                                                                                \
        Backends, Suite, testing::Values(Backend::SQLite, Backend::PostgreSQL),                              \
        [](const testing::TestParamInfo<Backend>& info) { return BackendName(info.param).toStdString(); })
