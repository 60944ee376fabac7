#include "store/control/StoreTest.h"
#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/records/CStore.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int32_t DeleteQuestion = 4 + 32 + 256;

Row ProductRow(int32_t productNo, int32_t groupNo, const char* group, const char* name) {
    return {{"product_no", productNo},
            {"product_group_no", groupNo},
            {"group_description", group},
            {"product_type", "TICKET"},
            {"product_name", name}};
}

class StoreCommandsTest : public StoreTest {
protected:
    // Store 3 current on the tab, its grid filled by the view's procedure.
    void startOn(const char* tab) {
        scriptStores(3);
        for (int load = 0; load < 2; ++load) // before and after the store is opened
            db->script("ZEV_SP_STORE_GetLists")
                .row({{"list_id", "HOME"}, {"Description", "Home page"}})
                .row({{"list_id", "EMPTY"}, {"Description", "Nothing yet"}});
        start("3");
        db->script("ZEV_SP_STORE_GetProduct")
            .row(ProductRow(100, 10, "Lifts", "Day pass"))
            .row(ProductRow(101, 10, "Lifts", "Season pass"))
            .row(ProductRow(200, 20, "Rentals", "Skis"));
        db->script("ZEV_SP_STORE_GetListItems")
            .row(ListItemRow(1, "Day pass"))
            .row(ListItemRow(2, "Half day"))
            .row(ListItemRow(7, "Skis"));
        control.tabStore->SelectKey("ORDER");
        control.tabStore->SelectKey(tab);
        control.gdData->Outline(-1);
    }

    // A product as it is opened for editing.
    static Row OpenedProduct(int32_t productNo, int32_t groupNo, const char* group, const char* name) {
        Row product = ProductRow(productNo, groupNo, group, name);
        for (const char* column :
             {"short_description", "long_description", "product_url", "photo_family", "item_display_type"})
            product.emplace_back(column, "");
        for (const char* column : {"image_width", "image_height", "num_cols", "manual_invoice"})
            product.emplace_back(column, 1);
        product.emplace_back("is_active", true);
        product.emplace_back("group_manual_invoice", false);
        return product;
    }

    int32_t callCount(const char* procedure) const { return int32_t(db->callsOf(procedure).size()); }
};

// Deleting a store with two Yes answers, and the store before it then selected, is part of the journey in the
// main window; here No to either question, the first store deleted, and a refusal.
TEST_F(StoreCommandsTest, StoreDeleteAsksTwiceAndKeepsTheStoreUnlessBothAreYes) {
    scriptStores();
    start("3");
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::No);
    control.cmdDeleteStore->click();
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::No);
    control.cmdDeleteStore->click();
    EXPECT_EQ(callCount("ZEV_SP_STORE_DeleteStore"), 0) << "No to either question deletes nothing";
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "Are you sure you want to delete store Summit Lifts(3) and all it's related data?");
    EXPECT_EQ(messages.shown()[0].title, "Confirm Store Delete");
    EXPECT_EQ(
        messages.shown()[2].prompt,
        "Are you sure absolutely sure you want to delete store Summit Lifts(3) and all it's related data?");
    for (const auto& shown : messages.shown())
        EXPECT_EQ(shown.buttons, DeleteQuestion);

    db->script("ZEV_SP_STORE_DeleteStore").returns(1).output("@message", "Store 3 has orders.");
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes).expect();
    control.cmdDeleteStore->click();
    EXPECT_EQ(control.cmbStore->count(), 2);
    EXPECT_EQ(messages.shown().back().prompt, "Store 3 has orders.");

    // The first store deleted: none is selected and none is current.
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes);
    control.cmdDeleteStore->click();
    ExpectSent(db->lastCall(), {{"@store_no", 3}});
    EXPECT_EQ(control.cmbStore->count(), 1);
    EXPECT_EQ(control.cmbStore->SelectedIndex(), -1);
    EXPECT_FALSE(control.CurrentStore());
}

TEST_F(StoreCommandsTest, WithoutASelectedOrCurrentStoreTheCommandsDoNothing) {
    scriptStores();
    start();
    ASSERT_EQ(control.cmbStore->SelectedIndex(), -1);
    ScriptedMessages messages;
    messages.expect().expect();
    control.cmdEditStore->click();
    control.cmdDeleteStore->click();
    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& shown : messages.shown()) // edit and delete alike
        EXPECT_EQ(shown.prompt + "|" + shown.title,
                  "Please select a store to edit first.|Edit Store Canceled");
    const size_t calls = db->calls().size();
    ModalScript dialogs; // any editor opened fails the test
    for (const char* tab : {"PRODUCT", "LIST"}) {
        control.tabStore->SelectKey(tab);
        for (QPushButton* button : {control.cmdAdd, control.cmdEdit, control.cmdDelete})
            button->click();
    }
    emit control.gdData->DblClick();
    EXPECT_EQ(db->calls().size(), calls);
}

// Adding and editing a list entry, and editing or deleting a product, are part of the journey in the main
// window; here the number a new entry is offered, and a product moved to another group.
TEST_F(StoreCommandsTest, ANewListItemGetsTheNumberAfterTheLastRow) {
    startOn("LIST");
    ASSERT_EQ(control.gdData->Rows(), 4);
    ModalScript dialogs;
    QStringList proposed;
    auto cancel = [&](frmStoreListItem& editor) {
        proposed << editor.txtSeqNo->text();
        editor.cmdCancel->click();
    };
    dialogs.on<frmStoreListItem>(cancel).on<frmStoreListItem>(cancel);
    control.cmdAdd->click();
    control.cmbList->setSelectedIndex(1); // a list without items
    control.cmdAdd->click();
    EXPECT_EQ(proposed, QStringList({"8", "1"}));
    EXPECT_EQ(control.gdData->Rows(), 1) << "a cancelled editor adds no row";
}

TEST_F(StoreCommandsTest, AProductMovedToAnotherGroupReloadsTheViewAndIsSelectedThere) {
    startOn("PRODUCT");
    const int32_t views = callCount("ZEV_SP_STORE_GetProduct");
    ModalScript dialogs;
    db->script("ZEV_SP_STORE_GetProduct").row(OpenedProduct(100, 10, "Lifts", "Day pass"));
    db->scriptQuery("zev_store_product_group")
        .row({{"product_group_no", 10}, {"Description", "Lifts"}})
        .row({{"product_group_no", 20}, {"Description", "Rentals"}});
    dialogs.on<frmStoreProduct>([](frmStoreProduct& editor) {
        editor.cmbProductGroup->setSelectedIndex(editor.cmbProductGroup->IndexOfNumber(20));
        editor.cmdOk->click();
    });
    db->script("ZEV_SP_STORE_GetProduct")
        .row(ProductRow(101, 10, "Lifts", "Season pass"))
        .row(ProductRow(100, 20, "Rentals", "Day pass"))
        .row(ProductRow(200, 20, "Rentals", "Skis"));
    control.gdData->setRow(1);
    control.cmdEdit->click();
    EXPECT_EQ(callCount("ZEV_SP_STORE_GetProduct"), views + 2) << "opened, then the view reloaded";
    EXPECT_EQ(control.gdData->Row(), 2);
    EXPECT_EQ(control.gdData->TextMatrix(2, 0), "20 Rentals");
    for (int32_t row = 1; row < control.gdData->Rows(); ++row) // each row carries its product number
        EXPECT_EQ(control.gdData->RowData(row).toText(), control.gdData->TextMatrix(row, 1));
}

TEST_F(StoreCommandsTest, SpecialOffersGoToTheHostsItemMaintenance) {
    scriptStores();
    start();
    control.mnuToolSpecialOffer->trigger();
    EXPECT_EQ(server->items->specialOffersShown, 1);
}

// Work without the mouse: Tab leaves the grid for the buttons under it, Ctrl+Tab steps through the views, the
// grid's keys run Edit, Delete and Add where the view offers them, a focused button takes Enter, and Enter in
// an order filter finds.
TEST_F(StoreCommandsTest, TheKeysReachEveryCommandWithoutTheMouse) {
    startOn("LIST");
    control.show();
    QApplication::setActiveWindow(&control);
    FlexGrid* grid = control.gdData;
    grid->setFocus();
    grid->setRow(2);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control.cmdEdit);
    QTest::keyClick(control.cmdEdit, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), control.cmdAdd);
    QTest::keyClick(control.cmdAdd, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(control.cmdEdit, Qt::Key_Backtab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), grid);

    ModalScript dialogs;
    QStringList opened;
    auto cancel = [&](frmStoreListItem& editor) {
        opened << editor.txtSeqNo->text();
        editor.cmdCancel->click();
    };
    dialogs.on<frmStoreListItem>(cancel).on<frmStoreListItem>(cancel).on<frmStoreListItem>(cancel);
    db->script("ZEV_SP_STORE_GetListItems").row(ListItemRow(2, "Half day"));
    QTest::keyClick(grid, Qt::Key_Return); // edits entry 2
    QTest::keyClick(grid, Qt::Key_Insert); // a new entry after the last, 7
    QTest::keyClick(grid, Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(opened, QStringList({"2", "8", "8"}));

    ScriptedMessages messages;
    messages.expect(MsgBoxResult::No);
    db->script("ZEV_SP_STORE_GetListItems").row(ListItemRow(2, "Half day"));
    QTest::keyClick(grid, Qt::Key_Delete);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt, "Are you sure you want to delete list item (2:Half day)?");
    EXPECT_EQ(grid->Rows(), 4);

    // Ctrl+Tab on to the customers and the orders, where the grid has no Add or Delete; Ctrl+Shift+Tab back.
    auto step = [&](QWidget* from, Qt::KeyboardModifiers keys) {
        from->setFocus();
        QTest::keyClick(from, keys & Qt::ShiftModifier ? Qt::Key_Backtab : Qt::Key_Tab, keys);
        return control.tabStore->SelectedKey();
    };
    EXPECT_EQ(step(grid, Qt::ControlModifier), "CUST");
    EXPECT_EQ(QApplication::focusWidget(), control.cmdCustFind)
        << "the keys go on with the view's first control";
    ASSERT_EQ(step(control.cmdCustFind, Qt::ControlModifier), "ORDER");
    const size_t calls = db->calls().size();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert);
    QTest::keyClick(grid, Qt::Key_Delete);
    QTest::keyClick(grid, Qt::Key_Return); // no order listed: nothing to show
    EXPECT_EQ(db->calls().size(), calls);

    control.txtCartNo->setFocus();
    QTest::keyClicks(control.txtCartNo, "12");
    QTest::keyClick(control.txtCartNo, Qt::Key_Return);
    ASSERT_EQ(db->callsOf("ZEV_SP_STORE_GetOrders").size(), 1u);
    control.cmdNewSearch->setFocus();
    QTest::keyClick(control.cmdNewSearch, Qt::Key_Return);
    EXPECT_EQ(control.txtCartNo->text(), "") << "the focused button took Enter";

    EXPECT_EQ(step(control.cmdNewSearch, Qt::ControlModifier | Qt::ShiftModifier), "CUST");
    step(grid, Qt::ControlModifier);
    EXPECT_EQ(step(grid, Qt::ControlModifier), "PRODUCT") << "the last view wraps round to the first";
}

} // namespace
