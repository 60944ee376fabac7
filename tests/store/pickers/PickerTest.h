#pragma once

#include "store/records/RecordTest.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>
#include <QTest>

// What the picker tests share: the scripted connection of a record test, and a user working a grid.
class PickerTest : public RecordTest {
protected:
    static QStringList Cells(const FlexGrid& grid, int32_t row) {
        QStringList cells;
        for (int32_t c = 0; c < grid.Cols(); ++c)
            cells << grid.TextMatrix(row, c);
        return cells;
    }
    static QString Shown(const FlexGrid& grid, int32_t row, int32_t col) {
        return grid.gridModel()->DisplayText(row, col);
    }
    static QRect CellRect(const FlexGrid& grid, int32_t row, int32_t col) {
        return grid.visualRect(grid.gridModel()->index(grid.gridModel()->ViewRow(row), col));
    }
    static void Click(FlexGrid& grid, int32_t row, int32_t col, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, keys, CellRect(grid, row, col).center());
    }
    static void DoubleClick(FlexGrid& grid, int32_t row, int32_t col) {
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, CellRect(grid, row, col).center());
    }
    // The grid of a shown dialog, so that its cells have a place on the screen.
    template <typename Dialog> static FlexGrid& ShownGrid(Dialog& dialog, const char* name = "gdItems") {
        dialog.show();
        return *dialog.template findChild<FlexGrid*>(name);
    }
    static QPushButton* Button(QWidget& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(name);
    }
};
