#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "store/host/CStoreMaint.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "support/ScriptedConnection.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"

#include <QAbstractButton>
#include <QComboBox>

namespace {

const QString FullCard = QStringLiteral("4111111111111111");
const QString MaskedCard = QStringLiteral("XXXXXXXXXXXX1111");

QString GridText(const FlexGrid& grid) {
    QString text;
    for (int32_t row = 0; row < grid.Rows(); ++row)
        for (int32_t col = 0; col < grid.Cols(); ++col)
            text += grid.TextMatrix(row, col) + u'|';
    return text;
}

class Rights : public DatabaseTest {};

TEST_P(Rights, NoProcedureWithoutTheStoreRightAndNoCardNumberWithoutTheCardRight) {
    // Without the right the control never takes the connection, whatever is pressed or chosen.
    auto server = std::make_shared<FakeAppServer>();
    server->permitted = false;
    server->db = connection("guest");
    server->error = std::make_shared<RecordingErrorObject>();
    auto handedOver = std::make_shared<ScriptedConnection>();
    {
        Store control;
        // The alert, then the two store commands asking for a store first.
        ScriptedMessages messages;
        messages.expect().expect().expect();
        control.SetAppServer(server);
        control.Setup();
        control.Enable();
        // Even a connection the host hands over afterwards is never used.
        control.setDBConnection(handedOver);
        for (QComboBox* combo : control.findChildren<QComboBox*>())
            for (int i = 0; i < combo->count(); ++i)
                combo->setCurrentIndex(i);
        for (QAbstractButton* button : control.findChildren<QAbstractButton*>())
            if (button->isEnabled())
                button->click();
        control.ShutDown();
        ASSERT_EQ(messages.shown().size(), 3u);
        EXPECT_EQ(messages.shown()[0].title, "Security Alert");
    }
    EXPECT_TRUE(server->connectionNames.isEmpty());
    EXPECT_TRUE(handedOver->calls().empty());
    EXPECT_TRUE(server->error->reports.empty());

    // The cart data itself carries the card number only for a user with the card right; naming such a user
    // as the caller grants nothing.
    struct Case {
        const char* signedIn;
        const char* named;
        bool full;
    };
    for (const Case& c : {Case{"auditor", "auditor", true}, Case{"clerk", "clerk", false},
                          Case{"clerk", "auditor", false}, Case{"auditor", "clerk", false}}) {
        auto db = connection(QString::fromLatin1(c.signedIn));
        const auto cart =
            ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetOrderData",
                               {{"@store_no", 1}, {"@shopping_cart_no", 100001.0}, {"@zev_user", c.named}});
        const std::string which = std::string(c.signedIn) + " naming " + c.named;
        EXPECT_EQ(cart.output("@view_card"), Variant(c.full)) << which;
        ASSERT_EQ(cart.rows.size(), 1u) << which;
        const QString data = cart.at(0, "shopping_cart_data").toText();
        EXPECT_EQ(data.contains(FullCard), c.full) << which;
        EXPECT_EQ(data.contains(MaskedCard), !c.full) << which;
    }

    // And the order viewer shows it so.
    for (const char* user : {"clerk", "auditor"}) {
        auto viewer = std::make_shared<FakeAppServer>();
        viewer->db = connection(QString::fromLatin1(user));
        viewer->error = std::make_shared<RecordingErrorObject>();
        CStoreMaint maint;
        maint.setAppServer(viewer);
        QString shown;
        ModalScript dialogs;
        dialogs.on<frmOrderDetail>([&](frmOrderDetail& detail) {
            shown = GridText(*detail.gdCartData);
            EXPECT_GT(detail.gdLog->Rows(), 1) << "the order has a log";
        });
        maint.DisplayOrderDetail(1, 100001);
        // A customer's change log entry shows both sides.
        dialogs.on<frmLogDetail>([](frmLogDetail& detail) {
            EXPECT_GT(detail.gdNew->Rows(), 1);
            EXPECT_GT(detail.gdOld->Rows(), 1);
        });
        maint.DisplayCustomerLogDetail(2);
        EXPECT_EQ(dialogs.shownCount(), 2);
        const bool full = QLatin1String(user) == QLatin1String("auditor");
        EXPECT_EQ(shown.contains(FullCard), full) << user;
        EXPECT_EQ(shown.contains(MaskedCard), !full) << user;
        EXPECT_TRUE(viewer->error->reports.empty()) << user;
    }
}

ZEV_INSTANTIATE_BACKENDS(Rights);

} // namespace
