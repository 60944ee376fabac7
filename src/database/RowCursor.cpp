#include "database/RowCursor.h"

#include "database/DriverError.h"
#include "database/SqlValue.h"

#include <QSqlError>
#include <QSqlRecord>

RowCursor::RowCursor(std::shared_ptr<SqlSession> session, std::unique_ptr<QSqlQuery> query)
    : m_session(std::move(session)), m_query(std::move(query)) {
    if (!m_query)
        return;
    const QSqlRecord record = m_query->record();
    for (int i = 0; i < record.count(); ++i) {
        m_columns << record.fieldName(i);
        m_dateColumns.push_back(SqlValue::IsDateColumn(record.fieldName(i)));
    }
    next();
}

Variant RowCursor::value(int column) const {
    requireRow();
    return SqlValue::ToVariant(m_query->value(column), m_dateColumns[size_t(column)]);
}

void RowCursor::next() {
    m_onRow = m_query->next();
    ++m_rowNumber;
    if (!m_onRow && m_query->lastError().isValid())
        throw DriverError(m_query->lastError());
}

void RowCursor::close() noexcept {
    if (m_query)
        m_query->finish();
    m_query.reset();
    m_onRow = false;
}

void RowCursor::requireOpen() const {
    if (closed())
        throw RuntimeError(ErrorNumbers::ObjectClosed,
                           QStringLiteral("Operation is not allowed when the object is closed."));
}

void RowCursor::requireRow() const {
    requireOpen();
    if (!m_onRow)
        throw RuntimeError(
            ErrorNumbers::NoCurrentRecord,
            QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                           "Requested operation requires a current record."));
}
