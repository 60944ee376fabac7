#include "database/SqlRecordset.h"

#include "database/SqlValue.h"
#include "sdk/RuntimeError.h"

SqlRecordset::SqlRecordset(std::shared_ptr<RowCursor> cursor) : m_cursor(std::move(cursor)) {
    const QStringList& columns = m_cursor->columns();
    for (int i = 0; i < columns.size(); ++i)
        m_fields.push_back(std::make_shared<SqlField>(m_cursor, i, SqlValue::IsLongColumn(columns[i])));
}

SqlRecordset::~SqlRecordset() {
    m_cursor->close();
}

bool SqlRecordset::Eof() const {
    m_cursor->requireOpen();
    return !m_cursor->onRow();
}

std::shared_ptr<Field> SqlRecordset::Fields(const QString& name) {
    m_cursor->requireOpen();
    // Callers ask for the same names row after row, usually the very same strings: look those up first.
    for (const auto& [asked, index] : m_asked)
        if (asked.constData() == name.constData() || asked == name) {
            m_cursor->requireRow();
            return m_fields[size_t(index)];
        }
    const QStringList& columns = m_cursor->columns();
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(name, Qt::CaseInsensitive) == 0) {
            m_asked.emplace_back(name, i);
            m_cursor->requireRow();
            return m_fields[size_t(i)];
        }
    throw ItemNotFound(name);
}

void SqlRecordset::MoveNext() {
    m_cursor->requireRow();
    m_cursor->next();
}
