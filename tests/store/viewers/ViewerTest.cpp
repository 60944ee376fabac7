#include "store/host/ServiceTest.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

namespace {

const QString Cart = QStringLiteral(
    R"(<CART><ITEM qty="1"><NAME>Day Pass</NAME><PRICE>59.00</PRICE></ITEM><PAYMENT CARD_NO="4111111111111111" TYPE="VISA"/></CART>)");

class ViewerTest : public ServiceTest {};

TEST_F(ViewerTest, OrderViewerShowsTheCartOutlineMaskedAndTheLog) {
    db->script("ZEV_SP_STORE_GetOrderLog")
        .row({{"log_datetime", "3/7/2006 2:05:00 PM"},
              {"log_trans_type", "INSERT"},
              {"log_comment", "Cart created"}})
        .row({{"log_datetime", "3/7/2006 2:09:00 PM"},
              {"log_trans_type", "PAY"},
              {"log_comment", Variant::Null()}});
    frmOrderDetail viewer;
    viewer.Setup(db, error, 2, 1234.0, Cart, false);

    EXPECT_EQ(viewer.windowTitle(), "Order Detail for Cart (1234)");
    ExpectSent(db->lastCall(), {{"@store_no", 2}, {"@shopping_cart_no", 1234.0}});
    const FlexGrid& cart = *viewer.gdCartData;
    EXPECT_EQ(GridColumn(cart, 0),
              QStringList({"CART", "ITEM", "qty", "NAME", "PRICE", "PAYMENT", "CARD_NO", "TYPE"}));
    EXPECT_EQ(cart.TextMatrix(7, 1), "XXXXXXXXXXXX1111");
    EXPECT_EQ(cart.CellBackColor(4, 1),
              QColor(0, 255, 255)); // the outline's levels and colours reach the grid
    EXPECT_EQ(cart.RowOutlineLevel(3), 2);
    EXPECT_EQ(GridColumn(*viewer.gdLog, 1), QStringList({"INSERT", "PAY"}));

    viewer.resize(800, 600);
    EXPECT_GT(viewer.gdCartData->x(), 0);
    EXPECT_EQ(viewer.gdLog->x(), -20000);
    viewer.tabDetail->SelectKey("LOG");
    EXPECT_EQ(viewer.gdCartData->x(), -20000);
    EXPECT_GT(viewer.gdLog->x(), 0);
}

TEST_F(ViewerTest, OrderViewerWithBrokenCartSaysWhyAndStillShowsTheLog) {
    db->script("ZEV_SP_STORE_GetOrderLog")
        .row({{"log_datetime", "x"}, {"log_trans_type", "PAY"}, {"log_comment", ""}});
    ScriptedMessages messages;
    messages.expect();
    frmOrderDetail viewer;
    viewer.Setup(db, error, 2, 9.0, "<CART><ITEM></CART>", true);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.startsWith("Unable to parse xml document due to error: "));
    EXPECT_EQ(messages.shown()[0].buttons, 0);
    EXPECT_EQ(viewer.gdCartData->Rows(), 1);
    EXPECT_EQ(viewer.gdLog->Rows(), 2);
}

TEST_F(ViewerTest, DisplayOrderDetailWithoutCartOrWithANullCartSaysNoCartData) {
    db->script("ZEV_SP_STORE_GetOrderData").output("@view_card", Variant::Null());
    db->script("ZEV_SP_STORE_GetOrderData")
        .output("@view_card", true)
        .row({{"shopping_cart_data", Variant::Null()}});
    ScriptedMessages messages;
    messages.expect().expect();
    maint.DisplayOrderDetail(2, 1.0);
    maint.DisplayOrderDetail(2, 2.0);
    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& shown : messages.shown()) {
        EXPECT_EQ(shown.prompt, "Either the data could not be found or you do not have permission to view");
        EXPECT_EQ(shown.buttons, 64);
        EXPECT_EQ(shown.title, "No Cart Data");
    }
    EXPECT_TRUE(error->reports.empty());
}

// A customer's card number is shown as stored; a new customer has no old data, and no message says so.
TEST_F(ViewerTest, CustomerLogDetailShowsTheCardUnmaskedAndOldDataOnlyWhenThere) {
    db->script("ZEV_SP_STORE_GetCustomerLogData")
        .row({{"customer_data", R"(<C CARD_NO="4111111111111111"><N>new</N></C>)"},
              {"old_customer_data", Variant::Null()}});
    ModalScript dialogs;
    dialogs.on<frmLogDetail>([](frmLogDetail& viewer) {
        EXPECT_EQ(viewer.windowTitle(), "Customer Log for log (12)");
        EXPECT_EQ(viewer.gdNew->TextMatrix(2, 1), "4111111111111111");
        EXPECT_EQ(viewer.gdOld->Rows(), 1);
    });
    maint.DisplayCustomerLogDetail(12);
    EXPECT_EQ(db->lastCall().value("@log_no"), Variant(12.0));

    db->script("ZEV_SP_STORE_GetCustomerLogData");
    db->script("ZEV_SP_STORE_GetCustomerLogData")
        .row({{"customer_data", Variant::Null()}, {"old_customer_data", "<C/>"}});
    maint.DisplayCustomerLogDetail(13);
    maint.DisplayCustomerLogDetail(14);
    EXPECT_EQ(dialogs.shownCount(), 1) << "nothing is shown for a log entry without data or with null data";
    EXPECT_TRUE(error->reports.empty());
}

} // namespace
