#pragma once

#include "database/RowCursor.h"
#include "sdk/Field.h"

// One column of a record set's current row. Long text columns hand out their text in pieces with
// GetChunk, from the start of each row.
class SqlField : public Field {
public:
    SqlField(std::shared_ptr<RowCursor> cursor, int column, bool longData)
        : m_cursor(std::move(cursor)), m_column(column), m_long(longData) {}

    Variant Value() const override { return m_cursor->value(m_column); }
    int32_t ActualSize() const override;
    int32_t Attributes() const override { return m_long ? Field::LongData : 0; }
    Variant GetChunk(int32_t size) override;

private:
    std::shared_ptr<RowCursor> m_cursor;
    int m_column;
    bool m_long;
    quint64 m_chunkRow = 0;
    qsizetype m_chunkOffset = 0;
};
