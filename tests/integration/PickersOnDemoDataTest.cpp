#include "dbsupport/TestDatabase.h"
#include "store/editors/store/frmSelectRegister.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/pickers/frmShowPrices.h"
#include "support/CsvReading.h"
#include "support/FakeAppServer.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "support/RecordingErrorObject.h"
#include "widgets/FlexGrid.h"
#include "widgets/FlexGridDelegate.h"
#include "widgets/GridFilterBox.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The pickers against the demo database, on each backend, worked with the mouse as a user would.
class PickersOnDemoDataTest : public DatabaseTest {
protected:
    static QPushButton* Button(QWidget& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(name);
    }

    // The item picker of the rentals store: its extendable items, or the extensions of one of them.
    void SetupItemPicker(frmSelectItem& picker, int32_t itemNo) {
        server->db = connection();
        maint.setAppServer(server);
        picker.Setup(maint, server->db, error, true, 2, itemNo);
    }

    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};

TEST_P(PickersOnDemoDataTest, RegisterPickerListsOnlyFreeRegistersAndHandsBackTheCurrentRow) {
    frmSelectRegister picker;
    picker.Setup(connection(), error);
    FlexGrid& grid = *picker.dbgRegisters;
    EXPECT_EQ(picker.windowTitle(), "Select Register");
    EXPECT_EQ(picker.findChild<QLabel*>("Label1")->text(),
              "Select one of the following available registers to install:");
    EXPECT_EQ(GridCells(grid, 0), QStringList({"Register", "Group", "RevenueCenter", "Location"}));
    // Free, free with the "Avail" check-out mark, and without status with a blank check-out computer; not
    // installed, offline, closed, or checked out to a computer.
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"WEB01", "WEB03", "WEB04"}));
    EXPECT_EQ(GridCells(grid, 1), QStringList({"WEB01", "WEB", "ONLINE", "BASE"}));
    EXPECT_EQ(picker.RegisterId(), "WEB01");
    EXPECT_TRUE(picker.UserCanceled);

    picker.show();
    DoubleClickCell(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCanceled);
    EXPECT_EQ(picker.RegisterId(), "WEB03");
    picker.show();
    picker.cmdCancel->click();
    EXPECT_TRUE(picker.UserCanceled);
    picker.show();
    picker.close(); // the close box keeps the flag as it is
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(picker.UserCanceled);
    EXPECT_TRUE(error->reports.empty());
    // Its quick filter leaves the register typed, and OK takes the row shown.
    picker.findChild<GridFilterBox*>()->txtFilter->setText("web04");
    EXPECT_EQ(ShownCells(grid),
              std::vector<QStringList>({GridCells(grid, 0), {"WEB04", "WEB", "RENTAL", "BASE"}}));
    picker.show();
    picker.cmdOk->click();
    EXPECT_EQ(picker.RegisterId(), "WEB04");
}

TEST_P(PickersOnDemoDataTest, PricePickerShowsSeasonsDiscountsAndHandsBackTheCurrentRow) {
    frmSelectPrice picker;
    // The military day ticket of the lift ticket store sells the adult day ticket.
    picker.Setup(connection(), error, 1, 0, 100, 5, 0);
    FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(picker.windowTitle(), "Select Price");
    EXPECT_EQ(GridCells(grid, 0),
              QStringList({"Price #", "Season", "Discount", "Unit", "UnitQty", "Unit Price", "Price"}));
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"101", "102", "103", "104", "105"}));
    EXPECT_EQ(GridCells(grid, 1).mid(1, 2), QStringList({"Early Season (1)", ""}));
    EXPECT_EQ(GridCells(grid, 4).mid(1, 2), QStringList({"Regular Season (3)", "MIL:Military"}));
    EXPECT_EQ(grid.gridModel()->DisplayText(5, 5), "$89.00");
    EXPECT_EQ(grid.gridModel()->DisplayText(5, 6), "$267.00");
    EXPECT_FALSE(grid.Editable());

    // The chosen price is the current row, not the selection.
    picker.show();
    ClickCell(grid, 1, 0);
    ClickCell(grid, 2, 0, Qt::ControlModifier);
    ClickCell(grid, 5, 0, Qt::ControlModifier);
    ClickCell(grid, 5, 0, Qt::ControlModifier); // row 5 holds the cursor but is no longer selected
    EXPECT_EQ(picker.CountSelected(), 2);
    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    picker.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(std::tuple(priceNo, price.toDouble(), unitQty), std::tuple(105, 267.0, int16_t(3)));

    DoubleClickCell(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
    picker.show();
    picker.close(); // the close box keeps the flag as it is
    EXPECT_FALSE(picker.UserCancelled);
    for (const auto& [button, cancelled] : {std::pair{"cmdCancel", true}, {"cmdOk", false}}) {
        picker.show();
        Button(picker, button)->click();
        EXPECT_FALSE(picker.isVisible());
        EXPECT_EQ(picker.UserCancelled, cancelled) << button;
    }
}

TEST_P(PickersOnDemoDataTest, ItemPickerHandsBackExtendableItemsInGridOrder) {
    frmSelectItem picker;
    SetupItemPicker(picker, 0);
    FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(picker.windowTitle(), "Select Extendable Item");
    EXPECT_EQ(GridCells(grid, 0), QStringList({"ItemNo", "Description"}));
    EXPECT_EQ(GridColumn(grid, 0), QStringList({"1001", "2001", "2004", "4001"}));
    EXPECT_EQ(grid.TextMatrix(2, 1), "Ski Rental Package (skis, boots, poles)");

    picker.show();
    ClickCell(grid, 3, 0);
    ClickCell(grid, 1, 0, Qt::ControlModifier);
    ASSERT_EQ(picker.CountSelected(), 2);
    int32_t itemNo = 0;
    QString description;
    picker.getSelectedItemNo(0, itemNo, description);
    EXPECT_EQ(itemNo, 1001);
    picker.getSelectedItemNo(1, itemNo, description);
    EXPECT_EQ(itemNo, 2004);
    DoubleClickCell(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
}

TEST_P(PickersOnDemoDataTest, ExtensionPickerTicksTheStoresExtensionsAndShowsTheirPrices) {
    frmSelectItem picker;
    SetupItemPicker(picker, 2001);
    FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(picker.windowTitle(), "Select Available Extension Items");
    EXPECT_EQ(GridCells(grid, 0), QStringList({"Selected", "ItemNo", "Description", "View Prices"}));
    const auto ticked = [&] {
        QStringList items;
        for (int32_t row = 1; row <= picker.Rows(); ++row) {
            int32_t itemNo = 0;
            bool selected = false;
            picker.getItemNoSelected(row, itemNo, selected);
            if (selected)
                items << QString::number(itemNo);
        }
        return items;
    };
    EXPECT_EQ(ticked(), QStringList({"2003", "6001", "6002"}));
    picker.show();
    const int32_t helmet = int32_t(GridColumn(grid, 1).indexOf("6001")) + 1;
    ClickCell(grid, helmet, 0);
    EXPECT_EQ(ticked(), QStringList({"2003", "6002"}));

    // The number and description cannot be edited; the price button shows that extension's store prices.
    std::vector<bool> refused;
    QObject::connect(&grid, &FlexGrid::BeforeEdit,
                     [&](int32_t, int32_t, bool& cancel) { refused.push_back(cancel); });
    for (int32_t col : {1, 2}) {
        grid.setRow(helmet);
        grid.setCol(col);
        grid.EditCell();
    }
    EXPECT_EQ(refused, std::vector<bool>({true, true}));
    ModalScript dialogs;
    dialogs.on<frmShowPrices>([](frmShowPrices& viewer) {
        FlexGrid& prices = *viewer.gdItems;
        EXPECT_EQ(viewer.windowTitle(), "Store Prices");
        EXPECT_EQ(GridCells(prices, 0),
                  QStringList({"Price #", "Season", "Unit", "UnitQty", "Unit Price", "Price"}));
        EXPECT_EQ(GridColumn(prices, 0), QStringList({"127"}));
        EXPECT_EQ(GridCells(prices, 1).mid(1, 3), QStringList({"", "DAY", "1"}));
        // Only OK ends it; with no Cancel button OK is the rightmost.
        EXPECT_EQ(Button(viewer, "cmdCancel"), nullptr);
        viewer.resize(500, 300);
        viewer.show();
        DoubleClickCell(prices, 1, 0);
        EXPECT_TRUE(viewer.isVisible());
        const QRect ok = Button(viewer, "cmdOk")->geometry();
        EXPECT_NEAR(viewer.width() - (ok.x() + ok.width()), TwipsToPixels(60, &viewer), 1);
        Button(viewer, "cmdOk")->click();
        EXPECT_FALSE(viewer.isVisible());
        EXPECT_FALSE(viewer.UserCancelled);
    });
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                      FlexGridDelegate::ButtonRect(CellRect(grid, helmet, 3)).center());
    EXPECT_EQ(dialogs.shownCount(), 1);
    EXPECT_TRUE(picker.isVisible());
}

TEST_P(PickersOnDemoDataTest, ProductItemPickerListsEveryItemOfTheStoreAndHandsBackTheSelected) {
    frmSelectStoreProductItem picker;
    picker.Setup(connection(), error, 1, false);
    FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(picker.windowTitle(), "Select Product Item");
    EXPECT_EQ(GridCells(grid, 0), QStringList({"ProductNo", "Prod Name", "SeqNo", "Type", "Item Name"}));
    EXPECT_EQ(grid.Rows() - 1, database().count("zev_store_product_item", "store_no = ?", {1}));
    const int32_t package = int32_t(GridColumn(grid, 0).indexOf("300")) + 1;
    ASSERT_GT(package, 0);
    EXPECT_EQ(GridCells(grid, package),
              QStringList({"300", GridCells(grid, package)[1], "1", "Pkg", "Learn to Ski Package"}));
    EXPECT_EQ(grid.TextMatrix(1, 3), "Item");
    EXPECT_EQ(grid.ColAlignment(2), Qt::AlignHCenter);

    picker.show();
    ClickCell(grid, 3, 1);
    ClickCell(grid, 1, 1, Qt::ShiftModifier);
    ClickCell(grid, 2, 1, Qt::ControlModifier);
    ASSERT_EQ(picker.CountSelected(), 2);
    int32_t productNo = 0, seqNo = 0;
    QString itemName, productName;
    picker.getSelectedProductSeqNo(1, productNo, seqNo, itemName, productName);
    EXPECT_EQ(QStringList({QString::number(productNo), productName, QString::number(seqNo), itemName}),
              GridCells(grid, 3).mid(0, 3) + QStringList{grid.TextMatrix(3, 4)});
    DoubleClickCell(grid, 2, 0);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
}

ZEV_INSTANTIATE_BACKENDS(PickersOnDemoDataTest);

} // namespace
