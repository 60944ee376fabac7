#include "support/GridText.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/FlexGridDelegate.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A store editor's groups tab in small: status, original number, group number, display type, manual
// invoice, fee group, item button; bound to its table.
class BoundGrid : public ::testing::Test {
protected:
    void SetUp() override {
        table->setValue(0, table->AddRow(), Variant(int16_t(0)));
        table->setValue(2, 0, Variant(int32_t(5)));
        table->setValue(3, 0, Variant("Button"));
        table->setValue(4, 0, Variant(false));
        table->setValue(5, 0, Variant(int32_t(0)));
        grid.setFormatString("Status|Orig|<GroupNo|Display Product As|^Manual Inv|Group|Item");
        grid.setColHidden(0, true);
        grid.setColHidden(1, true);
        grid.setColComboList(3, "<None>|Button|Hyperlink");
        grid.setColDataType(4, FlexGrid::DataType::Boolean);
        grid.setColComboList(5, "#0; |#5;Groups|#7;Seven");
        grid.setColComboList(6, "...");
        grid.setEditable(true);
        grid.BindTo(table);
        grid.resize(700, 300);
        grid.show();
        QObject::connect(&grid, &FlexGrid::BeforeEdit, [this](int32_t row, int32_t col, bool& cancel) {
            events << QString("before %1,%2").arg(row).arg(col);
            cancel = refuseCol == col;
        });
        QObject::connect(&grid, &FlexGrid::ValidateEdit,
                         [this](int32_t row, int32_t col, const QString& text, bool& cancel) {
                             events << QString("validate %1,%2 %3").arg(row).arg(col).arg(text);
                             if (col == 2 && (text.isEmpty() || !IsNumericText(text) || text == "0")) {
                                 MsgBox("You must supply a valid group number.", MsgBoxStyle::Information,
                                        "Invalid group number");
                                 cancel = true;
                             }
                         });
        QObject::connect(&grid, &FlexGrid::AfterEdit, [this](int32_t row, int32_t col) {
            events << QString("after %1,%2").arg(row).arg(col);
        });
        QObject::connect(&grid, &FlexGrid::CellButtonClick, [this](int32_t row, int32_t col) {
            events << QString("button %1,%2").arg(row).arg(col);
        });
    }

    QModelIndex cell(int32_t row, int32_t col) const {
        return grid.gridModel()->index(grid.gridModel()->ViewRow(row), col);
    }
    QWidget* startEditing(int32_t row, int32_t col) {
        grid.setRow(row);
        grid.setCol(col);
        grid.EditCell();
        return grid.indexWidget(cell(row, col));
    }
    void press(QWidget* editor, Qt::Key key) {
        QTest::keyClick(editor, key);
        QApplication::processEvents(); // the editor commits after it has seen the key
    }

    std::shared_ptr<VariantTable> table = std::make_shared<VariantTable>(7);
    FlexGrid grid;
    QAbstractItemModelTester tester{grid.gridModel(), QAbstractItemModelTester::FailureReportingMode::Fatal};
    QStringList events;
    int32_t refuseCol = -1;
};

} // namespace

TEST_F(BoundGrid, RefusedValueKeepsTheEditorOpenAndTheOldValue) {
    table->setValue(2, table->AddRow(), Variant(int32_t(9)));
    grid.Refresh();
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::OK);
    auto* editor = qobject_cast<QLineEdit*>(startEditing(1, 2));
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "5");
    editor->selectAll();
    QTest::keyClicks(editor, "abc");
    press(editor, Qt::Key_Return);

    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Invalid group number");
    EXPECT_EQ(grid.indexWidget(cell(1, 2)), editor) << "the editor stays open";
    EXPECT_EQ(editor->text(), "abc");
    EXPECT_EQ(table->Value(2, 0), Variant(int32_t(5))) << "the table keeps the old value";

    // Clicking another cell with the refused text keeps the editor and the cursor there, without asking
    // twice.
    ClickCell(grid, 2, 3);
    QApplication::processEvents();
    EXPECT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(grid.indexWidget(cell(1, 2)), editor);
    EXPECT_EQ(grid.Row(), 1);
    EXPECT_EQ(grid.Col(), 2);

    editor->setText("7");
    press(editor, Qt::Key_Return);
    EXPECT_EQ(grid.indexWidget(cell(1, 2)), nullptr);
    EXPECT_EQ(table->Value(2, 0), Variant("7"));
    EXPECT_EQ(grid.TextMatrix(1, 2), "7");
    EXPECT_EQ(events, (QStringList{"before 1,2", "validate 1,2 abc", "validate 1,2 7", "after 1,2"}));
}

TEST_F(BoundGrid, EscapeAndBeforeEditLeaveTheTableAlone) {
    auto* editor = qobject_cast<QLineEdit*>(startEditing(1, 2));
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "99");
    press(editor, Qt::Key_Escape);
    EXPECT_EQ(table->Value(2, 0), Variant(int32_t(5)));
    EXPECT_FALSE(events.contains("after 1,2"));

    refuseCol = 2;
    events.clear();
    EXPECT_EQ(startEditing(1, 2), nullptr);
    EXPECT_EQ(events, QStringList{"before 1,2"});
}

// A new group row opens its number's editor on 0: leaving it untouched asks nothing.
TEST_F(BoundGrid, AnEditorLeftAsItOpenedIsNoEdit) {
    table->setValue(2, table->AddRow(), Variant(int32_t(0)));
    grid.BindTo(table);
    QApplication::setActiveWindow(&grid);
    ScriptedMessages messages;
    QWidget* editor = startEditing(2, 2);
    ASSERT_NE(editor, nullptr);
    editor->setFocus();
    grid.setFocus(); // the focus leaves the editor
    ClickCell(grid, 1, 3);
    QApplication::processEvents();
    EXPECT_EQ(grid.indexWidget(cell(2, 2)), nullptr);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(events, QStringList{"before 2,2"});
}

TEST_F(BoundGrid, ListsAndDataMappedListsStoreTheirValue) {
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 5), " ");
    auto* combo = qobject_cast<QComboBox*>(startEditing(1, 5));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), " ");
    QTest::keyClick(combo, Qt::Key_Down); // to "Groups": the list closes the edit at once
    QApplication::processEvents();
    EXPECT_EQ(table->Value(5, 0), Variant(int32_t(5))) << "the cell stores the value behind the text";
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 5), "Groups");
    EXPECT_TRUE(events.contains("after 1,5"));

    combo = qobject_cast<QComboBox*>(startEditing(1, 3));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentText(), "Button");
    QTest::keyClick(combo, Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(table->Value(3, 0), Variant("Hyperlink"));
}

TEST_F(BoundGrid, CheckBoxesAndCellButtonsGoThroughBeforeEdit) {
    ClickCell(grid, 1, 4);
    EXPECT_EQ(table->Value(4, 0), Variant(true));
    EXPECT_EQ(events, (QStringList{"before 1,4", "validate 1,4 True", "after 1,4"}));
    QTest::keyClick(&grid, Qt::Key_Space);
    EXPECT_EQ(table->Value(4, 0), Variant(false));

    events.clear();
    const QPoint button = FlexGridDelegate::ButtonRect(CellRect(grid, 1, 6)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, button);
    EXPECT_EQ(events, (QStringList{"before 1,6", "button 1,6"}));

    refuseCol = 6;
    events.clear();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, button);
    EXPECT_EQ(events, QStringList{"before 1,6"}) << "a refused button does nothing";
    refuseCol = 4;
    ClickCell(grid, 1, 4);
    EXPECT_EQ(table->Value(4, 0), Variant(false));
}

TEST_F(BoundGrid, RowsAddedToTheTableShowWhenBoundAgain) {
    grid.setRowHidden(1, true); // marked for deletion
    const int32_t added = table->AddRow();
    table->setValue(0, added, Variant(int16_t(2)));
    table->setValue(2, added, Variant(int32_t(0)));
    grid.BindTo(table);
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_TRUE(grid.RowHidden(1)) << "binding the same table again keeps the rows' state";
    EXPECT_EQ(grid.TextMatrix(2, 0), "2");

    table->setValue(0, 0, Variant("1"));
    grid.Refresh();
    EXPECT_EQ(grid.TextMatrix(1, 0), "1");

    grid.setRows(1);
    EXPECT_EQ(grid.Table(), nullptr);
    EXPECT_EQ(table->Rows(), 2) << "resetting the grid leaves the table alone";
}
