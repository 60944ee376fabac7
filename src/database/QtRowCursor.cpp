#include "database/QtRowCursor.h"

#include "database/DriverError.h"
#include "database/SqlValue.h"

#include <QSqlError>
#include <QSqlRecord>

QtRowCursor::QtRowCursor(std::shared_ptr<SqlSession> session, QSqlQuery query)
    : m_session(std::move(session)), m_query(std::move(query)) {
    QStringList columns;
    const QSqlRecord record = m_query.record();
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    start(columns);
}

Variant QtRowCursor::read(int column) const {
    return SqlValue::ToVariant(m_query.value(column), isDateColumn(column));
}

bool QtRowCursor::fetch() {
    if (m_query.next())
        return true;
    if (m_query.lastError().isValid())
        throw DriverError(m_query.lastError());
    return false;
}

void QtRowCursor::release() noexcept {
    m_query.finish();
    m_query = QSqlQuery();
}
