#include "widgets/VariantTable.h"

#include "sdk/RuntimeError.h"

size_t VariantTable::at(int32_t field, int32_t row) const {
    if (field < 0 || field >= m_fields || row < 0 || row >= m_rows)
        throw RuntimeError(9, QStringLiteral("Subscript out of range"));
    return size_t(row) * size_t(m_fields) + size_t(field);
}

const Variant& VariantTable::Value(int32_t field, int32_t row) const {
    return m_values[at(field, row)];
}

void VariantTable::setValue(int32_t field, int32_t row, const Variant& value) {
    m_values[at(field, row)] = value;
}

int32_t VariantTable::AddRow() {
    m_values.resize(m_values.size() + size_t(m_fields));
    return m_rows++;
}

void VariantTable::RemoveRow(int32_t row) {
    const auto first = m_values.begin() + qsizetype(at(0, row));
    m_values.erase(first, first + m_fields);
    --m_rows;
}

void VariantTable::Clear() {
    m_values.clear();
    m_rows = 0;
}
