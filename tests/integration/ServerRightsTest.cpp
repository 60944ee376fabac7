#include "database/Schema.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "dbsupport/WritingCalls.h"
#include "store/host/CStoreMaint.h"
#include "store/viewers/frmOrderDetail.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "widgets/FlexGrid.h"

#include <QSqlQuery>

namespace {

const QString FullCard = QStringLiteral("4111111111111111");
const QString MaskedCard = QStringLiteral("XXXXXXXXXXXX1111");
const QString CartData = QStringLiteral("SELECT shopping_cart_data FROM %1 WHERE shopping_cart_no = 100001");

// A team's server: each person a login with a password of their own, and the server, not the client,
// deciding what each may read and write.
class ServerRights : public testing::Test {
protected:
    void SetUp() override {
        if (!TestDatabase::Available(Backend::PostgreSQL))
            GTEST_SKIP() << "no PostgreSQL server given (ZEVSTORE_TEST_PG_URL)";
        db = TestDatabase::Create(Backend::PostgreSQL);
        clerk = db->login("clerk", {"STORE"});
        auditor = db->login("auditor", {"STORE", "STORE_VIEW_CARD"});
    }
    // What psql with the person's own password has: plain SQL on their own connection.
    std::shared_ptr<SqlSession> Plain(const QString& login) {
        return SqlSession::Open(db->targetAs(login, db->password(login)));
    }
    std::shared_ptr<SqlConnection> Module(const QString& login) {
        return SqlConnection::Open(db->targetAs(login, db->password(login)), "admin");
    }
    static bool Refused(SqlSession& session, const QString& sql) {
        try {
            session.run(sql);
            return false;
        } catch (const RuntimeError& error) {
            return error.description.contains("permission denied");
        }
    }

    std::unique_ptr<TestDatabase> db;
    QString clerk, auditor;
};

TEST_F(ServerRights, APersonSignsInWithTheirOwnPasswordOnlyAndIsThatLogin) {
    // The name the client offers does not count: the login does.
    EXPECT_EQ(Module(clerk)->CurrentUser(), clerk);
    EXPECT_EQ(Module(auditor)->CurrentUser(), auditor);
    for (const QString& wrong : {db->password(auditor), db->password(clerk) + "x"})
        EXPECT_EQ(db->signInRefusal(clerk, wrong), db->passwordRefused(clerk));
}

TEST_F(ServerRights, AClerkSeesMaskedCardNumbersEverywhereAndCannotTouchTheRights) {
    auto plain = Plain(clerk);
    const QString masked = plain->scalar(CartData.arg(Schema::MaskedCarts)).toString();
    EXPECT_TRUE(masked.contains(MaskedCard) && !masked.contains(FullCard)) << masked.toStdString();
    EXPECT_TRUE(Refused(*plain, CartData.arg("zev_shopping_cart")));
    EXPECT_TRUE(Refused(*plain, "SELECT * FROM zev_shopping_cart"));
    EXPECT_TRUE(Refused(*plain, "INSERT INTO zev_user_right (user_id, right_id) VALUES ('" + clerk +
                                    "', 'STORE_VIEW_CARD')"));
    EXPECT_TRUE(Refused(*plain, "UPDATE zev_user SET full_name = 'x'"));
    EXPECT_TRUE(Refused(*plain, "DELETE FROM zev_user_right"));
    // Of the users, each login sees itself only.
    EXPECT_EQ(plain->scalar("SELECT string_agg(user_id, ',') FROM zev_user").toString(), clerk);
    // The server masks as the procedure always did on the client, card numbers in any form included.
    db->execute(
        "INSERT INTO zev_shopping_cart (shopping_cart_no, store_no, shopping_cart_data) VALUES (990001, 1, "
        "?)",
        {"<cart><pay CARD_NO = '5500000000000004'/><pay CARD_NO=\"123\"/><CARD_NO>6011000990139424"
         "</CARD_NO><pay XCARD_NO=\"4111111111111111\" card_no=\"4111111111111111\"/>\u00e9</cart>"});
    const auto clientSide = db->connection(clerk);
    for (QSqlQuery carts = db->session().run("SELECT store_no, shopping_cart_no FROM zev_shopping_cart WHERE "
                                             "shopping_cart_data IS NOT NULL");
         carts.next();) {
        const auto handedOut = ProcedureRun::Rows(
            *clientSide, "ZEV_SP_STORE_GetOrderData",
            {{"@store_no", carts.value(0).toInt()}, {"@shopping_cart_no", carts.value(1).toDouble()}});
        ASSERT_EQ(handedOut.rows.size(), 1u);
        EXPECT_EQ(
            plain
                ->scalar("SELECT shopping_cart_data FROM zev_shopping_cart_masked WHERE shopping_cart_no = ?",
                         {carts.value(1)})
                .toString(),
            handedOut.at(0, "shopping_cart_data").toText())
            << carts.value(1).toLongLong();
    }
    // The auditor reads the cart as it is kept.
    EXPECT_TRUE(Plain(auditor)->scalar(CartData.arg("zev_shopping_cart")).toString().contains(FullCard));

    // The module shows what the server hands out: the order viewer masked for the clerk, in full for the
    // auditor.
    for (const QString& login : {clerk, auditor}) {
        auto host = std::make_shared<FakeAppServer>();
        host->db = Module(login);
        CStoreMaint maint;
        maint.setAppServer(host);
        QString shown;
        ModalScript dialogs;
        dialogs.on<frmOrderDetail>([&](frmOrderDetail& detail) {
            for (int32_t row = 1; row < detail.gdCartData->Rows(); ++row)
                shown += detail.gdCartData->TextMatrix(row, 1) + u'|';
        });
        maint.DisplayOrderDetail(1, 100001);
        EXPECT_EQ(dialogs.shownCount(), 1);
        EXPECT_EQ(shown.contains(FullCard), login == auditor) << shown.toStdString();
        EXPECT_EQ(shown.contains(MaskedCard), login == clerk) << shown.toStdString();
        EXPECT_TRUE(host->error->reports.empty());
        // Either reads what the store's documents are filled with from the cart.
        EXPECT_EQ(ProcedureRun::Rows(*host->db, "GetOrderDocumentValues: store_no=1")
                      .cells(0, "order_total, ship_address"),
                  "129|88 Canyon Road, Salt Lake City, UT 84101");
    }
}

TEST_F(ServerRights, TheModuleRunsWholeAsAClerkAndALoginWithoutTheStoreRightReadsNothing) {
    // Every procedure that reads, with nothing given, and every writing one as the module calls it.
    auto module = Module(clerk);
    for (const QString& name : ProcedureCatalog::Standard().names()) {
        if (ProcedureCatalog::Standard().find(name)->readOnly) {
            EXPECT_NO_THROW(ProcedureRun::Rows(*module, name)) << name.toStdString();
        }
    }
    for (const char* call : WritingCalls) {
        ProcedureRun run;
        EXPECT_NO_THROW(run = ProcedureRun::Command(*module, QString::fromLatin1(call))) << call;
        EXPECT_GE(run.returnValue.toInt32(), 0) << call << ": " << run.message.toStdString();
    }

    // Without STORE or STOREADMIN, the card right included, no table but the own user row and the version.
    for (const QString& login : {db->login("nobody", {}), db->login("cardsonly", {"STORE_VIEW_CARD"})}) {
        auto plain = Plain(login);
        const bool cards = login.startsWith("cards");
        for (const QString& table : Schema::Tables() + QStringList{Schema::MaskedCarts}) {
            const QString count = "SELECT COUNT(*) FROM " + table;
            const std::string where = login.toStdString() + " on " + table.toStdString();
            const Schema::Access access =
                table == Schema::MaskedCarts ? Schema::Access::StoreData : Schema::AccessOf(table);
            // The card right alone may ask for orders, and is shown none.
            if (access == Schema::Access::Carts && cards) {
                EXPECT_EQ(plain->scalar(count).toInt(), 0) << where;
            } else if (access != Schema::Access::Directory && access != Schema::Access::Version) {
                EXPECT_TRUE(Refused(*plain, count)) << where;
            } else if (table != "zev_schema_version") {
                EXPECT_EQ(plain->scalar(count).toInt(), table == "zev_user" ? 1 : int(cards)) << where;
            }
        }
    }
}

} // namespace
