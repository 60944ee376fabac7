#pragma once

#include "widgets/FlexGrid.h"

#include <QStringList>
#include <QTest>

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

// Where a data row's cell is drawn in the grid's viewport, and a user's clicks on it.
inline QRect CellRect(const FlexGrid& grid, int32_t row, int32_t col) {
    return grid.visualRect(grid.gridModel()->index(grid.gridModel()->ViewRow(row), col));
}
inline void ClickCell(FlexGrid& grid, int32_t row, int32_t col, Qt::KeyboardModifiers keys = {}) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, keys, CellRect(grid, row, col).center());
}
inline void DoubleClickCell(FlexGrid& grid, int32_t row, int32_t col) {
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellRect(grid, row, col).center());
}
