#pragma once

#include "widgets/FlexGrid.h"

#include <QStringList>

// The texts of a grid's column from its first data row down.
inline QStringList GridColumn(const FlexGrid& grid, int32_t col) {
    QStringList cells;
    for (int32_t row = 1; row < grid.Rows(); ++row)
        cells << grid.TextMatrix(row, col);
    return cells;
}

// The texts of one of a grid's rows, the title row being 0.
inline QStringList GridCells(const FlexGrid& grid, int32_t row) {
    QStringList cells;
    for (int32_t col = 0; col < grid.Cols(); ++col)
        cells << grid.TextMatrix(row, col);
    return cells;
}
