#include "store/control/StoreTest.h"
#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/records/CStore.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QLineEdit>
#include <QPushButton>

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
    StoreCommandsTest() {}

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

    // The product editor opened on product 100 of group 10, with groups 10 and 20 to choose from.
    void scriptProduct100() {
        db->script("ZEV_SP_STORE_GetProduct").row(OpenedProduct(100, 10, "Lifts", "Day pass"));
        db->scriptQuery("zev_store_product_group")
            .row({{"product_group_no", 10}, {"Description", "Lifts"}})
            .row({{"product_group_no", 20}, {"Description", "Rentals"}});
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

TEST_F(StoreCommandsTest, StoreDeleteAsksTwiceThenSelectsTheStoreBeforeOrNone) {
    scriptStores();
    start("5");
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::No);
    control.cmdDeleteStore->click();
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::No);
    control.cmdDeleteStore->click();
    EXPECT_EQ(callCount("ZEV_SP_STORE_DeleteStore"), 0) << "No to either question deletes nothing";
    ASSERT_EQ(messages.shown().size(), 3u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "Are you sure you want to delete store Valley Rentals(5) and all it's related data?");
    EXPECT_EQ(messages.shown()[0].title, "Confirm Store Delete");
    EXPECT_EQ(
        messages.shown()[2].prompt,
        "Are you sure absolutely sure you want to delete store Valley Rentals(5) and all it's related data?");
    EXPECT_EQ(messages.shown()[2].title, "Confirm Store Absolute Delete");
    for (const auto& shown : messages.shown())
        EXPECT_EQ(shown.buttons, DeleteQuestion);

    // The second store deleted: the one before it opens.
    db->script("ZEV_SP_STORE_GetStore").row(StoreRow(3, "Summit Lifts"));
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes);
    control.cmdDeleteStore->click();
    ExpectSent(db->callsOf("ZEV_SP_STORE_DeleteStore").at(0), {{"@store_no", 5}});
    ASSERT_EQ(control.cmbStore->count(), 1);
    EXPECT_EQ(control.cmbStore->SelectedIndex(), 0);
    ASSERT_TRUE(control.CurrentStore());
    EXPECT_EQ(control.CurrentStore()->StoreNo(), 3);

    // The first store deleted: none is selected and none is current.
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes);
    control.cmdDeleteStore->click();
    EXPECT_EQ(control.cmbStore->count(), 0);
    EXPECT_EQ(control.cmbStore->SelectedIndex(), -1);
    EXPECT_FALSE(control.CurrentStore());

    // A refused delete keeps the entry.
    scriptStores(3);
    control.Setup();
    db->script("ZEV_SP_STORE_DeleteStore").returns(1).output("@message", "Store 3 has orders.");
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes).expect();
    control.cmdDeleteStore->click();
    EXPECT_EQ(control.cmbStore->count(), 2);
    EXPECT_EQ(messages.shown().back().prompt, "Store 3 has orders.");
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
    for (const auto& shown : messages.shown()) {
        EXPECT_EQ(shown.prompt, "Please select a store to edit first.");
        EXPECT_EQ(shown.title, "Edit Store Canceled");
        EXPECT_EQ(shown.buttons, 64);
    }
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

TEST_F(StoreCommandsTest, ANewListItemGetsTheNumberAfterTheLastRowAndAnEditedOneRewritesItsRow) {
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

    db->script("ZEV_SP_STORE_GetListItems").row(ListItemRow(1, "Day pass")).row(ListItemRow(2, "Half day"));
    control.cmbList->setSelectedIndex(0);
    db->script("ZEV_SP_STORE_GetListItems").row(ListItemRow(2, "Half day"));
    db->script("ZEV_SP_STORE_UpdateListItem").output("@seq_no", 9);
    dialogs.on<frmStoreListItem>([](frmStoreListItem& editor) {
        editor.txtSeqNo->setText("9");
        editor.cmdOk->click();
    });
    control.gdData->setRow(2);
    control.cmdEdit->click();
    ExpectSent(db->callsOf("ZEV_SP_STORE_GetListItems").back(),
               {{"@store_no", 3}, {"@list_id", "HOME"}, {"@seq_no", 2}});
    EXPECT_EQ(control.gdData->TextMatrix(2, 0), "9");
    EXPECT_EQ(control.gdData->TextMatrix(2, 3), "Half day");
    EXPECT_EQ(control.gdData->TextMatrix(2, 5), "12.5");
}

TEST_F(StoreCommandsTest, AnEditedProductRewritesItsRowOrReloadsAndIsSelectedInItsNewGroup) {
    startOn("PRODUCT");
    const int32_t views = callCount("ZEV_SP_STORE_GetProduct");
    ModalScript dialogs;
    scriptProduct100();
    dialogs.on<frmStoreProduct>([](frmStoreProduct& editor) {
        editor.txtProductName->setText("Day pass plus");
        editor.cmdOk->click();
    });
    control.gdData->setRow(1);
    emit control.gdData->DblClick();
    EXPECT_EQ(control.gdData->TextMatrix(1, 3), "Day pass plus");
    EXPECT_EQ(control.gdData->TextMatrix(1, 0), "10 Lifts");
    EXPECT_EQ(callCount("ZEV_SP_STORE_GetProduct"), views + 1) << "only the product was opened";

    scriptProduct100();
    dialogs.on<frmStoreProduct>([](frmStoreProduct& editor) {
        editor.cmbProductGroup->setSelectedIndex(editor.cmbProductGroup->IndexOfNumber(20));
        editor.cmdOk->click();
    });
    db->script("ZEV_SP_STORE_GetProduct")
        .row(ProductRow(101, 10, "Lifts", "Season pass"))
        .row(ProductRow(100, 20, "Rentals", "Day pass"))
        .row(ProductRow(200, 20, "Rentals", "Skis"));
    control.cmdEdit->click();
    EXPECT_EQ(callCount("ZEV_SP_STORE_GetProduct"), views + 3) << "opened, then the view reloaded";
    EXPECT_EQ(control.gdData->Row(), 2);
    EXPECT_EQ(control.gdData->TextMatrix(2, 0), "20 Rentals");

    // Deleting asks with the product's name and removes the row once the service deleted it.
    control.gdData->setRow(3);
    db->script("ZEV_SP_STORE_GetProduct").row(OpenedProduct(200, 20, "Rentals", "Skis"));
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::Yes);
    control.cmdDelete->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt,
              "Are you sure you want to delete product (200:Skis) and all of its support tables and items?");
    EXPECT_EQ(messages.shown()[0].title, "Confirm Delete");
    EXPECT_EQ(control.gdData->Rows(), 3);
}

TEST_F(StoreCommandsTest, SpecialOffersGoToTheHostsItemMaintenance) {
    scriptStores();
    start();
    control.mnuToolSpecialOffer->trigger();
    EXPECT_EQ(server->items->specialOffersShown, 1);
}

} // namespace
