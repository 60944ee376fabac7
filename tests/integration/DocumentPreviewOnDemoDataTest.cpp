#include "dbsupport/TestDatabase.h"
#include "store/editors/store/frmDocumentPreview.h"
#include "store/editors/store/frmStore.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/TabStrip.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>

namespace {

// Every field of the demo field list, and one it does not know.
const QString EveryField = "No [OrderNo] of [OrderDate] for [CustomerName]: [OrderTotal]\n"
                           "Ship to [ShipAddress]\n[StoreName] at [PickupLocation], [OrderNumber]";

// The store editor's document preview against the real procedures on the demo data, on each backend.
class DocumentPreviewOnDemoDataTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        server->db = connection();
        maint.setAppServer(server);
    }

    // The preview of the document as it is typed on the store's confirmation tab, worked by work.
    void Preview(int32_t storeNo, const QString& document,
                 const std::function<void(frmDocumentPreview&)>& work) {
        store.OpenStore(server->db, server->error, storeNo);
        form.Setup(maint, store);
        form.tabTabs->SelectKey("CONFIRM");
        form.txtDocument->setPlainText(document);
        ModalScript dialogs;
        dialogs.on<frmDocumentPreview>([&](frmDocumentPreview& preview) {
            work(preview);
            preview.cmdClose->click();
            EXPECT_TRUE(preview.isHidden());
        });
        form.cmdPreview->click();
    }
    static void Pick(frmDocumentPreview& preview, const QString& typed) {
        preview.cmbOrder->setEditText(typed);
        emit preview.cmbOrder->lineEdit()->returnPressed();
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
    CStore store;
    frmStore form;
};

TEST_P(DocumentPreviewOnDemoDataTest, FillsEveryFieldFromTheNewestOrderOrOneThatIsPicked) {
    const QString saved =
        db().scalar("SELECT confirmation_document FROM zev_store WHERE store_no = 1").toString();
    const int changes = db().count("zev_change_history");
    Preview(1, EveryField, [&](frmDocumentPreview& preview) {
        EXPECT_EQ(preview.txtPreview->toPlainText(), "No 5000000001 of 01/02/2027 for Aiko Tanaka: $129.00\n"
                                                     "Ship to 88 Canyon Road, Salt Lake City, UT 84101\n"
                                                     "Summit Peak Lift Tickets at BASE, [OrderNumber]");
        EXPECT_EQ(preview.lblUnknownFields->text(), "Unknown fields: [OrderNumber]");
        EXPECT_TRUE(preview.lblNoValueFields->isHidden());
        ASSERT_EQ(preview.txtPreview->extraSelections().size(), 1);
        EXPECT_EQ(preview.txtPreview->extraSelections()[0].cursor.selectedText(), "[OrderNumber]");
        EXPECT_EQ(preview.cmbOrder->count(), 6) << "the store's orders, newest first";

        // A customer known only by first and last name, and an order shipped nowhere.
        Pick(preview, "100005");
        EXPECT_EQ(preview.txtPreview->toPlainText(),
                  "No 100005 of 12/24/2026 for James O'Brien: $129.00\nShip to \n"
                  "Summit Peak Lift Tickets at BASE, [OrderNumber]");
        EXPECT_EQ(preview.lblNoValueFields->text(), "No value in this order (left empty): [ShipAddress]");
        EXPECT_EQ(preview.txtPreview->extraSelections().size(), 2);

        // Another store's order, and text that is no order number, fill nothing.
        for (const QString typed : {"200001", "abc"}) {
            Pick(preview, typed);
            EXPECT_EQ(preview.txtPreview->toPlainText(), EveryField);
            EXPECT_TRUE(preview.lblOrderState->text().contains(typed))
                << preview.lblOrderState->text().toStdString();
        }
    });
    // Nothing was stored by previewing: the record, the editor's changed flag and the database stay as they
    // were.
    EXPECT_EQ(form.txtDocument->toPlainText(), EveryField);
    EXPECT_TRUE(form.DocumentChanged());
    EXPECT_EQ(store.ConfirmationDocument(), saved);
    EXPECT_EQ(db().scalar("SELECT confirmation_document FROM zev_store WHERE store_no = 1").toString(),
              saved);
    EXPECT_EQ(db().count("zev_change_history"), changes);
    EXPECT_TRUE(server->error->reports.empty());
}

TEST_P(DocumentPreviewOnDemoDataTest, TheEditorMarksUnknownFieldsAndAStoreWithoutOrdersFillsNone) {
    db().execute("DELETE FROM zev_shopping_cart WHERE store_no = 3");
    Preview(3, "Dear [CustomerName], [Total]", [](frmDocumentPreview& preview) {
        EXPECT_EQ(preview.txtPreview->toPlainText(), "Dear [CustomerName], [Total]");
        EXPECT_EQ(preview.lblOrderState->text(), "The store has no order to fill the fields from.");
        EXPECT_EQ(preview.lblUnknownFields->text(), "Unknown fields: [Total]");
        EXPECT_EQ(preview.cmbOrder->count(), 0);
    });
    // As the user types, the unknown fields are underlined and named; a fixed one is no longer.
    ASSERT_EQ(form.txtDocument->extraSelections().size(), 1);
    EXPECT_EQ(form.txtDocument->extraSelections()[0].cursor.selectedText(), "[Total]");
    EXPECT_EQ(form.txtDocument->extraSelections()[0].format.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(form.lblUnknownFields->text(), "Unknown fields: [Total]");
    form.txtDocument->setPlainText("Dear [CustomerName], [OrderTotal]");
    EXPECT_TRUE(form.txtDocument->extraSelections().isEmpty());
    EXPECT_TRUE(form.lblUnknownFields->text().isEmpty());
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(DocumentPreviewOnDemoDataTest);

} // namespace
