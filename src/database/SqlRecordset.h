#pragma once

#include "database/SqlField.h"
#include "sdk/Recordset.h"

#include <vector>

// The rows of a procedure or query, streamed forward only: nothing is read ahead of the current row.
class SqlRecordset : public Recordset {
public:
    explicit SqlRecordset(std::shared_ptr<RowCursor> cursor);
    ~SqlRecordset() override;

    bool Eof() const override;
    std::shared_ptr<Field> Fields(const QString& name) override;
    void MoveNext() override;
    int32_t State() const override { return m_cursor->closed() ? StateClosed : StateOpen; }
    void Close() override { m_cursor->close(); }

    // Column names in the order the query gives them.
    const QStringList& columns() const { return m_cursor->columns(); }

private:
    std::shared_ptr<RowCursor> m_cursor;
    std::vector<std::shared_ptr<SqlField>> m_fields;
    std::vector<std::pair<QString, int>> m_asked; // names asked for, with their column
};
