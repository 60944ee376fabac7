#pragma once

#include "sdk/Variant.h"

#include <QStringList>
#include <memory>
#include <vector>

// The open rows behind a record set and its fields, positioned on the current row and moving forward only.
// This base holds no rows (a procedure that hands back none); SqliteRowCursor and PostgresRowCursor stream
// a query's rows, QtRowCursor reads them through the Qt driver.
class RowCursor {
public:
    RowCursor() = default;
    virtual ~RowCursor() = default;
    RowCursor(const RowCursor&) = delete;
    RowCursor& operator=(const RowCursor&) = delete;

    bool closed() const { return m_closed; }
    bool onRow() const { return m_onRow; }
    // Counts the moves, so fields know when their chunk position starts again.
    quint64 rowNumber() const { return m_rowNumber; }
    const QStringList& columns() const { return m_columns; }

    Variant value(int column) const {
        requireRow();
        return read(column);
    }
    void next();
    void close() noexcept;
    // Raised when there is no current row or the rows were closed.
    void requireRow() const;
    void requireOpen() const;

protected:
    // Called by a subclass once its columns are known: opens the rows and moves onto the first.
    void start(QStringList columns);
    bool isDateColumn(int column) const { return m_dateColumns[size_t(column)]; }

    virtual Variant read(int column) const;
    // Moves to the next row; false at the end. Raises the driver's error.
    virtual bool fetch();
    virtual void release() noexcept {}

private:
    QStringList m_columns;
    std::vector<bool> m_dateColumns;
    bool m_closed = true;
    bool m_onRow = false;
    quint64 m_rowNumber = 0;
};
