#include "database/SqliteRowCursor.h"

#include "database/SqlValue.h"
#include "sdk/RuntimeError.h"

#include <QSqlDriver>
#include <limits>
#include <sqlite3.h>

sqlite3* SqliteRowCursor::Handle(const SqlSession& session) {
    if (session.backend() != Backend::SQLite)
        return nullptr;
    const QVariant handle = session.database().driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

SqliteRowCursor::SqliteRowCursor(std::shared_ptr<SqlSession> session, sqlite3* handle, const QString& sql,
                                 const QVariantList& values)
    : m_session(std::move(session)), m_handle(handle) {
    const QByteArray text = sql.toUtf8();
    int code = sqlite3_prepare_v2(m_handle, text.constData(), int(text.size()), &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
    for (int i = 0; i < int(values.size()); ++i) {
        const QVariant& value = values[i];
        const int index = i + 1;
        if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isNull())) {
            code = sqlite3_bind_null(m_statement, index);
            continue;
        }
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UInt:
        case QMetaType::Bool:
            code = sqlite3_bind_int64(m_statement, index, value.toLongLong());
            break;
        case QMetaType::Double:
            code = sqlite3_bind_double(m_statement, index, value.toDouble());
            break;
        default: {
            const QByteArray bytes = value.toString().toUtf8();
            code =
                sqlite3_bind_text(m_statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        }
        }
        if (code != SQLITE_OK) {
            sqlite3_finalize(m_statement);
            m_statement = nullptr;
            fail(code);
        }
    }
    QStringList columns;
    for (int i = 0; i < sqlite3_column_count(m_statement); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(m_statement, i));
    try {
        start(columns);
    } catch (...) {
        release();
        throw;
    }
}

void SqliteRowCursor::fail(int code) const {
    throw RuntimeError(code, QString::fromUtf8(sqlite3_errmsg(m_handle)));
}

Variant SqliteRowCursor::read(int column) const {
    switch (sqlite3_column_type(m_statement, column)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 number = sqlite3_column_int64(m_statement, column);
        if (number >= std::numeric_limits<int32_t>::min() && number <= std::numeric_limits<int32_t>::max())
            return Variant(int32_t(number));
        return Variant(double(number));
    }
    case SQLITE_FLOAT:
        return Variant(sqlite3_column_double(m_statement, column));
    case SQLITE_NULL:
        return Variant::Null();
    default: {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
        const QString text = QString::fromUtf8(bytes, sqlite3_column_bytes(m_statement, column));
        if (isDateColumn(column)) {
            const QDateTime date = SqlValue::ParseDate(text);
            if (date.isValid())
                return Variant(date);
        }
        return Variant(text);
    }
    }
}

bool SqliteRowCursor::fetch() {
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(code);
}

void SqliteRowCursor::release() noexcept {
    if (m_statement)
        sqlite3_finalize(m_statement);
    m_statement = nullptr;
}
