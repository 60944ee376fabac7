#pragma once

#include "sdk/StatusTypes.h"
#include "widgets/VariantTable.h"

#include <QString>

// Reading and writing the cells of a store editor table the way the save rules read them.
namespace SubTableCells {

StatusTypes Status(const VariantTable& table, int32_t row);
void setStatus(VariantTable& table, int32_t row, StatusTypes status);
// Field 0 is the status; a new row starts as stNew with the given fields filled.
int32_t AppendNew(VariantTable& table, std::initializer_list<std::pair<int32_t, Variant>> values);

QString Text(const VariantTable& table, int32_t field, int32_t row);
// The cell as a 32-bit number; empty (or never set) counts as 0.
int32_t LongOrZero(const VariantTable& table, int32_t field, int32_t row);
// The cell as a double when it holds a number (or numeric text), else 0.
double DoubleOrZero(const VariantTable& table, int32_t field, int32_t row);
// An empty cell is false.
bool Flag(const VariantTable& table, int32_t field, int32_t row);

} // namespace SubTableCells
