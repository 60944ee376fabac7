#include "database/ProcedureCatalog.h"

#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include <QRegularExpression>

namespace {

class OrderAndListProcedures : public DatabaseTest {};

TEST_P(OrderAndListProcedures, TheOrderSearchAppliesOnlyTheFiltersGiven) {
    auto db = connection();
    const auto search = [&](const QString& filters) {
        QStringList carts;
        for (const auto& row : ProcedureRun::Rows(*db, "GetOrders: " + filters).rows)
            carts << row.at("shopping_cart_no").toText();
        return carts.join(u' ').toStdString();
    };
    EXPECT_EQ(search("store_no=1"), "5000000001 100005 100004 100003 100002 100001");
    EXPECT_EQ(search("store_no=1; status_id=NULL"), "5000000001 100005 100004 100003 100002 100001");
    EXPECT_EQ(search("store_no=1; status_id=PAID"), "5000000001 100001");
    EXPECT_EQ(search("store_no=1; customer_no=5001"), "100003 100001");
    EXPECT_EQ(search("store_no=1; salesorder_no=40003"), "100003");
    EXPECT_EQ(search("store_no=2; external_customer_no=70004"), "200002");
    EXPECT_EQ(search("store_no=2; shopping_cart_no=100001.0"), "");
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetOrders").rows.size(), 11u);
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetOrders: store_no=2; shopping_cart_no=200003.0")
                  .cells(0, "salesorder_no, external_customer_no, notify_email_address, inserted_datetime"),
              "50003|NULL|customer5005@mail.example|12/28/2026 8:05:00 AM");
}

TEST_P(OrderAndListProcedures, TheCartGoesOnlyToUsersAllowedToSeeOrders) {
    const struct {
        const char* user;
        int store;
        double cart;
        bool viewCard, rows;
    } cases[] = {
        {"ADMIN", 1, 100001, true, true},   {"clerk", 1, 100001, false, true},
        {"guest", 1, 100001, false, false}, {"stranger", 1, 100001, false, false},
        {"admin", 1, 200001, true, false}, // another store's order
        {"admin", 2, 200003, true, false}, // an order without cart data
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        auto db = connection(QString::fromLatin1(c.user));
        const auto cart = ProcedureRun::Rows(
            *db, "GetOrderData",
            {{"@store_no", c.store}, {"@shopping_cart_no", c.cart}, {"@zev_user", db->CurrentUser()}});
        EXPECT_EQ(cart.output("@view_card"), Variant(c.viewCard));
        EXPECT_EQ(cart.rowsOpen, c.rows);
        ASSERT_EQ(cart.rows.size(), c.rows ? 1u : 0u);
        if (c.rows) { // the card number is masked in the data itself
            EXPECT_EQ(cart.at(0, "shopping_cart_data").toText().contains("4111111111111111"), c.viewCard);
        }
    }
    auto db = connection();
    const auto log = ProcedureRun::Rows(*db, "GetOrderLog: store_no=1; shopping_cart_no=100003.0");
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.at(0, "log_trans_type"), Variant("CREATE"));
    EXPECT_EQ(log.cells(1, "log_comment, log_datetime"), "Status set to PICKEDUP|11/20/2026 11:59:00 PM");
}

TEST_P(OrderAndListProcedures, CustomersShowWhatTheStoreKnowsAndTheirChangeLog) {
    auto db = connection();
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetStoreCustomer: store_no=1; customer_no=5002")
                  .cells(0, "external_customer_no, inserted_by_store, modified_datetime"),
              "90002|1|NULL");
    EXPECT_TRUE(ProcedureRun::Rows(*db, "GetStoreCustomer: store_no=3; customer_no=5002").rows.empty());

    const auto logs = ProcedureRun::Rows(*db, "GetCustomerLogs: customer_no=5001");
    ASSERT_EQ(logs.rows.size(), 3u);
    EXPECT_EQ(logs.cells(0, "log_no, external_customer_no"), "3|70001");

    const auto entry = ProcedureRun::Rows(*db, "GetCustomerLogData: log_no=2.0");
    ASSERT_EQ(entry.rows.size(), 1u);
    EXPECT_TRUE(entry.at(0, "customer_data").toText().contains(QLatin1String("Golden")));
    EXPECT_TRUE(entry.at(0, "old_customer_data").toText().contains(QLatin1String("Denver")));
    EXPECT_EQ(ProcedureRun::Rows(*db, "GetCustomerLogData: log_no=1.0").at(0, "old_customer_data"),
              Variant::Null());
}

// Refusals are in ProcedureRefusalsTest; moving an entry is proven through the list entry record.
TEST_P(OrderAndListProcedures, ListEntriesAreReadWholeOrOneAndWrittenAtFreePositions) {
    auto db = connection();
    const auto list = ProcedureRun::Rows(*db, "GetListItems: store_no=1; list_id=FEATURED");
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.cells(0, "product_item_name, Price"), "Season Pass|899");
    EXPECT_EQ(list.cells(2, "price_no, Price"), "NULL|NULL");
    EXPECT_TRUE(ProcedureRun::Rows(*db, "GetListItems: store_no=NULL; list_id=FEATURED").rows.empty());
    const auto one = ProcedureRun::Rows(*db, "GetListItems: store_no=3; list_id=GIFTS; seq_no=5");
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.cells(0, "product_no, unit_qty"), "10|NULL");

    const auto added = ProcedureRun::Command(
        *db,
        "InsertListItem: store_no=1; list_id=FEATURED; product_no=110; product_item_seq_no=1; price_no=110");
    EXPECT_EQ(added.returnValue, Variant(0)) << added.message.toStdString();
    EXPECT_EQ(added.output("@seq_no"), Variant(4));
    EXPECT_EQ(
        ProcedureRun::Command(*db, "DeleteStoreListItem: store_no=1; list_id=FEATURED; seq_no=4").returnValue,
        Variant(0));
}

ZEV_INSTANTIATE_BACKENDS(OrderAndListProcedures);

// Each declares its return value first; those that only read are run without a write transaction.
TEST(ProcedureCatalog, ReadersWriteNothingAndEveryProcedureReturnsAValue) {
    const auto& catalog = ProcedureCatalog::Standard();
    EXPECT_EQ(catalog.names().size(), 58);
    int readers = 0;
    for (const QString& name : catalog.names()) {
        const ProcedureDefinition* procedure = catalog.find(name);
        EXPECT_EQ(procedure->parameters.front().name, "@RETURN_VALUE") << name.toStdString();
        if (procedure->readOnly) {
            ++readers;
            EXPECT_FALSE(name.contains(QRegularExpression("Update|Insert|Delete|Install|delete|update")))
                << name.toStdString();
        }
    }
    EXPECT_EQ(readers, 28);
}

} // namespace
