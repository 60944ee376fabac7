#include "widgets/GridKeys.h"
#include "support/GridText.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QImage>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// A grid between two buttons, as the forms place them, in an active window.
struct GridForm {
    GridForm() {
        auto* layout = new QVBoxLayout(&window);
        before = new QPushButton("Before", &window);
        grid = new FlexGrid(&window);
        after = new QPushButton("After", &window);
        layout->addWidget(before);
        layout->addWidget(grid);
        layout->addWidget(after);
        grid->setFormatString("No|Name");
        for (int i = 1; i <= 3; ++i)
            grid->AddItem(QString("%1\tRow %1").arg(i));
        window.resize(300, 300);
        window.show();
        QApplication::setActiveWindow(&window);
    }
    QWidget window;
    QPushButton* before;
    FlexGrid* grid;
    QPushButton* after;
};

// Tab leaves the grid both ways; the command keys run the row's commands, and not while a cell is edited;
// the focused grid frames its current row.
TEST(GridKeys, TabLeavesTheGridAndTheCommandKeysRunTheRowCommands) {
    GridForm form;
    FlexGrid& grid = *form.grid;
    QStringList ran;
    GridKeys::Attach(&grid, {[&] { ran << "open " + QString::number(grid.Row()); },
                             [&] { ran << "delete " + QString::number(grid.Row()); }, [&] { ran << "add"; }});
    grid.setFocus();
    grid.setRow(2);
    QTest::keyClick(&grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.after);
    QTest::keyClick(form.after, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), &grid);
    QTest::keyClick(&grid, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), form.before);

    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Return);
    QTest::keyClick(&grid, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&grid, Qt::Key_Down);
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClick(&grid, Qt::Key_Delete);
    QTest::keyClick(&grid, Qt::Key_Insert);
    QTest::keyClick(&grid, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&grid, Qt::Key_N, Qt::ShiftModifier); // no command
    EXPECT_EQ(ran, QStringList({"open 2", "open 2", "open 3", "delete 3", "add", "add"}));

    ran.clear();
    grid.setEditable(true);
    grid.setRow(1);
    grid.EditCell();
    ASSERT_TRUE(grid.Editing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(ran.isEmpty()) << "keys typed into a cell are the cell's";
    grid.setFocus();
    grid.EditCell();
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(grid.TextMatrix(1, 0), "typed") << "Tab in a cell stores it";
    EXPECT_EQ(QApplication::focusWidget(), form.after) << "and leaves the grid";
    EXPECT_FALSE(grid.Editing());
    grid.setEditable(false);

    // The current row is framed only while the grid has the focus.
    grid.setRow(2);
    grid.setFocus();
    const QImage focused = grid.viewport()->grab().toImage();
    form.after->setFocus();
    const QImage unfocused = grid.viewport()->grab().toImage();
    const QRect row = CellRect(grid, 2, 0);
    EXPECT_NE(focused.copy(row), unfocused.copy(row));
    const QRect other = CellRect(grid, 3, 0);
    EXPECT_EQ(focused.copy(other), unfocused.copy(other));
}

} // namespace
