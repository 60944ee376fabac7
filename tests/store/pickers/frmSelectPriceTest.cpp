#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/PickerTest.h"
#include "widgets/Twips.h"

#include <QCloseEvent>

namespace {

const char* const Procedure = "ZEV_SP_STORE_GetProductItemPrices";

class frmSelectPriceTest : public PickerTest {
protected:
    frmSelectPriceTest() {
        db->declare(Procedure, {"@item_no", "@package_no", "@store_no", "@product_no", "@seq_no"});
    }

    static Row Price(int32_t priceNo, const Variant& seasonNo, const Variant& seasonDesc,
                     const Variant& discountId, const Variant& discountDesc,
                     const Variant& unitQty = int16_t(1), double unitPrice = 12.5, double price = 12.5) {
        return {{"price_no", priceNo},       {"season_no", seasonNo},         {"season_desc", seasonDesc},
                {"discount_id", discountId}, {"discount_desc", discountDesc}, {"unit_id", "EA"},
                {"unit_qty", unitQty},       {"unit_price", unitPrice},       {"Price", price}};
    }

    // A picker listing three prices.
    void SetupThreePrices(frmSelectPrice& picker) {
        db->script(Procedure)
            .row(Price(101, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), int16_t(1)))
            .row(Price(102, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), int16_t(2)))
            .row(Price(103, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), int16_t(6),
                       4.0, 24.0));
        picker.Setup(db, error, 3, 900, 0, 0, 0);
    }
};

TEST_F(frmSelectPriceTest, AsksForThePricesOfTheGivenKeysWithNullForZero) {
    frmSelectPrice picker;
    picker.Setup(db, error, 3, 900, 0, 4, 0);
    picker.Setup(db, error, 0, 0, 12, 0, 77);
    const auto calls = db->callsOf(Procedure);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, RecordedCall::Kind::Rows);
    ExpectSent(calls[0], {{"@item_no", 900},
                          {"@package_no", Variant::Null()},
                          {"@store_no", 3},
                          {"@product_no", Variant::Null()},
                          {"@seq_no", 4}});
    ExpectSent(calls[1], {{"@item_no", Variant::Null()},
                          {"@package_no", 77},
                          {"@store_no", Variant::Null()},
                          {"@product_no", 12},
                          {"@seq_no", Variant::Null()}});
    EXPECT_EQ(picker.windowTitle(), "Select Price");
    EXPECT_EQ(Button(picker, "cmdCancel")->text(), "Cancel");
}

TEST_F(frmSelectPriceTest, ShowsSeasonAndDiscountTextsAndPricesInCurrency) {
    db->script(Procedure)
        .row(Price(101, int16_t(2), "Winter", "KIDS", "Children half price", int16_t(1), 12.5, 6.25))
        .row(Price(102, Variant::Null(), "Summer", "", "Orphan description"))
        .row(Price(103, int16_t(0), "Summer", Variant::Null(), "Orphan description"));
    frmSelectPrice picker;
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    const FlexGrid& grid = *picker.findChild<FlexGrid*>("gdItems");

    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(Cells(grid, 0),
              QStringList({"Price #", "Season", "Discount", "Unit", "UnitQty", "Unit Price", "Price"}));
    EXPECT_EQ(Cells(grid, 1),
              QStringList({"101", "Winter (2)", "KIDS:Children half price", "EA", "1", "12.5", "6.25"}));
    EXPECT_EQ(Cells(grid, 2).mid(1, 2), QStringList({"", ""}));
    EXPECT_EQ(Cells(grid, 3).mid(1, 2), QStringList({"", ""}));
    EXPECT_EQ(Shown(grid, 1, 5), "$12.50");
    EXPECT_EQ(Shown(grid, 1, 6), "$6.25");
    EXPECT_EQ(Shown(grid, 1, 4), "1");
    EXPECT_TRUE(grid.Redraw());
    EXPECT_FALSE(grid.Editable());
}

TEST_F(frmSelectPriceTest, TheChosenPriceIsTheCurrentRowNotTheSelection) {
    frmSelectPrice picker;
    SetupThreePrices(picker);
    FlexGrid& grid = ShownGrid(picker);
    Click(grid, 1, 0);
    Click(grid, 2, 0, Qt::ControlModifier);
    Click(grid, 3, 0, Qt::ControlModifier);
    Click(grid, 3, 0, Qt::ControlModifier); // row 3 holds the cursor but is no longer selected
    EXPECT_EQ(picker.CountSelected(), 2);
    EXPECT_EQ(grid.Row(), 3);

    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    picker.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(priceNo, 103);
    EXPECT_EQ(price, "24");
    EXPECT_EQ(unitQty, 6);
}

TEST_F(frmSelectPriceTest, ResultsLeaveWhatCannotBeReadAsTheCallerSetIt) {
    frmSelectPrice empty;
    empty.Setup(db, error, 3, 900, 0, 0, 0);
    int32_t priceNo = -1;
    QString price = "unchanged";
    int16_t unitQty = -1;
    empty.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(priceNo, -1);
    EXPECT_EQ(price, "unchanged");
    EXPECT_EQ(unitQty, -1);

    // A unit quantity that is no 16-bit number: the other values are still read.
    db->script(Procedure).row(
        Price(104, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null(), 70000));
    frmSelectPrice picker;
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    picker.getSelectedPriceNo(priceNo, price, unitQty);
    EXPECT_EQ(priceNo, 104);
    EXPECT_EQ(price, "12.5");
    EXPECT_EQ(unitQty, -1);
}

TEST_F(frmSelectPriceTest, ALoadingFailureKeepsTheRowsReadSoFarAndReportsNothing) {
    Row broken = Price(102, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null());
    broken.pop_back(); // no "Price" column
    db->script(Procedure)
        .row(Price(101, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()))
        .row(broken)
        .row(Price(103, Variant::Null(), Variant::Null(), Variant::Null(), Variant::Null()));
    frmSelectPrice picker;
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    const FlexGrid& grid = *picker.findChild<FlexGrid*>("gdItems");
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 0), "101");
    EXPECT_TRUE(error->reports.empty());
    EXPECT_TRUE(grid.Redraw());

    db->script(Procedure).failed();
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    EXPECT_EQ(grid.Rows(), 1);
    picker.Setup(nullptr, error, 3, 900, 0, 0, 0);
    EXPECT_EQ(grid.Rows(), 1);
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(frmSelectPriceTest, OkCancelDoubleClickAndTheCloseBox) {
    frmSelectPrice picker;
    SetupThreePrices(picker);
    EXPECT_TRUE(picker.UserCancelled);

    picker.show();
    EXPECT_FALSE(picker.close());
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(picker.UserCancelled);

    FlexGrid& grid = ShownGrid(picker);
    DoubleClick(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
    EXPECT_EQ(grid.Row(), 2);

    picker.show();
    picker.close(); // the flag keeps its value
    EXPECT_FALSE(picker.UserCancelled);

    picker.show();
    Button(picker, "cmdCancel")->click();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(picker.UserCancelled);

    picker.show();
    Button(picker, "cmdOk")->click();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
}

TEST_F(frmSelectPriceTest, GridAndButtonsFollowTheWindowSize) {
    frmSelectPrice picker;
    picker.resize(640, 420);
    picker.show();
    const int margin = TwipsToPixels(60, &picker);
    const QRect grid = picker.findChild<FlexGrid*>("gdItems")->geometry();
    const QRect ok = Button(picker, "cmdOk")->geometry();
    const QRect cancel = Button(picker, "cmdCancel")->geometry();
    EXPECT_NEAR(picker.width() - (cancel.x() + cancel.width()), margin, 1);
    EXPECT_NEAR(picker.height() - (cancel.y() + cancel.height()), margin, 1);
    EXPECT_NEAR(cancel.x() - (ok.x() + ok.width()), margin, 1);
    EXPECT_EQ(ok.y(), cancel.y());
    EXPECT_EQ(grid.topLeft(), QPoint(margin, margin));
    EXPECT_NEAR(grid.width(), picker.width() - 2 * margin, 1);
    EXPECT_NEAR(cancel.y() - (grid.y() + grid.height()), margin, 1);
}

} // namespace
