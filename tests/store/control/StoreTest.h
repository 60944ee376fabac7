#pragma once

#include "store/control/Store.h"
#include "store/records/RecordTest.h"
#include "support/FakeAppServer.h"
#include "widgets/FlexGrid.h"

#include <QStringList>

inline Row StoreRow(int32_t storeNo, const QString& description) {
    return {{"store_no", storeNo},
            {"Description", description},
            {"store_url", ""},
            {"store_logo_url", ""},
            {"default_product_url", ""},
            {"Register_id", ""},
            {"register_installed", false},
            {"error_notify_email", ""},
            {"confirmation_document", ""},
            {"ship_document", ""},
            {"manual_document", ""},
            {"email_from", ""},
            {"location_register", false},
            {"so_type", ""}};
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

    QStringList column(int col) const {
        QStringList texts;
        for (int row = 1; row < control.gdData->Rows(); ++row)
            texts << control.gdData->TextMatrix(row, col);
        return texts;
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    std::shared_ptr<ScriptedCustomerPicker> picker = std::make_shared<ScriptedCustomerPicker>();
    Store control;
};
