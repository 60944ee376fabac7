#include "database/RowCursor.h"

#include "database/DriverError.h"
#include "database/SqlValue.h"

void RowCursor::start(QStringList columns) {
    m_columns = std::move(columns);
    m_dateColumns.clear();
    for (const QString& column : m_columns)
        m_dateColumns.push_back(SqlValue::IsDateColumn(column));
    m_closed = false;
    next();
}

void RowCursor::next() {
    requireOpen();
    ++m_rowNumber;
    m_onRow = false;
    m_onRow = fetch();
}

void RowCursor::close() noexcept {
    if (m_closed)
        return;
    release();
    m_closed = true;
    m_onRow = false;
}

Variant RowCursor::read(int) const {
    return Variant::Null();
}

bool RowCursor::fetch() {
    return false;
}

void RowCursor::requireOpen() const {
    if (m_closed)
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
