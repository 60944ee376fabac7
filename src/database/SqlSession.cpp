#include "database/SqlSession.h"

#include "database/ConnectionFailure.h"
#include "database/DriverError.h"

#include <QAtomicInt>
#include <QSqlError>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString NextConnectionName() {
    static QAtomicInt counter;
    return QStringLiteral("zevstore-%1").arg(counter.fetchAndAddRelaxed(1));
}

bool IsServerUrl(const QString& target) {
    return target.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           target.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

} // namespace

SqlSession::SqlSession(Backend backend, QString name, QString target)
    : m_backend(backend), m_name(std::move(name)), m_target(std::move(target)) {}

std::shared_ptr<SqlSession> SqlSession::Open(const QString& target) {
    if (target.trimmed().isEmpty())
        throw RuntimeError(ErrorNumbers::ConnectionFailed, QStringLiteral("No database was named."));
    const QString name = NextConnectionName();
    const bool server = IsServerUrl(target);
    std::shared_ptr<SqlSession> session(
        new SqlSession(server ? Backend::PostgreSQL : Backend::SQLite, name, target));
    QSqlDatabase db =
        QSqlDatabase::addDatabase(server ? QStringLiteral("QPSQL") : QStringLiteral("QSQLITE"), name);
    if (!db.isValid())
        throw RuntimeError(ErrorNumbers::ConnectionFailed,
                           QStringLiteral("The database driver for %1 is not installed.").arg(target));
    QString schema;
    if (server) {
        const QUrl url(target);
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
        schema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
        db.setConnectOptions(QStringLiteral("connect_timeout=10"));
    } else {
        db.setDatabaseName(target);
        // A second user of the same file waits for a lock instead of failing at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.open()) {
        // A server's refusal is one sentence; the address is never repeated with its password.
        const RuntimeError error =
            server ? RuntimeError(ErrorNumbers::ConnectionFailed,
                                  ConnectionFailure::Sentence(QUrl(target), db.lastError().databaseText()))
                   : DriverError(db.lastError(), QStringLiteral("Opening %1").arg(target));
        db = QSqlDatabase();
        session.reset();
        throw error;
    }
    if (server) {
        session->execute(QStringLiteral("SET client_min_messages TO WARNING"));
        if (!schema.isEmpty())
            session->execute(
                QStringLiteral("SET search_path TO \"%1\"").arg(QString(schema).remove(QLatin1Char('"'))));
    } else {
        session->execute(QStringLiteral("PRAGMA foreign_keys = ON"));
        session->execute(QStringLiteral("PRAGMA journal_mode = WAL"));
        session->execute(QStringLiteral("PRAGMA synchronous = NORMAL"));
    }
    return session;
}

SqlSession::~SqlSession() {
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

QSqlQuery SqlSession::prepare(const QString& sql) {
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        fail(query.lastError());
    return query;
}

void SqlSession::runPrepared(QSqlQuery& query, const QVariantList& values) {
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
    throw raised;
}

QSqlQuery SqlSession::run(const QString& sql, const QVariantList& values) {
    QSqlQuery query = prepare(sql);
    runPrepared(query, values);
    return query;
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
    QSqlQuery query(database());
    if (!query.exec(sql))
        fail(query.lastError());
}

void SqlSession::begin(bool write) {
    execute(m_backend == Backend::SQLite && write ? QStringLiteral("BEGIN IMMEDIATE")
                                                  : QStringLiteral("BEGIN"));
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
    QSqlQuery query(database());
    query.exec(QStringLiteral("ROLLBACK"));
}
