#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/pickers/PickerTest.h"

namespace {

const char* const Procedure = "ZEV_SP_STORE_GetProductItem";

class frmSelectStoreProductItemTest : public PickerTest {
protected:
    frmSelectStoreProductItemTest() {
        // The procedure also narrows by product and sequence number; the picker leaves those unset.
        db->declare(Procedure, {"@store_no", "@product_no", "@seq_no"});
    }

    static Row ProductItem(int32_t productNo, const char* productName, int32_t seqNo, const Variant& itemNo,
                           const Variant& packageNo, const char* itemName) {
        return {{"product_no", productNo}, {"product_name", productName}, {"seq_no", seqNo},
                {"item_no", itemNo},       {"package_no", packageNo},     {"product_item_name", itemName}};
    }
};

TEST_F(frmSelectStoreProductItemTest, ListsEveryProductItemOfTheStoreWithItsType) {
    db->script(Procedure)
        .row(ProductItem(12, "Day Pass", 1, 900, 0, "Adult"))
        .row(ProductItem(12, "Day Pass", 2, 0, 77, "Family bundle"))
        .row(ProductItem(14, "Gift card", 1, Variant::Null(), Variant::Null(), "Any amount"))
        .row(ProductItem(15, "Both", 1, 901, 78, "Item wins"));
    frmSelectStoreProductItem picker;
    picker.Setup(db, error, 3, true);
    ExpectSent(db->lastCall(), {{"@store_no", 3}});
    EXPECT_EQ(picker.windowTitle(), "Select Product Item");

    const FlexGrid& grid = *picker.findChild<FlexGrid*>("gdItems");
    EXPECT_EQ(Cells(grid, 0), QStringList({"ProductNo", "Prod Name", "SeqNo", "Type", "Item Name"}));
    EXPECT_EQ(grid.ColAlignment(2), Qt::AlignHCenter);
    EXPECT_EQ(grid.ColAlignment(3), Qt::AlignHCenter);
    EXPECT_EQ(Cells(grid, 1), QStringList({"12", "Day Pass", "1", "Item", "Adult"}));
    EXPECT_EQ(grid.TextMatrix(2, 3), "Pkg");
    EXPECT_EQ(grid.TextMatrix(3, 3), "");
    EXPECT_EQ(grid.TextMatrix(4, 3), "Item");
}

TEST_F(frmSelectStoreProductItemTest, HandsBackTheSelectedProductItemsInGridOrder) {
    db->script(Procedure)
        .row(ProductItem(12, "Day Pass", 1, 900, 0, "Adult"))
        .row(ProductItem(12, "Day Pass", 2, 901, 0, "Child"))
        .row(ProductItem(14, "Season Pass", 5, 902, 0, "Senior"));
    frmSelectStoreProductItem picker;
    picker.Setup(db, error, 3, false);
    FlexGrid& grid = ShownGrid(picker);
    Click(grid, 3, 1);
    Click(grid, 1, 1, Qt::ShiftModifier);
    Click(grid, 2, 1, Qt::ControlModifier);
    ASSERT_EQ(picker.CountSelected(), 2);

    int32_t productNo = 0, seqNo = 0;
    QString itemName, productName;
    picker.getSelectedProductSeqNo(1, productNo, seqNo, itemName, productName);
    EXPECT_EQ(productNo, 14);
    EXPECT_EQ(seqNo, 5);
    EXPECT_EQ(itemName, "Senior");
    EXPECT_EQ(productName, "Season Pass");
    picker.getSelectedProductSeqNo(0, productNo, seqNo, itemName, productName);
    EXPECT_EQ(seqNo, 1);
    EXPECT_EQ(itemName, "Adult");

    DoubleClick(grid, 2, 0);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
}

} // namespace
