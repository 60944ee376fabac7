#include "ProductEditorTest.h"
#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/editors/product/frmStoreProductItem.h"
#include "store/editors/product/frmStoreProductItemSell.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/NullableDatePicker.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const char* const GetItems = "ZEV_SP_STORE_GetProductItem";

Row ItemRow(int32_t seqNo, const Variant& itemNo, const Variant& packageNo, const Variant& priceNo,
            double price, const QString& name) {
    return {{"seq_no", seqNo},     {"item_no", itemNo}, {"package_no", packageNo},   {"price_no", priceNo},
            {"Price", price},      {"is_active", 1},    {"product_item_name", name}, {"product_no", 100},
            {"product_name", "P"}, {"store_no", 1},     {"description", "d"}};
}

class ProductEditorFormsTest : public ProductEditorTest {
protected:
    // A product editor on product 100 of store 1 with three items, one of them never stored (sequence 0).
    void SetupProduct(frmStoreProduct& editor) {
        db->scriptQuery("zev_store_product_group")
            .row({{"Description", "Day Tickets"}, {"product_group_no", 10}})
            .row({{"Description", Variant::Null()}, {"product_group_no", 20}});
        db->scriptQuery("DISTINCT product_type")
            .row({{"product_type", "PASS"}})
            .row({{"product_type", "TICKET"}});
        db->script(GetItems)
            .row(ItemRow(1, 1001, Variant::Null(), 103, 99.0, "Adult"))
            .row(ItemRow(5, Variant::Null(), 502, Variant::Null(), 0, "Family"))
            .row(ItemRow(0, Variant::Null(), Variant::Null(), Variant::Null(), 0, "Draft"));
        product.setStoreNo(1);
        product.setProductNo(100);
        product.setOriginalProductNo(100);
        product.setProductName("Day Tickets");
        product.setProductGroupNo(20);
        product.PhotoFamily = "HOLIDAY";
        product.GroupManualInvoice = true;
        editor.Setup(maint, product);
    }

    CProduct product;
};

TEST_F(ProductEditorFormsTest, ProductSetupFillsListsControlsAndItemsGrid) {
    frmStoreProduct editor;
    SetupProduct(editor);
    EXPECT_EQ(editor.windowTitle(), "Store Product Day Tickets (100)");
    EXPECT_EQ(editor.cmbProductGroup->count(), 3);
    EXPECT_EQ(editor.cmbProductGroup->Text(), ""); // the group with no description, number 20
    EXPECT_EQ(editor.cmbProductGroup->SelectedNumber(), 20);
    EXPECT_EQ(editor.cmbProductType->count(), 2);
    EXPECT_EQ(editor.cmbPhotoFamily->Text(), "Holiday");
    EXPECT_EQ(editor.ckbManualInvoice->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(editor.ckbManualInvoice->isEnabled());
    EXPECT_FALSE(editor.picTab[1]->isEnabled());

    const FlexGrid& grid = *editor.gdItems;
    ASSERT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(1, 2), "PRICE");
    EXPECT_EQ(grid.gridModel()->DisplayText(1, 5), "$99.00");
    EXPECT_EQ(grid.TextMatrix(2, 2) + grid.TextMatrix(2, 3), "PKG502");
    EXPECT_EQ(grid.TextMatrix(3, 2) + grid.TextMatrix(3, 3), "PKG502"); // no numbers: the row before's
    EXPECT_EQ(editor.HighestSeqNo(), 5);
}

TEST_F(ProductEditorFormsTest, RefusalsKeepTheDialogOpenWithTheInput) {
    frmStoreProduct editor;
    product.setStoreNo(1);
    editor.Setup(maint, product);
    ScriptedMessages messages;
    messages.expect().expect();
    editor.txtProductNo->setText("12a");
    editor.txtProductName->setText("Kept");
    Button(editor, "cmdApply")->click();
    EXPECT_EQ(editor.txtProductNo->text(), "12a");
    editor.txtProductNo->setText("100");
    db->script("ZEV_SP_STORE_InsertProduct")
        .returns(-1)
        .output("@Message", "Product 100 already exists in store 1.");
    Button(editor, "cmdOk")->click();

    QStringList shown;
    for (const auto& message : messages.shown())
        shown << message.title + ": " + message.prompt;
    EXPECT_EQ(shown, QStringList({"InValid Product Number: Product Number must be numeric.",
                                  "Product Update Error: Product 100 already exists in store 1."}));
    EXPECT_TRUE(editor.UserCanceled());
    EXPECT_EQ(editor.txtProductName->text(), "Kept");
    EXPECT_EQ(product.OriginalProductNo(), 0); // the next save still inserts
}

TEST_F(ProductEditorFormsTest, DeleteRemovesAnUnstoredRowAtOnceAndAsksForAStoredOne) {
    frmStoreProduct editor;
    SetupProduct(editor);
    editor.tabProperties->SelectKey("ITEMS");
    FlexGrid& grid = *editor.gdItems;
    grid.setRow(3);
    Button(editor, "cmdDelete")->click();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_TRUE(db->callsOf("ZEV_SP_STORE_DeleteProductItem").empty());

    ScriptedMessages messages;
    messages.expect(MsgBoxResult::No).expect(MsgBoxResult::Yes);
    grid.setRow(2);
    QTest::keyClick(&grid, Qt::Key_Delete); // the key asks as the button does
    Button(editor, "cmdDelete")->click();
    EXPECT_EQ(messages.shown()[0].prompt, "Are you sure you want to delete product item (Family)?");
    ExpectSent(db->lastCall(), {{"@store_no", 1}, {"@product_no", 100}, {"@seq_no", 5}});
    EXPECT_EQ(grid.Rows(), 2);
}

// An item of product 100 stored as sequence 3, bound to price 103, with an up-sell: its links are listed, and
// each item picked for a new link opens the link editor.
TEST_F(ProductEditorTest, ItemEditorListsItsLinksAndEachPickedItemOpensTheLinkEditor) {
    CProductItem item;
    item.setStoreNo(1);
    item.setProductNo(100);
    item.setSeqNo(3);
    item.setOriginalSeqNo(3);
    item.setItemNo(1001);
    item.setPriceNo(103);
    item.setPrice(99);
    item.setPriceUnitQty(1);
    item.MaxAge = 64.5;
    item.setAvailableEndDate(Variant::Null());
    db->script("ZEV_SP_STORE_GetProductItemSell")
        .row({{"sell_code", "UPSELL"},
              {"price_no", 103},
              {"unit_qty", int16_t(1)},
              {"item_price", 99.0},
              {"new_price_no", 109},
              {"new_unit_qty", int16_t(1)},
              {"new_item_price", 499.0},
              {"new_product_no", 200},
              {"new_seq_no", 2},
              {"new_product_item_name", "Season Pass"}});
    frmStoreProductItem editor;
    editor.Setup(maint, item, "Day Tickets");
    EXPECT_EQ(editor.lblPriceNo->text(), "1@(103) $99.00");
    EXPECT_EQ(editor.txtMaxAge->text(), "64.50");
    EXPECT_TRUE(editor.dtEndDate->IsNull());
    const FlexGrid& grid = *editor.gdItemSell;
    ASSERT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 2), "1@(109) $499.00");
    EXPECT_EQ(grid.TextMatrix(1, 5), "200-2 : Season Pass");

    db->script(GetItems)
        .row(ItemRow(3, 1001, Variant::Null(), Variant::Null(), 0, "Adult")) // the item itself: not offered
        .row(ItemRow(2, 1002, Variant::Null(), Variant::Null(), 0, "Child"))
        .row(ItemRow(4, 1003, Variant::Null(), Variant::Null(), 0, "Senior"));
    QStringList linked;
    ModalScript dialogs;
    dialogs.on<frmSelectStoreProductItem>([](frmSelectStoreProductItem& picker) {
        ASSERT_EQ(picker.gdItems->Rows(), 3);
        picker.gdItems->setIsSelected(1, true);
        picker.gdItems->setIsSelected(2, true);
        picker.cmdOk->click();
    });
    for (int pick = 0; pick < 2; ++pick)
        dialogs.on<frmStoreProductItemSell>([&](frmStoreProductItemSell& link) {
            linked << link.lblTo->text();
            link.cmdOk->click();
        });
    editor.cmdAdd->click();
    EXPECT_EQ(linked, QStringList({"Child", "Senior"}));
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_UpdateProductItemSell").size(), 2u);
    ASSERT_EQ(editor.gdItemSell->Rows(), 3);
    EXPECT_EQ(editor.gdItemSell->TextMatrix(2, 0), "CROSSSELL");
    EXPECT_EQ(editor.gdItemSell->TextMatrix(2, 5), "100-4 : Senior");
}

TEST_F(ProductEditorTest, ListItemEditorClosesWhenThePickAtOnceIsCancelledAndKeepsThePrice) {
    db->script(GetItems);
    CListItem entry;
    entry.setStoreNo(1);
    entry.setListId("FEATURED");
    {
        frmStoreListItem editor;
        editor.Setup(maint, entry);
        ModalScript dialogs;
        dialogs.on<frmSelectStoreProductItem>(
            [](frmSelectStoreProductItem& picker) { picker.cmdCancel->click(); });
        editor.show();
        QApplication::processEvents();
        EXPECT_FALSE(editor.isVisible());
        EXPECT_TRUE(editor.UserCancelled());
    }

    entry.setSeqNo(2);
    entry.setOriginalSeqNo(2);
    entry.setPriceNo(109);
    entry.setPrice(499);
    entry.setUnitQty(1);
    frmStoreListItem editor;
    editor.Setup(maint, entry);
    EXPECT_EQ(editor.lblPriceNo->text(), "1@(109) $499.00");
    ScriptedMessages messages;
    messages.expect();
    editor.cmdOk->click(); // bound price, no product item
    EXPECT_EQ(messages.shown()[0].prompt, "You must select a product.");

    db->script(GetItems).row(ItemRow(2, 1004, Variant::Null(), 109, 499.0, "Season Pass"));
    ModalScript dialogs;
    dialogs.on<frmSelectStoreProductItem>([](frmSelectStoreProductItem& picker) {
        picker.gdItems->setIsSelected(1, true);
        picker.cmdOk->click();
    });
    editor.lblPriceNo->setText("kept");
    editor.cmdSelect->click();
    EXPECT_EQ(editor.lblProductItem->text(), "100-2 : Season Pass");
    EXPECT_EQ(editor.lblPriceNo->text(), "kept");
}

// Chosen with the keyboard: Space on the price button opens the prices, and Enter then confirms the entry
// instead of opening them again.
TEST_F(ProductEditorTest, ListItemEditorTakesEnterAfterTheChosenPriceAsOK) {
    CListItem entry;
    entry.setStoreNo(1);
    entry.setListId("FEATURED");
    entry.setSeqNo(2);
    entry.setOriginalSeqNo(2);
    entry.setProductNo(100);
    entry.setProductItemSeqNo(1);
    frmStoreListItem editor;
    editor.Setup(maint, entry);
    editor.show();
    QApplication::setActiveWindow(&editor);
    editor.cmdSelectPrice->setFocus();
    db->script("ZEV_SP_STORE_GetProductItemPrices")
        .row({{"price_no", 109},
              {"season_no", Variant::Null()},
              {"season_desc", Variant::Null()},
              {"discount_id", ""},
              {"discount_desc", ""},
              {"unit_id", "EA"},
              {"unit_qty", int16_t(1)},
              {"unit_price", 499.0},
              {"Price", 499.0}});
    ModalScript dialogs;
    dialogs.on<frmSelectPrice>([](frmSelectPrice& picker) {
        picker.gdItems->setRow(1);
        picker.cmdOk->click();
    });
    QTest::keyClick(editor.cmdSelectPrice, Qt::Key_Space);
    EXPECT_EQ(editor.lblPriceNo->text(), "1@(109) $499.00");
    ASSERT_EQ(QApplication::focusWidget(), editor.cmdOk);
    db->script("ZEV_SP_STORE_UpdateListItem").returns(0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialogs.shownCount(), 1) << "the prices are not opened again";
    EXPECT_FALSE(editor.UserCancelled());
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_UpdateListItem").size(), 1u);
}

} // namespace
