#include "widgets/FlexGrid.h"
#include "sdk/RuntimeError.h"
#include "support/GridText.h"
#include "widgets/ClipboardRows.h"
#include "widgets/Twips.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A grid with its model under Qt's model checker for the whole test.
struct CheckedGrid {
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::Fatal};
};

QString Shown(const FlexGrid& grid, int32_t row, int32_t col) {
    const auto* model = grid.gridModel();
    return model->data(model->index(model->ViewRow(row), col), Qt::DisplayRole).toString();
}

} // namespace

TEST(FlexGrid, FormatStringRowsAndCells) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("<GroupNo|^Num Cols|>Price| External");
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_EQ(grid.TextMatrix(0, 0), "GroupNo");
    EXPECT_EQ(grid.TextMatrix(0, 3), " External");
    EXPECT_EQ(grid.ColAlignment(0), int(Qt::AlignLeft));
    EXPECT_EQ(grid.ColAlignment(1), int(Qt::AlignHCenter));
    EXPECT_EQ(grid.ColAlignment(2), int(Qt::AlignRight));
    EXPECT_EQ(grid.ColAlignment(3), -1);

    grid.AddItem("5\t1\t12.5\tx\tbeyond the last column");
    grid.AddItem("7");
    grid.AddItem("6\t\t\t", 2); // inserted before row 2
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(1, 3), "x");
    EXPECT_EQ(grid.TextMatrix(2, 0), "6");
    EXPECT_EQ(grid.TextMatrix(3, 0), "7");
    EXPECT_EQ(grid.TextMatrix(3, 2), "");

    grid.setTextMatrix(3, 1, "tab\tinside");
    EXPECT_EQ(grid.TextMatrix(3, 1), "tab inside");
    EXPECT_EQ(grid.TextMatrix(3, 0), "7");

    grid.setRowData(2, Variant(int32_t(42)));
    grid.setCellData(3, 1, Variant(int32_t(345)));
    grid.setCellBackColor(1, 1, QColor(0, 255, 255));
    grid.RemoveItem(1);
    EXPECT_EQ(grid.TextMatrix(1, 0), "6");
    EXPECT_EQ(grid.RowData(1), Variant(int32_t(42))) << "row data moves with its row";
    EXPECT_EQ(grid.CellData(2, 1), Variant(int32_t(345)));
    EXPECT_EQ(grid.CellBackColor(2, 1), QColor());
    EXPECT_THROW(grid.TextMatrix(3, 0), RuntimeError);
    grid.AddRow({"8", "Zürich ✓", "", "x", "beyond the last column"});
    EXPECT_EQ(grid.TextMatrix(3, 1), "Zürich ✓");
    EXPECT_EQ(grid.TextMatrix(3, 3), "x");

    grid.setRows(1);
    grid.setRows(3);
    EXPECT_EQ(grid.TextMatrix(2, 0), "");
}

TEST(FlexGrid, ColumnKindsShowFormattedText) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("Amount|Percentage (%)|Inserted|Active|Group|Name");
    grid.setColFormat(0, "Currency");
    grid.setColFormat(1, "#.00");
    grid.setColFormat(2, "MM/DD/YYYY hh:nn AMPM");
    grid.setColDataType(3, FlexGrid::DataType::Boolean);
    grid.setColComboList(4, "#0; |#5;Groups");
    grid.AddItem("1234.5\t2.5\t2006-03-07 14:05:00\tTrue\t5\tplain");
    grid.AddItem("-3\t.5\t\tFalse\t0\t12");
    EXPECT_EQ(Shown(grid, 1, 0), "$1,234.50");
    EXPECT_EQ(Shown(grid, 1, 1), "2.50");
    EXPECT_EQ(Shown(grid, 1, 2), "03/07/2006 02:05 PM");
    EXPECT_EQ(Shown(grid, 1, 3), "");
    EXPECT_EQ(Shown(grid, 1, 4), "Groups");
    EXPECT_EQ(Shown(grid, 2, 4), " ");
    EXPECT_EQ(grid.TextMatrix(1, 0), "1234.5") << "the cell keeps the number; only the display is formatted";
    EXPECT_EQ(grid.TextMatrix(1, 4), "5");

    const auto* model = grid.gridModel();
    EXPECT_EQ(model->data(model->index(0, 3), Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_EQ(model->data(model->index(1, 3), Qt::CheckStateRole).toInt(), Qt::Unchecked);
    // General alignment: numbers right, text left.
    auto horizontal = [&](int row, int col) {
        return model->data(model->index(row, col), Qt::TextAlignmentRole).value<Qt::Alignment>() &
               Qt::AlignHorizontal_Mask;
    };
    EXPECT_EQ(horizontal(1, 5), Qt::AlignRight);
    EXPECT_EQ(horizontal(0, 5), Qt::AlignLeft);
}

TEST(FlexGrid, HiddenRowsAndColumns) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("Status|Orig|Id");
    for (int i = 1; i <= 4; ++i)
        grid.AddItem(QString("0\t%1\t%1").arg(i));
    grid.setColHidden(0, true);
    grid.setColHidden(1, true);

    grid.setRow(3);
    grid.setRowHidden(2, true);
    EXPECT_EQ(grid.gridModel()->rowCount(), 3);
    EXPECT_EQ(grid.TextMatrix(2, 2), "2") << "a hidden row keeps its cells";
    EXPECT_EQ(grid.Row(), 3) << "the current row survives rows hiding before it";
    EXPECT_EQ(Shown(grid, 3, 2), "3");

    grid.RemoveItem(1);
    EXPECT_TRUE(grid.RowHidden(1));
    EXPECT_EQ(grid.gridModel()->rowCount(), 2);

    // Hidden columns stay hidden when the grid is refilled.
    grid.setRedraw(false);
    grid.setRows(1);
    grid.AddItem("1\t2\t3");
    grid.setRedraw(true);
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_FALSE(grid.isColumnHidden(2));
}

TEST(FlexGrid, OutlineFoldsRowsUnderNodes) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("Product Group|Product|Type|Product Name");
    grid.setOutlineBar(true);
    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
    grid.resize(600, 300);
    grid.show();
    grid.setRedraw(false);
    int32_t previous = -1;
    for (int32_t group : {1, 1, 5, 5, 5, 7}) {
        grid.AddItem(QString("%1 Group\t10\tT\tName").arg(group));
        grid.setIsSubtotal(grid.Rows() - 1, group != previous);
        grid.setRowOutlineLevel(grid.Rows() - 1, 0);
        previous = group;
    }
    grid.setRedraw(true);
    EXPECT_EQ(grid.gridModel()->rowCount(), 6);

    grid.Outline(0);
    std::vector<int32_t> shown;
    for (int v = 0; v < grid.gridModel()->rowCount(); ++v)
        shown.push_back(grid.gridModel()->GridRow(v));
    EXPECT_EQ(shown, (std::vector<int32_t>{1, 3, 6})) << "collapsed to level 0 only the nodes show";
    EXPECT_EQ(grid.verticalHeader()->count(), 3);

    // Clicking a node's symbol opens it.
    const QRect cell = CellRect(grid, 3, 0);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.topLeft() + QPoint(7, cell.height() / 2));
    EXPECT_FALSE(grid.IsCollapsed(3));
    EXPECT_TRUE(grid.RowShown(4));
    EXPECT_TRUE(grid.RowShown(5));
    EXPECT_FALSE(grid.RowShown(2));

    // Rows before the first node belong to no node and always show.
    grid.setIsSubtotal(1, false);
    EXPECT_TRUE(grid.RowShown(2));

    grid.Outline(-1);
    EXPECT_EQ(grid.gridModel()->rowCount(), 6);
}

TEST(FlexGrid, RedrawSuspendedKeepsTheCurrentCell) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("A|B");
    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
    for (int i = 1; i <= 10; ++i)
        grid.AddItem(QString("%1\tb").arg(i));
    EXPECT_EQ(grid.Row(), 1) << "the cursor starts on the first data row";
    grid.setRedraw(false);
    grid.setRows(1);
    for (int i = 1; i <= 100; ++i)
        grid.AddItem(QString("%1\tb").arg(i));
    grid.setRow(50);
    grid.setCol(1);
    grid.setTextMatrix(100, 1, "the widest text of all the rows");
    grid.RemoveItem(2);
    grid.AutoSize(); // while suspended, as the forms do before they let the grid draw
    EXPECT_EQ(grid.Row(), 50);
    EXPECT_EQ(grid.gridModel()->rowCount(), 10) << "views see nothing until redraw resumes";
    grid.setRedraw(true);
    EXPECT_EQ(grid.gridModel()->rowCount(), 99);
    EXPECT_EQ(grid.Row(), 50);
    EXPECT_GT(grid.columnWidth(1), grid.fontMetrics().horizontalAdvance("the widest text of all the rows"));
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_TRUE(grid.IsSelected(50));
}

TEST(FlexGrid, SelectionModes) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("ItemNo|Description|Hidden|Price");
    grid.setColHidden(2, true);
    grid.setColFormat(3, "Currency");
    for (int i = 1; i <= 5; ++i)
        grid.AddItem(QString("%1\tItem %1\tsecret\t%1.5").arg(i));
    grid.resize(500, 300);
    grid.show();

    grid.setSelectionMode(FlexGrid::SelectionMode::ByRow);
    ClickCell(grid, 2, 1);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.SelectedRows(), 1);
    ClickCell(grid, 4, 0, Qt::ControlModifier);
    EXPECT_EQ(grid.SelectedRows(), 1) << "whole-row single selection";
    EXPECT_EQ(grid.SelectedRow(0), 4);

    grid.setSelectionMode(FlexGrid::SelectionMode::ListBox);
    ClickCell(grid, 3, 0);
    ClickCell(grid, 5, 0, Qt::ControlModifier);
    ClickCell(grid, 1, 0, Qt::ControlModifier);
    EXPECT_EQ(grid.SelectedRows(), 3);
    EXPECT_EQ(grid.SelectedRow(0), 1) << "selected rows come in grid order";
    EXPECT_EQ(grid.SelectedRow(1), 3);
    EXPECT_EQ(grid.SelectedRow(2), 5);
    ClickCell(grid, 5, 0, Qt::ControlModifier);
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_FALSE(grid.IsSelected(5)) << "the current row is kept apart from the selected rows";
    EXPECT_EQ(grid.SelectedRows(), 2);
    grid.setRow(4);
    EXPECT_FALSE(grid.IsSelected(4));
    grid.setIsSelected(4, true);
    EXPECT_EQ(grid.SelectedRows(), 3);

    QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "1\tItem 1\t$1.50\n3\tItem 3\t$3.50\n4\tItem 4\t$4.50\n");
}

TEST(FlexGrid, AutoSizeFitsContentOverARange) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("A|B|C");
    grid.AddItem("x\tshort\ty");
    grid.AddItem("x\ta much longer text than the header\ty");
    grid.setColWidth(0, 300);
    grid.AutoSize(1, 1);
    const int fitted = grid.ColWidth(1);
    EXPECT_GT(fitted, grid.fontMetrics().horizontalAdvance("a much longer text than the header"));
    EXPECT_EQ(grid.ColWidth(0), 300) << "columns outside the range keep their width";
    grid.AutoSize(1, 1, 200);
    EXPECT_EQ(grid.ColWidth(1), fitted + TwipsToPixels(200, &grid));
    grid.AutoSize();
    EXPECT_LT(grid.ColWidth(0), 300);
    EXPECT_EQ(grid.columnWidth(2), grid.ColWidth(2));

    // A big grid is measured on a sample that takes in its last rows.
    grid.setRedraw(false);
    grid.setRows(1);
    for (int i = 0; i < 5000; ++i)
        grid.AddItem("x	y	z");
    grid.setTextMatrix(4999, 0, "a wide text near the end of a big grid");
    grid.setRedraw(true);
    grid.AutoSize(0, 0);
    EXPECT_GT(grid.ColWidth(0),
              grid.fontMetrics().horizontalAdvance("a wide text near the end of a big grid"));

    // Rows changed or added after sizing widen the sized columns they need, and only those.
    const QString changed = "a still wider text written into the first row after sizing";
    grid.setTextMatrix(1, 0, changed);
    EXPECT_GT(grid.ColWidth(0), grid.fontMetrics().horizontalAdvance(changed));
    const int columnC = grid.ColWidth(2);
    const QString added = "the widest text of all, in a row added after the columns were sized";
    grid.AddItem(added + "\ty\tz plus a wider text outside the sized range");
    EXPECT_GT(grid.ColWidth(0), grid.fontMetrics().horizontalAdvance(added));
    EXPECT_EQ(grid.ColWidth(2), columnC);
    grid.setFormatString("A|B|C");
    const int unsized = grid.ColWidth(0);
    grid.setTextMatrix(2, 0, added + added);
    EXPECT_EQ(grid.ColWidth(0), unsized) << "new columns wait for the form to size them";
}

// Clicks on a column title: ascending, descending, then the order the rows came in. Numbers sort as numbers,
// dates as dates, text without regard to case, empty cells first; rows keep their data and stay current and
// selected; a grid not made sortable ignores the clicks, and new rows end the sort.
TEST(FlexGrid, ClickedTitlesSortAndThenRestoreTheRows) {
    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("No|Name|When");
    grid.setColFormat(2, "mm/dd/yyyy");
    grid.setSelectionMode(FlexGrid::SelectionMode::ListBox);
    const char* rows[] = {"10\tbeta\t03/07/2006", "9\tAlpha\t12/01/2005", "100\t\t01/15/2006",
                          "9.5\tgamma\t"};
    for (const char* row : rows)
        grid.AddItem(row);
    for (int32_t row = 1; row <= 4; ++row)
        grid.setRowData(row, row);
    grid.resize(500, 300);
    grid.show();
    auto column = [&](int32_t col) { return GridColumn(grid, col).join(","); };
    auto clickTitle = [&](int col) {
        QHeaderView* header = grid.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(col) + 5, header->height() / 2));
    };
    clickTitle(0);
    EXPECT_EQ(column(0), "10,9,100,9.5") << "not sortable: the title is no button";

    grid.setSortable(true);
    grid.setRow(1);
    grid.setIsSelected(3, true);
    clickTitle(0);
    EXPECT_EQ(column(0), "9,9.5,10,100");
    EXPECT_EQ(grid.SortCol(), 0);
    EXPECT_EQ(grid.TextMatrix(grid.Row(), 0), "10") << "the current row stays with its record";
    ASSERT_EQ(grid.SelectedRows(), 1);
    EXPECT_EQ(grid.TextMatrix(grid.SelectedRow(0), 0), "100");
    EXPECT_EQ(grid.RowData(4).toInt32(), 3);
    clickTitle(0);
    EXPECT_EQ(column(0), "100,10,9.5,9");
    clickTitle(0);
    EXPECT_EQ(column(0), "10,9,100,9.5");
    EXPECT_EQ(grid.SortCol(), -1);

    clickTitle(1);
    EXPECT_EQ(column(1), ",Alpha,beta,gamma");
    clickTitle(2);
    EXPECT_EQ(column(0), "9.5,9,100,10") << "dates by date, the empty one first";
    grid.AddItem("1\tdelta\t01/01/2000");
    clickTitle(2);
    clickTitle(2);
    EXPECT_EQ(column(0), "10,9,100,9.5,1") << "back in the order the rows were added";

    clickTitle(1);
    grid.setRows(1);
    grid.AddItem("2\tz\t");
    grid.AddItem("1\ty\t");
    EXPECT_EQ(grid.SortCol(), -1);
    EXPECT_EQ(column(0), "2,1");
}

TEST(FlexGrid, PastedRowsArriveInColumnOrderWithoutTheirTitles) {
    using Rows = QList<QStringList>;
    const struct {
        QString text;
        Rows rows;
    } texts[] = {
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        {"\"x\ty\"\t\"say \"\"hi\"\"\"\r\n\"two\r\nlines\"\tz",
         {{"x\ty", "say \"hi\""}, {"two\r\nlines", "z"}}},
        {"a\n\n \t \r\tb\r", {{"a"}, {"", "b"}}},
    };
    for (const auto& t : texts)
        EXPECT_EQ(ClipboardRows::Parse(t.text), t.rows) << t.text.toStdString();
    const Rows titled{{" <Item No ", "description"}, {"1", "x"}};
    EXPECT_EQ(ClipboardRows::WithoutHeader(titled, {"Item No", "^Description"}), Rows({{"1", "x"}}));
    EXPECT_EQ(ClipboardRows::WithoutHeader(titled, {"Item No", "Price"}), titled);

    CheckedGrid checked;
    FlexGrid& grid = checked.grid;
    grid.setFormatString("ItemNo|Hidden|<Description|Price");
    grid.setColHidden(1, true);
    grid.setColFormat(3, "Currency");
    grid.AddItem("1\tsecret\t\t1.5");
    grid.setTextMatrix(1, 2, "\"Say\" hi");
    grid.setEditable(true);
    grid.show();
    QSignalSpy pasted(&grid, &FlexGrid::PasteRows);
    QSignalSpy undone(&grid, &FlexGrid::UndoPaste);
    QAction* menu = grid.findChild<QAction*>("mnuPaste");
    ASSERT_TRUE(menu);
    grid.setRow(1);
    grid.CopyWithHeaders();
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(menu->isVisible());
    EXPECT_EQ(pasted.count(), 0) << "a grid that takes no pastes";

    grid.setPasteable(true);
    EXPECT_TRUE(menu->isVisible());
    QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(pasted.count(), 1);
    EXPECT_EQ(pasted[0][0].value<Rows>(), Rows({{"1", "\"Say\" hi", "$1.50"}}))
        << "our own Copy, titles left out";
    QTest::keyClick(&grid, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(undone.count(), 1);

    // In an open cell Ctrl+V pastes text into the cell.
    QApplication::clipboard()->setText("typed");
    grid.setCol(2);
    grid.EditCell();
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    ASSERT_TRUE(editor);
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), "typed");
    EXPECT_EQ(pasted.count(), 1);
}
