#include "database/SqlSession.h"

#include "database/ConnectionFailure.h"
#include "database/DriverError.h"
#include "database/SqliteRowCursor.h"

#include <QAtomicInt>
#include <QDir>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <QUrlQuery>
#include <sqlite3.h>

namespace {

QString NextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("zevstore-%1").arg(counter.fetchAndAddRelaxed(1));
}

bool IsServerUrl(const QString& target) {
    return target.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

// A connection that cannot be opened: a server's refusal is one sentence; the address is never repeated with
// its password.
RuntimeError OpenFailure(const QSqlDatabase& db, const QString& target) {
    if (IsServerUrl(target))
        return RuntimeError(ErrorNumbers::ConnectionFailed,
                            ConnectionFailure::Sentence(QUrl(target), db.lastError().databaseText()));
    return DriverError(db.lastError(), QStringLiteral("Opening %1").arg(target));
}

RuntimeError LostConnection(const QString& detail) {
    QString text =
        QStringLiteral("The connection to the database was lost, so nothing of this change was saved; "
                       "it is opened again on the next try.");
    if (!detail.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail);
    return RuntimeError(ErrorNumbers::ConnectionFailed, text);
}

} // namespace

SqlSession::SqlSession(Backend backend, QString name, QString target, QString schema)
    : m_backend(backend), m_name(std::move(name)), m_target(std::move(target)), m_schema(std::move(schema)) {}

std::shared_ptr<SqlSession> SqlSession::Open(const QString& target) {
    if (target.trimmed().isEmpty())
        throw RuntimeError(ErrorNumbers::ConnectionFailed, QStringLiteral("No database was named."));
    const QString name = NextConnectionName();
    const bool server = IsServerUrl(target);
    const QUrl url(target);
    std::shared_ptr<SqlSession> session(
        new SqlSession(server ? Backend::PostgreSQL : Backend::SQLite, name, target,
                       server ? QUrlQuery(url).queryItemValue(QStringLiteral("schema")) : QString()));
    QSqlDatabase db =
        QSqlDatabase::addDatabase(server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    if (!db.isValid())
        throw RuntimeError(ErrorNumbers::ConnectionFailed,
                           QStringLiteral("The database driver for %1 is not installed.").arg(target));
    if (server) {
        // Without a host, libpq's own defaults apply (PGHOST, the local socket); a database must be named.
        if (!url.isValid() || (url.host().isEmpty() && url.path().size() <= 1))
            throw RuntimeError(ErrorNumbers::ConnectionFailed,
                               QStringLiteral("\"%1\" is not a valid database address.").arg(target));
        db.setHostName(url.host());
        if (url.port() > 0)
            db.setPort(url.port());
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(url.path().mid(1));
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        db.setDatabaseName(target);
        // A second user of the same file waits for a lock instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.open()) {
        const RuntimeError error = OpenFailure(db, target);
        db = QSqlDatabase();
        session.reset();
        throw error;
    }
    session->configure();
    return session;
}

void SqlSession::configure() {
    if (m_backend == Backend::PostgreSQL) {
        execute(QStringLiteral("SET client_min_messages TO WARNING"));
        if (!m_schema.isEmpty())
            execute(
                QStringLiteral("SET search_path TO \"%1\"").arg(QString(m_schema).remove(QLatin1Char('"'))));
    } else {
        execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        execute(QStringLiteral("PRAGMA journal_mode = WAL"));
        execute(QStringLiteral("PRAGMA synchronous = NORMAL"));
        // A checkpoint copies the log into the file and waits for the disk: every 4,000 pages (16 MB, one
        // hash table of the log's index, so reading costs the same) rather than SQLite's 1,000, saves wait
        // for it a quarter as often.
        execute(QStringLiteral("PRAGMA wal_autocheckpoint = 4000"));
        // The history's triggers ask the connection who is making the change.
        if (sqlite3* handle = SqliteRowCursor::Handle(*this))
            sqlite3_create_function_v2(handle, "zev_current_user", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, this,
                                       &CurrentUser, nullptr, nullptr, nullptr);
    }
}

void SqlSession::setUser(const QString& user) {
    m_user = user.toUtf8();
}

void SqlSession::CurrentUser(sqlite3_context* context, int, sqlite3_value**) {
    const auto* session = static_cast<const SqlSession*>(sqlite3_user_data(context));
    QByteArray user = session->m_user;
    if (user.isEmpty())
        user = qgetenv("USER");
    if (user.isEmpty())
        user = qgetenv("USERNAME");
    if (user.isEmpty())
        user = QDir::home().dirName().toUtf8();
    sqlite3_result_text(context, user.constData(), int(user.size()), SQLITE_TRANSIENT);
}

void SqlSession::reconnect() {
    m_prepared.clear();
    QSqlDatabase db = database();
    db.close();
    if (!db.open()) {
        const RuntimeError error = OpenFailure(db, m_target);
        db.close();
        throw error;
    }
    configure();
}

bool SqlSession::alive() {
    QSqlDatabase db = database();
    if (!db.isOpen())
        return false;
    return m_backend == Backend::SQLite || QSqlQuery(db).exec(QStringLiteral("SELECT 1"));
}

void SqlSession::injectFault(int statement, Fault fault) {
    m_faultAt = statement;
    m_statements = 0;
    m_fault = fault;
}

void SqlSession::reachStatement() {
    if (++m_statements < m_faultAt)
        return;
    m_faultAt = 0;
    if (m_fault == Fault::Fail) {
        rollback();
        throw RuntimeError(ErrorNumbers::ProviderError,
                           QStringLiteral("Statement %1 failed on purpose.").arg(m_statements));
    }
    if (m_backend == Backend::PostgreSQL) {
        // The server ends this connection; the statement then meets a lost connection.
        QSqlQuery(database()).exec(QStringLiteral("SELECT pg_terminate_backend(pg_backend_pid())"));
        return;
    }
    // Closing a SQLite file mid-transaction drops what the transaction wrote, as a crash would.
    m_inTransaction = false;
    m_prepared.clear();
    database().close();
    throw LostConnection(QStringLiteral("the database file was closed"));
}

SqlSession::~SqlSession() {
    m_prepared.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isOpen()) {
            if (m_inTransaction)
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase SqlSession::database() const {
    return QSqlDatabase::database(m_name, false);
}

pg_conn* SqlSession::postgresHandle() const {
    if (m_backend != Backend::PostgreSQL)
        return nullptr;
    const QVariant handle = database().driver()->handle();
    // The Qt driver names the handle by libpq's own struct.
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<pg_conn* const*>(handle.data());
}

QSqlQuery SqlSession::prepare(const QString& sql) {
    settle();
    if (!m_inTransaction && !database().isOpen())
        reconnect();
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!database().isOpen() || !query.prepare(sql))
        fail(query.lastError());
    return query;
}

void SqlSession::runPrepared(QSqlQuery& query, const QVariantList& values) {
    settle();
    countStatement();
    for (qsizetype i = 0; i < values.size(); ++i)
        query.bindValue(int(i), values[i]);
    if (!query.exec())
        fail(query.lastError());
}

void SqlSession::fail(const QSqlError& error) {
    const RuntimeError raised = DriverError(error);
    // A failed statement spoils the transaction on PostgreSQL; end it now, so that the statement can still
    // be released on the way out.
    rollback();
    if (alive())
        throw raised;
    // Closed, so that the next call opens the connection again.
    m_prepared.clear();
    database().close();
    throw LostConnection(error.text().trimmed());
}

QSqlQuery SqlSession::run(const QString& sql, const QVariantList& values) {
    // SQLite compiles a table's history triggers into every statement that writes it: a write is prepared
    // once per connection and run again from then on. Writes hand back no rows, so sharing one is safe.
    const bool write =
        m_backend == Backend::SQLite && (sql.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive) ||
                                         sql.startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive) ||
                                         sql.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive));
    if (write && database().isOpen())
        if (auto found = m_prepared.find(sql); found != m_prepared.end()) {
            runPrepared(found.value(), values);
            // Deliberately shared with the cache: the caller reads the number of rows changed, nothing more.
            QT_WARNING_PUSH
            QT_WARNING_DISABLE_DEPRECATED
            return found.value();
            QT_WARNING_POP
        }
    QSqlQuery query = prepare(sql);
    runPrepared(query, values);
    if (write)
        m_prepared.insert(sql, query);
    return query;
}

QVariantList SqlSession::firstRow(const QString& sql, const QVariantList& values) {
    auto found = m_prepared.find(sql);
    if (found == m_prepared.end() || !database().isOpen())
        found = m_prepared.insert(sql, prepare(sql));
    QSqlQuery& query = found.value();
    try {
        runPrepared(query, values);
    } catch (const RuntimeError&) {
        // Prepared again next time: the tables may have changed under it.
        m_prepared.remove(sql);
        throw;
    }
    QVariantList row = RowOf(query);
    // Reset at once: a statement left on a row would hold its read lock.
    query.finish();
    return row;
}

QVariantList SqlSession::RowOf(QSqlQuery& query) {
    QVariantList row;
    if (query.next())
        for (int column = 0; column < query.record().count(); ++column)
            row << query.value(column);
    else if (query.lastError().isValid())
        throw DriverError(query.lastError());
    return row;
}

QVariant SqlSession::scalar(const QString& sql, const QVariantList& values) {
    QSqlQuery query = run(sql, values);
    if (!query.next()) {
        if (query.lastError().isValid())
            throw DriverError(query.lastError());
        return {};
    }
    return query.value(0);
}

void SqlSession::execute(const QString& sql) {
    settle();
    if (!m_inTransaction && !database().isOpen())
        reconnect();
    countStatement();
    QSqlQuery query(database());
    if (!database().isOpen() || !query.exec(sql))
        fail(query.lastError());
}

void SqlSession::begin(bool write) {
    settle();
    const QString sql =
        m_backend == Backend::SQLite && write ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
    if (database().isOpen()) {
        QSqlQuery query(database());
        if (query.exec(sql)) {
            m_inTransaction = true;
            return;
        }
        if (alive())
            fail(query.lastError());
    }
    // The server restarted or the connection dropped since the last call: open it again once.
    reconnect();
    execute(sql);
    m_inTransaction = true;
}

void SqlSession::commit() {
    execute(QStringLiteral("COMMIT"));
    m_inTransaction = false;
}

void SqlSession::rollback() noexcept {
    if (!m_inTransaction)
        return;
    m_inTransaction = false;
    // A lost connection has nothing left to roll back: the server already did.
    if (!database().isOpen())
        return;
    QSqlQuery query(database());
    query.exec(QStringLiteral("ROLLBACK"));
}
