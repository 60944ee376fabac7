#pragma once

#include "sdk/Variant.h"

#include <cstdint>
#include <vector>

// A two-dimensional array of variants indexed (field, row), both from 0: the in-memory table a grid can be
// bound to, so that cell edits land in the table directly.
class VariantTable {
public:
    explicit VariantTable(int32_t fields = 0) : m_fields(fields) {}

    int32_t Fields() const { return m_fields; }
    int32_t Rows() const { return m_rows; }

    // Out-of-range subscripts raise "Subscript out of range" (9), as an array would.
    const Variant& Value(int32_t field, int32_t row) const;
    void setValue(int32_t field, int32_t row, const Variant& value);

    // Appends an empty row and returns its index.
    int32_t AddRow();
    void RemoveRow(int32_t row);
    // Drops every row; the field count stays.
    void Clear();

private:
    size_t at(int32_t field, int32_t row) const;

    int32_t m_fields = 0;
    int32_t m_rows = 0;
    std::vector<Variant> m_values; // row-major: a row's fields are adjacent
};
