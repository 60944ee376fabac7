#include "store/editors/store/SubTableCells.h"

namespace SubTableCells {

namespace {

bool IsBlank(const Variant& value) {
    return value.isEmpty() || value.isNull() ||
           (value.type() == Variant::Type::String && value.toText().isEmpty());
}

} // namespace

StatusTypes Status(const VariantTable& table, int32_t row) {
    const Variant& value = table.Value(0, row);
    return IsBlank(value) ? stUnchanged : StatusTypes(value.toInt16());
}

void setStatus(VariantTable& table, int32_t row, StatusTypes status) {
    table.setValue(0, row, Variant(int16_t(status)));
}

int32_t AppendNew(VariantTable& table, std::initializer_list<std::pair<int32_t, Variant>> values) {
    const int32_t row = table.AddRow();
    setStatus(table, row, stNew);
    for (const auto& [field, value] : values)
        table.setValue(field, row, value);
    return row;
}

QString Text(const VariantTable& table, int32_t field, int32_t row) {
    return table.Value(field, row).toText();
}

int32_t LongOrZero(const VariantTable& table, int32_t field, int32_t row) {
    const Variant& value = table.Value(field, row);
    return IsBlank(value) ? 0 : value.toInt32();
}

double DoubleOrZero(const VariantTable& table, int32_t field, int32_t row) {
    const Variant& value = table.Value(field, row);
    return IsBlank(value) || !IsNumeric(value) ? 0.0 : value.toDouble();
}

bool Flag(const VariantTable& table, int32_t field, int32_t row) {
    const Variant& value = table.Value(field, row);
    return IsBlank(value) ? false : value.toBool();
}

} // namespace SubTableCells
