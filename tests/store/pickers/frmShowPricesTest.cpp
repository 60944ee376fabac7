#include "store/pickers/frmShowPrices.h"
#include "store/pickers/PickerTest.h"
#include "widgets/Twips.h"

namespace {

const char* const Procedure = "ZEV_SP_STORE_GetStorePrices";

class frmShowPricesTest : public PickerTest {
protected:
    frmShowPricesTest() {
        db->declare(Procedure, {"@store_no", "@item_no", "@package_no", "@child_item_no"});
    }
};

TEST_F(frmShowPricesTest, AsksForTheStorePricesWithTheStoreAlwaysAndNullForOtherZeros) {
    frmShowPrices viewer;
    viewer.Setup(db, error, 900, 0, 0, 950);
    viewer.Setup(db, error, 0, 3, 77, 0);
    const auto calls = db->callsOf(Procedure);
    ASSERT_EQ(calls.size(), 2u);
    ExpectSent(
        calls[0],
        {{"@store_no", 0}, {"@item_no", 900}, {"@package_no", Variant::Null()}, {"@child_item_no", 950}});
    ExpectSent(calls[1], {{"@store_no", 3},
                          {"@item_no", Variant::Null()},
                          {"@package_no", 77},
                          {"@child_item_no", Variant::Null()}});
    EXPECT_EQ(viewer.windowTitle(), "Store Prices");
}

TEST_F(frmShowPricesTest, ListsPricesWithoutDiscountsAndReadsItsOwnColumns) {
    db->script(Procedure)
        .row({{"price_no", 7},
              {"season_no", 1},
              {"season_desc", "Peak"},
              {"unit_id", "DAY"},
              {"unit_qty", int16_t(3)},
              {"unit_price", 20.0},
              {"Price", 60.0}})
        .row({{"price_no", 8},
              {"season_no", Variant::Null()},
              {"season_desc", Variant::Null()},
              {"unit_id", "EA"},
              {"unit_qty", int16_t(1)},
              {"unit_price", -1.5},
              {"Price", -1.5}});
    frmShowPrices viewer;
    viewer.Setup(db, error, 900, 3, 0, 0);
    const FlexGrid& grid = *viewer.findChild<FlexGrid*>("gdItems");
    EXPECT_EQ(Cells(grid, 0), QStringList({"Price #", "Season", "Unit", "UnitQty", "Unit Price", "Price"}));
    EXPECT_EQ(Cells(grid, 1), QStringList({"7", "Peak (1)", "DAY", "3", "20", "60"}));
    EXPECT_EQ(Cells(grid, 2), QStringList({"8", "", "EA", "1", "-1.5", "-1.5"}));
    EXPECT_EQ(Shown(grid, 2, 4), "($1.50)");
    EXPECT_EQ(Shown(grid, 2, 5), "($1.50)");

    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    viewer.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(priceNo, 7);
    EXPECT_EQ(price, "60");
    EXPECT_EQ(unitQty, 3);
}

TEST_F(frmShowPricesTest, OnlyOkEndsIt) {
    db->script(Procedure).row({{"price_no", 7},
                               {"season_no", 0},
                               {"season_desc", ""},
                               {"unit_id", "EA"},
                               {"unit_qty", 1},
                               {"unit_price", 1.0},
                               {"Price", 1.0}});
    frmShowPrices viewer;
    viewer.Setup(db, error, 900, 3, 0, 0);
    EXPECT_EQ(viewer.findChild<QPushButton*>("cmdCancel"), nullptr);

    viewer.resize(500, 300);
    FlexGrid& grid = ShownGrid(viewer);
    DoubleClick(grid, 1, 0);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_TRUE(viewer.UserCancelled);

    // With no Cancel button OK is the rightmost.
    const QRect ok = Button(viewer, "cmdOk")->geometry();
    EXPECT_NEAR(viewer.width() - (ok.x() + ok.width()), TwipsToPixels(60, &viewer), 1);
    Button(viewer, "cmdOk")->click();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_FALSE(viewer.UserCancelled);
}

} // namespace
