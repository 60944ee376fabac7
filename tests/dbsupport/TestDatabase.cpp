#include "dbsupport/TestDatabase.h"

#include "database/DemoData.h"
#include "database/Schema.h"
#include "database/UserAdmin.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString ServerUrl() {
    return qEnvironmentVariable("ZEVSTORE_TEST_PG_URL");
}

// The demo data is seeded once per test program; every seeded SQLite database starts as a copy of it.
QString SeededTemplate() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath("template.db");
        auto session = SqlSession::Open(file);
        Schema::Prepare(*session);
        DemoData::Seed(*session);
        return file;
    }();
    return path;
}

} // namespace

bool TestDatabase::Available(Backend backend) {
    return backend == Backend::SQLite || !ServerUrl().isEmpty();
}

TestDatabase::TestDatabase(Backend backend, QString target, QString schema)
    : m_backend(backend), m_target(std::move(target)), m_schema(std::move(schema)) {}

std::unique_ptr<TestDatabase> TestDatabase::Create(Backend backend, bool seeded, bool tables) {
    if (!Available(backend))
        return nullptr;
    std::unique_ptr<TestDatabase> db;
    if (backend == Backend::SQLite) {
        auto folder = std::make_unique<QTemporaryDir>();
        db.reset(new TestDatabase(backend, folder->filePath("store.db"), {}));
        db->m_folder = std::move(folder);
        if (seeded) {
            EXPECT_TRUE(QFile::copy(SeededTemplate(), db->m_target));
            db->m_session = SqlSession::Open(db->m_target);
            return db;
        }
    } else {
        // A schema of its own, so tests running side by side never see each other's rows.
        const QString schema = QStringLiteral("zt_%1_%2")
                                   .arg(QCoreApplication::applicationPid())
                                   .arg(QRandomGenerator::global()->generate() % 100000000);
        {
            auto admin = SqlSession::Open(ServerUrl());
            admin->execute(QStringLiteral("CREATE SCHEMA %1").arg(schema));
        }
        QUrl url(ServerUrl());
        QUrlQuery query(url);
        query.addQueryItem("schema", schema);
        url.setQuery(query);
        db.reset(new TestDatabase(backend, url.toString(), schema));
    }
    db->m_session = SqlSession::Open(db->m_target);
    if (tables)
        Schema::Prepare(*db->m_session);
    if (tables && seeded)
        DemoData::Seed(*db->m_session);
    return db;
}

TestDatabase::~TestDatabase() {
    const QStringList groups = m_schema.isEmpty() ? QStringList() : Schema::Groups(*m_session).all();
    m_session.reset();
    if (!m_schema.isEmpty()) {
        try {
            auto admin = SqlSession::Open(ServerUrl());
            admin->execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
            for (const QString& role : m_logins + groups)
                admin->execute(QStringLiteral("DROP ROLE IF EXISTS %1").arg(Schema::Quoted(role)));
        } catch (const std::exception& error) {
            ADD_FAILURE() << "could not drop test schema " << m_schema.toStdString() << ": " << error.what();
        }
    }
}

QString TestDatabase::uniqueName(const QString& base) {
    if (m_schema.isEmpty())
        return base;
    const QString name = base + m_schema.mid(2);
    m_logins << name;
    return name;
}

QString TestDatabase::login(const QString& base, const QStringList& rights) {
    Schema::Secure(*m_session);
    const QString name = uniqueName(base);
    const QString password = QStringLiteral("pw-%1-%2").arg(base).arg(QRandomGenerator::global()->generate());
    UserAdmin(*m_session).Add(name, {}, rights, password);
    m_passwords[name] = password;
    return name;
}

QString TestDatabase::targetAs(const QString& name, const QString& password) const {
    QUrl url(m_target);
    url.setUserName(name);
    url.setPassword(password);
    return url.toString();
}

QString TestDatabase::signInRefusal(const QString& name, const QString& password) const {
    try {
        SqlSession::Open(targetAs(name, password));
        return {};
    } catch (const RuntimeError& error) {
        return error.description;
    }
}

QString TestDatabase::passwordRefused(const QString& name) const {
    const QUrl server(m_target);
    return QString("The database server %1:%2 refused the password of %3.")
        .arg(server.host())
        .arg(server.port())
        .arg(name);
}

std::shared_ptr<SqlConnection> TestDatabase::connection(const QString& user) {
    return std::make_shared<SqlConnection>(SqlSession::Open(m_target), user);
}

QVariant TestDatabase::scalar(const QString& sql, const QVariantList& values) {
    return m_session->scalar(sql, values);
}

void TestDatabase::execute(const QString& sql, const QVariantList& values) {
    m_session->run(sql, values);
}

int TestDatabase::count(const QString& table, const QString& where, const QVariantList& values) {
    return m_session->scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where), values)
        .toInt();
}

QMap<QString, int> TestDatabase::counts() {
    QMap<QString, int> counts;
    for (const QString& table : Schema::Tables())
        counts[table] = count(table);
    return counts;
}

void DatabaseTest::SetUp() {
    if (!TestDatabase::Available(GetParam()))
        GTEST_SKIP() << "no PostgreSQL server given (ZEVSTORE_TEST_PG_URL)";
    m_db = TestDatabase::Create(GetParam(), seeded());
}
