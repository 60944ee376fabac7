#pragma once

#include "store/host/CStoreMaint.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"

#include <QPushButton>

// What the product editor tests share: the scripted connection with the procedures the editors call, and
// the service over it with a scripted item picker.
class ProductEditorTest : public RecordTest {
protected:
    ProductEditorTest() {
        const QStringList itemKey{"@store_no", "@product_no", "@seq_no"};
        db->declare("ZEV_SP_STORE_GetProductItem", itemKey);
        db->declare("ZEV_SP_STORE_DeleteProductItem", itemKey);
        db->declare("ZEV_SP_STORE_GetProductItemSell", itemKey);
        const QStringList product{
            "@product_type", "@product_name", "@short_description", "@long_description", "@product_group_no",
            "@product_url",  "@image_width",  "@image_height",      "@is_active",        "@item_display_type",
            "@photo_family", "@num_cols",     "@manual_invoice",    "@Message"};
        db->declare("ZEV_SP_STORE_InsertProduct", QStringList{"@store_no", "@product_no"} + product);
        db->declare("ZEV_SP_STORE_UpdateProduct",
                    QStringList{"@store_no", "@product_no", "@product_no_key"} + product);
        db->declare("ZEV_SP_STORE_ProductItemDefaults",
                    {"@store_no", "@product_no", "@item_no", "@price_no", "@package_no", "@description",
                     "@product_item_name", "@product_url", "@prompt_rental", "@prompt_lesson",
                     "@prompt_customer", "@prompt_photo", "@prompt_alert", "@available_start_date",
                     "@available_end_date", "@advance_purchase_days", "@is_active"});
        const QStringList sellKey{"@store_no",       "@product_no", "@seq_no",      "@price_no",
                                  "@new_product_no", "@new_seq_no", "@new_price_no"};
        db->declare("ZEV_SP_STORE_UpdateProductItemSell",
                    sellKey + QStringList{"@sell_code", "@sell_text", "@product_no_key", "@seq_no_key",
                                          "@price_no_key", "@new_product_no_key", "@new_seq_no_key",
                                          "@new_price_no_key", "@message"});
        db->declare("ZEV_SP_STORE_GetProductItemPrices",
                    {"@item_no", "@package_no", "@store_no", "@product_no", "@seq_no"});
        server->db = db;
        server->error = error;
        maint.setAppServer(server);
    }

    static QPushButton* Button(QWidget& form, const char* name) { return form.findChild<QPushButton*>(name); }
    template <typename Control> static Control* Find(QWidget& form, const char* name) {
        return form.findChild<Control*>(name);
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};
