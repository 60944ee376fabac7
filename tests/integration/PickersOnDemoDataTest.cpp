#include "dbsupport/TestDatabase.h"
#include "store/editors/store/frmSelectRegister.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/pickers/frmShowPrices.h"
#include "support/FakeAppServer.h"
#include "support/RecordingErrorObject.h"
#include "widgets/FlexGrid.h"

namespace {

// The pickers against the demo database, on each backend.
class PickersOnDemoDataTest : public DatabaseTest {
protected:
    static QStringList Column(const FlexGrid& grid, int32_t col) {
        QStringList cells;
        for (int32_t row = 1; row < grid.Rows(); ++row)
            cells << grid.TextMatrix(row, col);
        return cells;
    }
    static QStringList Cells(const FlexGrid& grid, int32_t row) {
        QStringList cells;
        for (int32_t col = 0; col < grid.Cols(); ++col)
            cells << grid.TextMatrix(row, col);
        return cells;
    }

    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
};

TEST_P(PickersOnDemoDataTest, RegisterPickerListsOnlyFreeRegistersById) {
    frmSelectRegister picker;
    picker.Setup(connection(), error);
    const FlexGrid& grid = *picker.dbgRegisters;
    // Free, free with the "Avail" check-out mark, and without status with a blank check-out computer; not
    // installed, offline, closed, or checked out to a computer.
    EXPECT_EQ(Column(grid, 0), QStringList({"WEB01", "WEB03", "WEB04"}));
    EXPECT_EQ(Cells(grid, 1), QStringList({"WEB01", "WEB", "ONLINE", "BASE"}));
    EXPECT_EQ(picker.RegisterId(), "WEB01");
    EXPECT_TRUE(error->reports.empty());
}

TEST_P(PickersOnDemoDataTest, PricePickerListsThePricesOfAProductItem) {
    frmSelectPrice picker;
    // The military day ticket of the lift ticket store sells the adult day ticket.
    picker.Setup(connection(), error, 1, 0, 100, 5, 0);
    const FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(Column(grid, 0), QStringList({"101", "102", "103", "104", "105"}));
    EXPECT_EQ(Cells(grid, 1).mid(1, 2), QStringList({"Early Season (1)", ""}));
    EXPECT_EQ(Cells(grid, 4).mid(1, 2), QStringList({"Regular Season (3)", "MIL:Military"}));
    EXPECT_EQ(grid.gridModel()->DisplayText(5, 6), "$267.00");

    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    picker.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(priceNo, 101);
    EXPECT_EQ(price.toDouble(), 79.0);
    EXPECT_EQ(unitQty, 1);
}

TEST_P(PickersOnDemoDataTest, PriceViewerListsTheStorePricesOfAnExtension) {
    frmShowPrices viewer;
    viewer.Setup(connection(), error, 2001, 2, 0, 6001);
    EXPECT_EQ(Column(*viewer.gdItems, 0), QStringList({"127"}));
    EXPECT_EQ(Cells(*viewer.gdItems, 1).mid(1, 3), QStringList({"", "DAY", "1"}));
}

TEST_P(PickersOnDemoDataTest, ItemPickerListsExtendableItemsAndTicksTheStoresExtensions) {
    auto server = std::make_shared<FakeAppServer>();
    server->db = connection();
    CStoreMaint maint;
    maint.setAppServer(server);

    frmSelectItem extendable;
    extendable.Setup(maint, server->db, error, true, 2, 0);
    EXPECT_EQ(Column(*extendable.gdItems, 0), QStringList({"1001", "2001", "2004", "4001"}));
    EXPECT_EQ(extendable.gdItems->TextMatrix(2, 1), "Ski Rental Package (skis, boots, poles)");

    frmSelectItem extensions;
    extensions.Setup(maint, server->db, error, true, 2, 2001);
    ASSERT_GT(extensions.Rows(), 3);
    QStringList ticked;
    for (int32_t row = 1; row <= extensions.Rows(); ++row) {
        int32_t itemNo = 0;
        bool selected = false;
        extensions.getItemNoSelected(row, itemNo, selected);
        if (selected)
            ticked << QString::number(itemNo);
    }
    EXPECT_EQ(ticked, QStringList({"2003", "6001", "6002"}));
}

TEST_P(PickersOnDemoDataTest, ProductItemPickerListsEveryProductItemOfTheStore) {
    frmSelectStoreProductItem picker;
    picker.Setup(connection(), error, 1, true);
    const FlexGrid& grid = *picker.gdItems;
    EXPECT_EQ(grid.Rows() - 1, database().count(QStringLiteral("zev_store_product_item"),
                                                QStringLiteral("store_no = ?"), {1}));
    const QStringList products = Column(grid, 0);
    const int32_t package = int32_t(products.indexOf(QStringLiteral("300"))) + 1;
    ASSERT_GT(package, 0);
    EXPECT_EQ(Cells(grid, package),
              QStringList({"300", Cells(grid, package)[1], "1", "Pkg", "Learn to Ski Package"}));
    EXPECT_EQ(grid.TextMatrix(1, 3), "Item");
}

ZEV_INSTANTIATE_BACKENDS(PickersOnDemoDataTest);

} // namespace
