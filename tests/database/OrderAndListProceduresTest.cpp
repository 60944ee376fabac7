#include "database/ProcedureCatalog.h"

#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include <QRegularExpression>

namespace {

const Variant Null = Variant::Null();
const QString Store = "@store_no";

class OrderAndListProcedures : public DatabaseTest {};

QList<double> CartNumbers(const ProcedureRun& run) {
    QList<double> numbers;
    for (const auto& row : run.rows)
        numbers << row.at("shopping_cart_no").toDouble();
    return numbers;
}

TEST_P(OrderAndListProcedures, TheOrderSearchAppliesOnlyTheFiltersGiven) {
    auto db = connection();
    const auto search = [&](const ProcedureRun::Inputs& filters) {
        return CartNumbers(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetOrders", filters));
    };
    EXPECT_EQ(search({{Store, 1}}), QList<double>({5000000001.0, 100005, 100004, 100003, 100002, 100001}));
    EXPECT_EQ(search({{Store, 1}, {"@status_id", Null}}).size(), 6);
    EXPECT_EQ(search({{Store, 1}, {"@status_id", "PAID"}}), QList<double>({5000000001.0, 100001}));
    EXPECT_EQ(search({{Store, 1}, {"@customer_no", 5001}}), QList<double>({100003, 100001}));
    EXPECT_EQ(search({{Store, 1}, {"@salesorder_no", 40003}}), QList<double>({100003}));
    EXPECT_EQ(search({{Store, 2}, {"@external_customer_no", 70004}}), QList<double>({200002}));
    EXPECT_EQ(search({{Store, 2}, {"@shopping_cart_no", 100001.0}}), QList<double>());
    EXPECT_EQ(search({}).size(), 11);

    const auto row =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetOrders", {{Store, 2}, {"@shopping_cart_no", 200003.0}});
    EXPECT_EQ(row.at(0, "salesorder_no"), Variant(50003));
    EXPECT_EQ(row.at(0, "external_customer_no"), Null);
    EXPECT_EQ(row.at(0, "notify_email_address"), Variant("customer5005@mail.example"));
    EXPECT_EQ(row.at(0, "inserted_datetime"), Variant(QDateTime(QDate(2026, 12, 28), QTime(8, 5))));
}

TEST_P(OrderAndListProcedures, TheCartGoesOnlyToUsersAllowedToSeeOrders) {
    const auto cart = [&](const QString& user, double cartNo) {
        auto db = connection(user);
        return ProcedureRun::Rows(
            *db, "ZEV_SP_STORE_GetOrderData",
            {{Store, 1}, {"@shopping_cart_no", cartNo}, {"@zev_user", db->CurrentUser()}});
    };
    const auto admin = cart("ADMIN", 100001);
    EXPECT_EQ(admin.output("@view_card"), Variant(true));
    ASSERT_EQ(admin.rows.size(), 1u);
    EXPECT_TRUE(
        admin.at(0, "shopping_cart_data").toText().contains(QLatin1String("CARD_NO=\"4111111111111111\"")));

    const auto clerk = cart("clerk", 100001);
    EXPECT_EQ(clerk.output("@view_card"), Variant(false));
    EXPECT_EQ(clerk.rows.size(), 1u);

    const auto guest = cart("guest", 100001);
    EXPECT_EQ(guest.output("@view_card"), Variant(false));
    EXPECT_FALSE(guest.rowsOpen);
    EXPECT_FALSE(cart("stranger", 100001).rowsOpen);
    // An order of another store, and one without cart data, give nothing either.
    EXPECT_FALSE(cart("admin", 200001).rowsOpen);
    auto db = connection();
    EXPECT_FALSE(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetOrderData",
                                    {{Store, 2}, {"@shopping_cart_no", 200003.0}, {"@zev_user", "admin"}})
                     .rowsOpen);

    const auto log =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetOrderLog", {{Store, 1}, {"@shopping_cart_no", 100003.0}});
    ASSERT_EQ(log.rows.size(), 2u);
    EXPECT_EQ(log.at(0, "log_trans_type"), Variant("CREATE"));
    EXPECT_EQ(log.at(1, "log_comment"), Variant("Status set to PICKEDUP"));
    EXPECT_EQ(log.at(1, "log_datetime"), Variant(QDateTime(QDate(2026, 11, 20), QTime(23, 59))));
}

TEST_P(OrderAndListProcedures, CustomersShowWhatTheStoreKnowsAndTheirChangeLog) {
    auto db = connection();
    const auto known =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStoreCustomer", {{Store, 1}, {"@customer_no", 5002}});
    ASSERT_EQ(known.rows.size(), 1u);
    EXPECT_EQ(known.at(0, "external_customer_no"), Variant(90002));
    EXPECT_EQ(known.at(0, "inserted_by_store"), Variant(1));
    EXPECT_EQ(known.at(0, "modified_datetime"), Null);
    EXPECT_TRUE(ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetStoreCustomer", {{Store, 3}, {"@customer_no", 5002}})
                    .rows.empty());

    const auto logs = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetCustomerLogs", {{"@customer_no", 5001}});
    ASSERT_EQ(logs.rows.size(), 3u);
    EXPECT_EQ(logs.at(0, "log_no"), Variant(3));
    EXPECT_EQ(logs.at(0, "external_customer_no"), Variant(70001));

    const auto entry = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetCustomerLogData", {{"@log_no", 2.0}});
    ASSERT_EQ(entry.rows.size(), 1u);
    EXPECT_TRUE(entry.at(0, "customer_data").toText().contains(QLatin1String("Golden")));
    EXPECT_TRUE(entry.at(0, "old_customer_data").toText().contains(QLatin1String("Denver")));
    const auto first = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetCustomerLogData", {{"@log_no", 1.0}});
    EXPECT_EQ(first.at(0, "old_customer_data"), Null);
}

TEST_P(OrderAndListProcedures, ListEntriesAreReadWholeOrOneAndWrittenAtFreePositions) {
    auto db = connection();
    const auto list =
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetListItems", {{Store, 1}, {"@list_id", "FEATURED"}});
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.at(0, "product_item_name"), Variant("Season Pass"));
    EXPECT_EQ(list.at(0, "Price"), Variant(899.0));
    EXPECT_EQ(list.at(2, "price_no"), Null);
    EXPECT_EQ(list.at(2, "Price"), Null);
    EXPECT_TRUE(
        ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetListItems", {{Store, Null}, {"@list_id", "FEATURED"}})
            .rows.empty());
    const auto one = ProcedureRun::Rows(*db, "ZEV_SP_STORE_GetListItems",
                                        {{Store, 3}, {"@list_id", "GIFTS"}, {"@seq_no", 5}});
    ASSERT_EQ(one.rows.size(), 1u);
    EXPECT_EQ(one.at(0, "product_no"), Variant(10));
    EXPECT_EQ(one.at(0, "unit_qty"), Null);

    const auto write = [&](const char* procedure, const Variant& seq, const Variant& key, int product,
                           int itemSeq, const Variant& price) {
        ProcedureRun::Inputs inputs{{Store, 1},
                                    {"@list_id", "FEATURED"},
                                    {"@seq_no", seq},
                                    {"@product_no", product},
                                    {"@product_item_seq_no", itemSeq},
                                    {"@price_no", price}};
        if (!key.isEmpty())
            inputs.emplace_back("@seq_no_key", key);
        return ProcedureRun::Command(*db, QString::fromLatin1(procedure), inputs);
    };
    const auto added = write("ZEV_SP_STORE_InsertListItem", Null, Variant(), 110, 1, 110);
    EXPECT_EQ(added.returnValue, Variant(0)) << added.message.toStdString();
    EXPECT_EQ(added.output("@seq_no"), Variant(4));
    EXPECT_EQ(write("ZEV_SP_STORE_InsertListItem", 2, Variant(), 110, 1, Null).message,
              "Position 2 of list FEATURED is already taken.");
    EXPECT_EQ(write("ZEV_SP_STORE_InsertListItem", Null, Variant(), 110, 9, Null).message,
              "Product item 110-9 does not exist.");
    EXPECT_EQ(write("ZEV_SP_STORE_InsertListItem", Null, Variant(), 110, 1, 103).message,
              "Price 103 is not a price of product item 110-1.");

    // Moving an entry is proven through the list entry record.
    EXPECT_EQ(ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreListItem",
                                    {{Store, 1}, {"@list_id", "FEATURED"}, {"@seq_no", 4}})
                  .returnValue,
              Variant(0));
    const auto gone = ProcedureRun::Command(*db, "ZEV_SP_STORE_DeleteStoreListItem",
                                            {{Store, 1}, {"@list_id", "FEATURED"}, {"@seq_no", 4}});
    EXPECT_NE(gone.returnValue, Variant(0));
    EXPECT_EQ(gone.message, "Position 4 of list FEATURED is empty.");
}

ZEV_INSTANTIATE_BACKENDS(OrderAndListProcedures);

TEST(ProcedureCatalog, HoldsEveryProcedureTheModuleCallsWithTheReturnValueFirst) {
    const QStringList expected{"ZEV_SP_STORE_DeleteProduct",
                               "ZEV_SP_STORE_DeleteProductItem",
                               "ZEV_SP_STORE_DeleteProductItemSell",
                               "ZEV_SP_STORE_DeleteStore",
                               "ZEV_SP_STORE_DeleteStoreFee",
                               "ZEV_SP_STORE_DeleteStoreGroup",
                               "ZEV_SP_STORE_DeleteStoreList",
                               "ZEV_SP_STORE_DeleteStoreListItem",
                               "ZEV_SP_STORE_DeleteStorePayMethod",
                               "ZEV_SP_STORE_GetCustomerLogData",
                               "ZEV_SP_STORE_GetCustomerLogs",
                               "ZEV_SP_STORE_GetFee",
                               "ZEV_SP_STORE_GetGroups",
                               "ZEV_SP_STORE_GetListItems",
                               "ZEV_SP_STORE_GetLists",
                               "ZEV_SP_STORE_GetOrderData",
                               "ZEV_SP_STORE_GetOrderLog",
                               "ZEV_SP_STORE_GetOrderStatus",
                               "ZEV_SP_STORE_GetOrders",
                               "ZEV_SP_STORE_GetPayMethods",
                               "ZEV_SP_STORE_GetProduct",
                               "ZEV_SP_STORE_GetProductItem",
                               "ZEV_SP_STORE_GetProductItemPrices",
                               "ZEV_SP_STORE_GetProductItemSell",
                               "ZEV_SP_STORE_GetStore",
                               "ZEV_SP_STORE_GetStoreCustomer",
                               "ZEV_SP_STORE_GetStorePrices",
                               "ZEV_SP_STORE_InsertListItem",
                               "ZEV_SP_STORE_InsertProduct",
                               "ZEV_SP_STORE_InsertProductGroup",
                               "ZEV_SP_STORE_InsertProductItem",
                               "ZEV_SP_STORE_InstallRegister",
                               "ZEV_SP_STORE_ProductItemDefaults",
                               "ZEV_SP_STORE_SALES_ORDER_TYPE_Get",
                               "ZEV_SP_STORE_STORE_EXTENDABLE_Get",
                               "ZEV_SP_STORE_STORE_EXTENDABLE_Update",
                               "ZEV_SP_STORE_STORE_EXTENDABLE_delete",
                               "ZEV_SP_STORE_STORE_EXTENSION_update",
                               "ZEV_SP_STORE_STORE_SCREEN_Delete",
                               "ZEV_SP_STORE_STORE_SCREEN_Get",
                               "ZEV_SP_STORE_STORE_SCREEN_Insert",
                               "ZEV_SP_STORE_STORE_SCREEN_Update",
                               "ZEV_SP_STORE_UnInstallRegister",
                               "ZEV_SP_STORE_UpdateListItem",
                               "ZEV_SP_STORE_UpdateProduct",
                               "ZEV_SP_STORE_UpdateProductGroup",
                               "ZEV_SP_STORE_UpdateProductItem",
                               "ZEV_SP_STORE_UpdateProductItemSell",
                               "ZEV_SP_STORE_UpdateStore",
                               "ZEV_SP_STORE_UpdateStoreFee",
                               "ZEV_SP_STORE_UpdateStoreList",
                               "ZEV_SP_STORE_UpdateStorePayMethod",
                               "ZEV_SP_STORE_getExtendableItems",
                               "ZEV_SP_STORE_getExtensionItems",
                               "ZEV_SP_ESTORE_GetStoreDocumentFields"};
    const auto& catalog = ProcedureCatalog::Standard();
    EXPECT_EQ(catalog.names().size(), expected.size());
    int readers = 0;
    for (const QString& name : catalog.names())
        if (catalog.find(name)->readOnly) {
            ++readers;
            EXPECT_FALSE(name.contains(QRegularExpression("Update|Insert|Delete|Install|delete|update")))
                << name.toStdString();
        }
    EXPECT_EQ(readers, 25);
    for (const QString& name : expected) {
        const ProcedureDefinition* procedure = catalog.find(name);
        ASSERT_NE(procedure, nullptr) << name.toStdString();
        EXPECT_EQ(procedure->name, name);
        EXPECT_EQ(procedure->parameters.front().name, "@RETURN_VALUE");
    }
}

} // namespace
