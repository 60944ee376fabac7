#include "store/pickers/frmSelectItem.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/PickerTest.h"
#include "store/pickers/frmShowPrices.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGridDelegate.h"

namespace {

const char* const Extendable = "ZEV_SP_STORE_getExtendableItems";
const char* const Extensions = "ZEV_SP_STORE_getExtensionItems";
const char* const StorePrices = "ZEV_SP_STORE_GetStorePrices";

class frmSelectItemTest : public PickerTest {
protected:
    frmSelectItemTest() {
        db->declare(Extendable, {});
        db->declare(Extensions, {"@store_no", "@item_no"});
        db->declare(StorePrices, {"@store_no", "@item_no", "@package_no", "@child_item_no"});
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
    }

    static Row Item(const Variant& itemNo, const char* description) {
        return {{"item_no", itemNo}, {"long_description", description}};
    }
    static Row Extension(const Variant& checked, const Variant& itemNo, const char* description) {
        return {{"Checked", checked}, {"item_no", itemNo}, {"long_description", description}};
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};

TEST_F(frmSelectItemTest, WithoutAnItemListsTheExtendableItemsAndHandsBackTheSelectedOnes) {
    db->script(Extendable)
        .row(Item(900, "Lift ticket"))
        .row(Item(901, "Ski rental"))
        .row(Item(902, "Lesson"))
        .row(Item("x", "Broken number"));
    frmSelectItem picker;
    picker.Setup(maint, db, error, true, 3, 0);
    ASSERT_EQ(db->calls().size(), 1u);
    EXPECT_EQ(db->lastCall().procedure, Extendable);
    EXPECT_TRUE(db->lastCall().sets.empty());
    EXPECT_EQ(picker.windowTitle(), "Select Extendable Item");

    FlexGrid& grid = ShownGrid(picker);
    EXPECT_EQ(Cells(grid, 0), QStringList({"ItemNo", "Description"}));
    EXPECT_EQ(Cells(grid, 2), QStringList({"901", "Ski rental"}));
    EXPECT_EQ(picker.Rows(), 4);
    EXPECT_FALSE(grid.Editable());

    Click(grid, 3, 0);
    Click(grid, 1, 0, Qt::ControlModifier);
    Click(grid, 4, 0, Qt::ControlModifier);
    ASSERT_EQ(picker.CountSelected(), 3);
    // Selected rows come back in grid order, whatever order they were picked in.
    int32_t itemNo = 0;
    QString description;
    picker.getSelectedItemNo(0, itemNo, description);
    EXPECT_EQ(itemNo, 900);
    EXPECT_EQ(description, "Lift ticket");
    picker.getSelectedItemNo(1, itemNo, description);
    EXPECT_EQ(itemNo, 902);
    picker.getSelectedItemNo(2, itemNo, description);
    EXPECT_EQ(itemNo, 902); // "x" is no number
    EXPECT_EQ(description, "Broken number");
    picker.getSelectedItemNo(3, itemNo, description);
    EXPECT_EQ(description, "Broken number");

    DoubleClick(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCancelled);
}

TEST_F(frmSelectItemTest, ForAnItemListsItsExtensionsTickedFromTheDatabaseAndAsTheUserLeftThem) {
    db->script(Extensions)
        .row(Extension(true, 950, "Helmet"))
        .row(Extension(false, 951, "Goggles"))
        .row(Extension(int16_t(-1), 952, "Insurance"))
        .row(Extension(Variant::Null(), 953, "Locker"));
    frmSelectItem picker;
    picker.Setup(maint, db, error, true, 3, 900);
    ExpectSent(db->lastCall(), {{"@store_no", 3}, {"@item_no", 900}});
    EXPECT_EQ(picker.windowTitle(), "Select Available Extension Items");

    FlexGrid& grid = ShownGrid(picker);
    EXPECT_EQ(Cells(grid, 0), QStringList({"Selected", "ItemNo", "Description", "View Prices"}));
    EXPECT_EQ(grid.TextMatrix(1, 3), "");
    ASSERT_EQ(picker.Rows(), 4);
    auto ticks = [&] {
        std::vector<std::pair<int32_t, bool>> rows;
        for (int32_t row = 1; row <= picker.Rows(); ++row) {
            int32_t itemNo = 0;
            bool ticked = true;
            picker.getItemNoSelected(row, itemNo, ticked);
            rows.emplace_back(itemNo, ticked);
        }
        return rows;
    };
    using Ticks = std::vector<std::pair<int32_t, bool>>;
    EXPECT_EQ(ticks(), Ticks({{950, true}, {951, false}, {952, true}, {953, false}}));

    Click(grid, 1, 0);
    Click(grid, 4, 0);
    EXPECT_EQ(ticks(), Ticks({{950, false}, {951, false}, {952, true}, {953, true}}));

    // The number and description cannot be edited.
    std::vector<bool> refused;
    QObject::connect(&grid, &FlexGrid::BeforeEdit,
                     [&](int32_t, int32_t, bool& cancel) { refused.push_back(cancel); });
    for (int32_t col : {1, 2}) {
        grid.setRow(2);
        grid.setCol(col);
        grid.EditCell();
    }
    EXPECT_EQ(refused, std::vector<bool>({true, true}));
}

TEST_F(frmSelectItemTest, ThePriceButtonShowsTheStorePricesOfThatExtension) {
    db->script(Extensions).row(Extension(true, 950, "Helmet")).row(Extension(false, 0, "No item"));
    frmSelectItem picker;
    picker.Setup(maint, db, error, true, 3, 900);
    FlexGrid& grid = ShownGrid(picker);
    auto pressButton = [&](int32_t row) {
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                          FlexGridDelegate::ButtonRect(CellRect(grid, row, 3)).center());
    };

    ModalScript modal;
    modal.on<frmShowPrices>([](frmShowPrices& viewer) { viewer.hide(); });
    pressButton(1);
    EXPECT_EQ(modal.shownCount(), 1);
    ExpectSent(
        db->lastCall(),
        {{"@store_no", 3}, {"@item_no", 900}, {"@package_no", Variant::Null()}, {"@child_item_no", 950}});

    pressButton(2);
    EXPECT_EQ(modal.shownCount(), 1);
    EXPECT_EQ(db->callsOf(StorePrices).size(), 1u);
    EXPECT_TRUE(picker.UserCancelled);
    EXPECT_TRUE(picker.isVisible());
}

} // namespace
