#include "database/PostgresRowCursor.h"

#include "database/SqlValue.h"

#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlRecord>
#include <algorithm>
#include <cmath>
#include <libpq-fe.h>
#include <vector>

namespace {

// The first batch covers a screenful. Later ones grow while a batch arrives quickly, so that a million rows
// take few round trips, and shrink again when one keeps the window waiting (a loaded server).
constexpr int FirstBatch = 128;
constexpr int LargestBatch = 16384;
constexpr qint64 QuickBatchMs = 10;
constexpr qint64 SlowBatchMs = 30;
const QString CursorName = QStringLiteral("zev_rows");

bool PlainValue(const QVariant& value) {
    if (value.isNull())
        return true;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::Bool:
    case QMetaType::QString:
        return true;
    case QMetaType::Double:
        return std::trunc(value.toDouble()) == value.toDouble();
    default:
        return false;
    }
}

QByteArray ValueText(const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    if (value.typeId() == QMetaType::Double)
        return QByteArray::number(value.toDouble(), 'f', 0);
    return QByteArray::number(value.toLongLong());
}

// "?" placeholders become "$1", "$2", ...; quoted text is left alone.
QString Numbered(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 16);
    QChar quote;
    int number = 0;
    for (const QChar c : sql) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('$') + QString::number(++number);
            continue;
        }
        out += c;
    }
    return out;
}

} // namespace

bool PostgresRowCursor::Fits(const SqlSession& session, const QString& sql, const QVariantList& values) {
    return session.backend() == Backend::PostgreSQL && !session.inTransaction() &&
           sql.trimmed().startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) &&
           std::all_of(values.begin(), values.end(), PlainValue);
}

PostgresRowCursor::PostgresRowCursor(std::shared_ptr<SqlSession> session, const QString& sql,
                                     const QVariantList& values)
    : m_session(std::move(session)), m_batch(FirstBatch) {
    declare(sql, values);
    m_rows = fetchRows(m_batch);
    QStringList columns;
    const QSqlRecord record = m_rows.record();
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    try {
        start(columns);
    } catch (...) {
        release();
        throw;
    }
}

void PostgresRowCursor::declare(const QString& sql, const QVariantList& values) {
    m_session->begin(false);
    PGconn* connection = m_session->postgresHandle();
    std::vector<QByteArray> texts;
    texts.reserve(size_t(values.size()));
    std::vector<const char*> parameters;
    for (const QVariant& value : values) {
        texts.push_back(value.isNull() ? QByteArray() : ValueText(value));
        parameters.push_back(value.isNull() ? nullptr : texts.back().constData());
    }
    const QByteArray text =
        QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR %2").arg(CursorName, Numbered(sql)).toUtf8();
    PGresult* result = connection ? PQexecParams(connection, text.constData(), int(parameters.size()),
                                                 nullptr, parameters.data(), nullptr, nullptr, 0)
                                  : nullptr;
    if (PQresultStatus(result) != PGRES_COMMAND_OK) {
        const QString message = QString::fromUtf8(result       ? PQresultErrorMessage(result)
                                                  : connection ? PQerrorMessage(connection)
                                                               : "no connection")
                                    .trimmed();
        const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
        PQclear(result);
        m_session->fail(QSqlError(QStringLiteral("Unable to open the rows"), message,
                                  QSqlError::StatementError, state ? QString::fromLatin1(state) : QString()));
    }
    PQclear(result);
    m_open = true;
    m_session->holdFor([this] { readRest(); });
}

QSqlQuery PostgresRowCursor::fetchRows(int count) {
    QElapsedTimer timer;
    timer.start();
    QSqlQuery query(m_session->database());
    // Not forward-only: the driver then takes each batch whole, and its rows stay readable after COMMIT.
    query.setForwardOnly(false);
    const QString sql = count > 0 ? QStringLiteral("FETCH %1 FROM %2").arg(count).arg(CursorName)
                                  : QStringLiteral("FETCH ALL FROM %1").arg(CursorName);
    if (!query.exec(sql)) {
        m_open = false;
        m_session->releaseHold();
        m_session->fail(query.lastError());
    }
    if (count == 0 || query.size() < count) {
        finish();
        return query;
    }
    if (timer.elapsed() < QuickBatchMs)
        m_batch = std::min(m_batch * 2, LargestBatch);
    else if (timer.elapsed() > SlowBatchMs)
        m_batch = std::max(m_batch / 2, FirstBatch);
    return query;
}

void PostgresRowCursor::finish() {
    m_open = false;
    m_session->releaseHold();
    m_session->commit();
}

void PostgresRowCursor::readRest() noexcept {
    try {
        m_rest = fetchRows(0);
    } catch (const RuntimeError& error) {
        m_lost = error;
    }
}

Variant PostgresRowCursor::read(int column) const {
    return SqlValue::ToVariant(m_rows.value(column), isDateColumn(column));
}

bool PostgresRowCursor::fetch() {
    for (;;) {
        if (m_rows.next())
            return true;
        if (m_rest.isActive()) {
            m_rows = std::exchange(m_rest, QSqlQuery());
            continue;
        }
        if (m_lost)
            throw *std::exchange(m_lost, std::nullopt);
        if (!m_open)
            return false;
        m_rows = fetchRows(m_batch);
    }
}

void PostgresRowCursor::release() noexcept {
    m_rows = QSqlQuery();
    m_rest = QSqlQuery();
    if (!m_open)
        return;
    m_open = false;
    m_session->releaseHold();
    try {
        m_session->commit();
    } catch (...) {
        m_session->rollback();
    }
}
