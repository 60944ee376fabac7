#include "store/editors/store/frmSelectRegister.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/records/RecordTest.h"
#include "widgets/FlexGrid.h"

// What the demo database cannot show: rows that break half way through a list. The pickers' lists
// themselves are tested on the demo database.

namespace {

using PickerFailuresTest = RecordTest;

Row Register(const char* id) {
    return {{"Register_id", id}, {"Register_Group_ID", ""}, {"Revenue_Center_ID", ""}, {"location_id", ""}};
}

Row Price(int32_t priceNo) {
    return {{"price_no", priceNo},    {"season_no", Variant::Null()}, {"season_desc", Variant::Null()},
            {"discount_id", ""},      {"discount_desc", ""},          {"unit_id", "EA"},
            {"unit_qty", int16_t(1)}, {"unit_price", 12.5},           {"Price", 12.5}};
}

TEST_F(PickerFailuresTest, TheRegisterPickerReportsUnderItsOwnSourceAndKeepsTheRowsRead) {
    Row broken = Register("POS2");
    broken.pop_back();
    db->scriptQuery("zev_register").row(Register("POS1")).row(broken);
    frmSelectRegister picker;
    picker.Setup(db, error);
    ASSERT_EQ(error->reports.size(), 1u);
    EXPECT_EQ(error->reports[0].source, "ZevRegister.frmSelectRegister (1.0.0) Setup");
    EXPECT_EQ(error->reports[0].number, 3265);
    EXPECT_EQ(picker.Errors().LastErrorNumber(), 3265);
    EXPECT_EQ(picker.dbgRegisters->Rows(), 2);
}

TEST_F(PickerFailuresTest, ThePricePickerKeepsTheRowsReadSoFarAndReportsNothing) {
    Row broken = Price(102);
    broken.pop_back(); // no "Price" column
    db->script("ZEV_SP_STORE_GetProductItemPrices").row(Price(101)).row(broken).row(Price(103));
    frmSelectPrice picker;
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    EXPECT_EQ(picker.gdItems->Rows(), 2);
    EXPECT_EQ(picker.gdItems->TextMatrix(1, 0), "101");
    EXPECT_TRUE(picker.gdItems->Redraw());

    db->script("ZEV_SP_STORE_GetProductItemPrices").failed();
    picker.Setup(db, error, 3, 900, 0, 0, 0);
    EXPECT_EQ(picker.gdItems->Rows(), 1);
    EXPECT_TRUE(error->reports.empty());
}

} // namespace
