#pragma once

#include "database/SqlSession.h"
#include "sdk/Variant.h"

#include <QSqlQuery>
#include <QStringList>
#include <memory>

// The open rows behind a record set and its fields: a forward-only query positioned on the current row.
// It keeps the session alive for as long as anyone holds a field.
class RowCursor {
public:
    // A cursor over a query that has run; it moves onto the first row. Without a query it is closed.
    RowCursor(std::shared_ptr<SqlSession> session, std::unique_ptr<QSqlQuery> query);

    bool closed() const { return !m_query; }
    bool onRow() const { return m_onRow; }
    // Counts the rows moved over, so fields know when their chunk position starts again.
    quint64 rowNumber() const { return m_rowNumber; }
    const QStringList& columns() const { return m_columns; }

    Variant value(int column) const;
    void next();
    void close() noexcept;
    // Raised when there is no current row or the rows were closed.
    void requireRow() const;
    void requireOpen() const;

private:
    std::shared_ptr<SqlSession> m_session;
    std::unique_ptr<QSqlQuery> m_query;
    QStringList m_columns;
    std::vector<bool> m_dateColumns;
    bool m_onRow = false;
    quint64 m_rowNumber = 0;
};
