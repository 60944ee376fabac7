#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/editors/store/frmStore.h"
#include "store/viewers/frmCheckStore.h"
#include "support/FakeAppServer.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

using CheckStoreOnDemoData = DatabaseTest;

// The editor a finding opened, and the tab it opened on.
QString Opened(QDialog& editor) {
    QString opened = QLatin1String(editor.metaObject()->className());
    // The store editor's tab, and what takes the typing there.
    if (auto* store = dynamic_cast<frmStore*>(&editor))
        opened += ' ' + store->tabTabs->SelectedKey() + ' ' + store->focusWidget()->objectName();
    if (auto* product = dynamic_cast<frmStoreProduct*>(&editor))
        opened += ' ' + product->tabProperties->SelectedKey();
    return opened;
}

// The gift shop's deliberate faults, each opened in its editor by Enter, a double click or "Open"; the check
// runs again after an editor closes and on "Check Again", down to none.
TEST_P(CheckStoreOnDemoData, FindsTheGiftShopsFaultsAndOpensEachInItsEditor) {
    auto server = host(3);
    Store control;
    control.SetAppServer(server);
    control.Setup();
    ASSERT_TRUE(control.mnuToolCheckStore->isEnabled());

    ModalScript dialogs;
    QStringList opened;
    dialogs.on<frmCheckStore>([&](frmCheckStore& check) {
        EXPECT_EQ(check.windowTitle(), "Check Store - Valley Lodge Gift Shop");
        EXPECT_EQ(check.lblCount->text(), "6 problems found.");
        QStringList rows;
        for (int32_t row = 1; row < check.gdFindings->Rows(); ++row)
            rows << GridCells(*check.gdFindings, row).join(" | ");
        EXPECT_EQ(rows,
                  QStringList({
                      "Fee | Fee GIFT WRAP | Item 6004 Gift Wrap is no longer active.",
                      "Group | Group 8 | Clearance has no active products.",
                      "List item | List GIFTS, entry 6 | Lists Trail Map Poster - Summer Edition (30/2), "
                      "which was on sale until 2026-08-31.",
                      "Product | Product 40 | Holiday Ornaments has no items.",
                      "Cross-sell | 10/1 to 10/3 | Offers Holiday Beanie (10/3), which is not active.",
                      "Document | Ship document | Uses the field [OrderNumber], which the list of "
                      "document fields does not know.",
                  }));
        for (int32_t row = 1; row < check.gdFindings->Rows(); ++row) {
            dialogs.on<QDialog>([&](QDialog& editor) {
                opened << Opened(editor);
                editor.hide();
            });
            check.gdFindings->setRow(row);
            if (row % 3 == 0)
                QTest::keyClick(check.gdFindings, Qt::Key_Return);
            else if (row % 3 == 1)
                emit check.gdFindings->DblClick();
            else
                check.cmdOpen->click();
        }
        // Mended in its editor: the check after it no longer finds it.
        dialogs.on<frmStore>([&](frmStore& editor) {
            db().execute("DELETE FROM zev_store_product_group WHERE store_no = 3 AND product_group_no = 8");
            editor.hide();
        });
        check.gdFindings->setRow(2);
        check.cmdOpen->click();
        EXPECT_EQ(check.lblCount->text(), "5 problems found.");
        EXPECT_EQ(check.gdFindings->TextMatrix(2, 1), "List GIFTS, entry 6");

        for (const char* mend :
             {"DELETE FROM zev_store_product_item_sell WHERE store_no = 3 AND new_seq_no = 3",
              "DELETE FROM zev_store_list_item WHERE store_no = 3 AND seq_no = 6",
              "DELETE FROM zev_store_product WHERE store_no = 3 AND product_no = 40",
              "DELETE FROM zev_store_fee WHERE store_no = 3 AND fee_id = 'GIFT WRAP'",
              "UPDATE zev_store SET ship_document = 'Order [OrderNo] is on its way.' WHERE store_no = 3"})
            db().execute(mend);
        check.cmdCheckAgain->click();
        EXPECT_EQ(check.lblCount->text(),
                  "No problems found: nothing in this store stands in a customer's way.");
        EXPECT_EQ(check.gdFindings->Rows(), 1);
        EXPECT_FALSE(check.cmdOpen->isEnabled());
        bool closed = false;
        QObject::connect(&check, &QDialog::rejected, [&] { closed = true; });
        QTest::keyClick(&check, Qt::Key_Escape);
        EXPECT_TRUE(closed);
    });
    control.mnuToolCheckStore->trigger();
    EXPECT_EQ(opened,
              QStringList({"frmStore FEE gdData", "frmStore GROUP gdData", "frmStoreListItem",
                           "frmStoreProduct ITEMS", "frmStoreProductItemSell", "frmStore SHIP txtDocument"}));
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(CheckStoreOnDemoData);

} // namespace
