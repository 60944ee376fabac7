#pragma once

#include "store/control/Store.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

#include <QStringList>

inline Row StoreRow(int32_t storeNo, const QString& description) {
    Row row = {{"store_no", storeNo}, {"Description", description}};
    for (const char* text :
         {"store_url", "store_logo_url", "default_product_url", "Register_id", "error_notify_email",
          "confirmation_document", "ship_document", "manual_document", "email_from", "so_type"})
        row.emplace_back(text, "");
    row.emplace_back("register_installed", false);
    row.emplace_back("location_register", false);
    return row;
}

// An order as the order search lists it.
inline Row OrderRow(double cartNo, const Variant& salesOrderNo = Variant::Null(), const QString& email = {}) {
    return {{"shopping_cart_no", cartNo},
            {"inserted_datetime", QDateTime(QDate(2006, 3, 7), QTime(14, 5))},
            {"status_id", "PAID"},
            {"salesorder_no", salesOrderNo},
            {"customer_no", 42},
            {"external_customer_no", Variant::Null()},
            {"notify_email_address", email}};
}

inline Row ListItemRow(int32_t seqNo, const char* name) {
    return {{"seq_no", seqNo}, {"product_no", 100}, {"product_item_seq_no", 1}, {"product_item_name", name},
            {"price_no", 15},  {"Price", 12.5},     {"unit_qty", int16_t(1)}};
}

inline const QString DefaultKey = QStringLiteral("AppData\\Store|Environment|DefaultStoreNo");

// The control over a scripted connection with the procedures of its views declared.
class StoreTest : public RecordTest {
protected:
    StoreTest() {
        server->db = db;
        server->error = error;
        server->customers = picker;
        control.resize(1000, 700);
    }

    // The store list, and the selected store's opening, as the database answers them.
    void scriptStores(int32_t openedStore = 0) {
        db->script("ZEV_SP_STORE_GetStore")
            .row(StoreRow(3, "Summit Lifts"))
            .row(StoreRow(5, "Valley Rentals"));
        if (openedStore)
            db->script("ZEV_SP_STORE_GetStore").row(StoreRow(openedStore, "opened"));
    }

    void start(const QString& storedDefault = {}) {
        if (!storedDefault.isNull())
            server->settings->values[DefaultKey] = storedDefault;
        control.SetAppServer(server);
        control.Setup();
        control.Enable();
    }

    // Store 3 of two opened, showing the view.
    void openOn(const char* tab) {
        scriptStores(3);
        start("3");
        control.tabStore->SelectKey(tab);
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    std::shared_ptr<ScriptedCustomerPicker> picker = std::make_shared<ScriptedCustomerPicker>();
    Store control;
};
