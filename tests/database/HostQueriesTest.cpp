#include "database/HostQueries.h"
#include "database/BulkData.h"
#include "database/HostRights.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "sdk/ItemTypes.h"

namespace {

class HostQueriesTest : public DatabaseTest {};

TEST_P(HostQueriesTest, RightsComeFromTheUsersTable) {
    auto& s = database().session();
    EXPECT_TRUE(HostQueries::HasPermission(s, QStringLiteral("Admin"), HostRights::StoreAdmin));
    EXPECT_TRUE(HostQueries::HasPermission(s, QStringLiteral("clerk"), HostRights::Store));
    EXPECT_FALSE(HostQueries::HasPermission(s, QStringLiteral("clerk"), HostRights::StoreAdmin));
    EXPECT_FALSE(HostQueries::HasPermission(s, QStringLiteral("guest"), HostRights::Store));
    EXPECT_FALSE(HostQueries::HasPermission(s, QStringLiteral("nobody"), HostRights::Store));
    database().execute(
        QStringLiteral("DELETE FROM zev_user_right WHERE user_id = 'admin' AND right_id = 'STORE'"));
    EXPECT_TRUE(HostQueries::HasPermission(s, QStringLiteral("admin"), HostRights::Store));
}

// The pickers' searches and the special offers are proven through the host's pickers; what is left is
// what no picker shows on its own.
TEST_P(HostQueriesTest, OneCustomerAndThePricesOfAnItemPackageOrStore) {
    auto& s = database().session();
    const auto james = HostQueries::Customer(s, 5002);
    ASSERT_TRUE(james);
    EXPECT_TRUE(james->fullName.isEmpty());
    EXPECT_EQ(james->lastName, QStringLiteral("O'Brien"));
    EXPECT_FALSE(HostQueries::Customer(s, 1));

    const auto prices = HostQueries::Prices(s, 1001, 0);
    ASSERT_EQ(prices.size(), 5u);
    EXPECT_EQ(prices[1].season, QStringLiteral("Holiday"));
    EXPECT_EQ(prices[1].price, 119.0);
    EXPECT_EQ(HostQueries::Prices(s, 5001, 0, 3).size(), 1u);
    EXPECT_EQ(HostQueries::Prices(s, 0, 503).size(), 2u);
}

TEST_P(HostQueriesTest, TheProductEditorsPlainQueriesRunUnchanged) {
    auto db = connection();
    auto groups = db->OpenRecordset(QStringLiteral("SELECT * FROM zev_store_product_group") +
                                        QStringLiteral(" WHERE store_no = ") + QString::number(2) +
                                        QStringLiteral(" ORDER BY description"),
                                    0);
    QStringList names;
    for (; !groups->Eof(); groups->MoveNext()) {
        names << groups->Fields(QStringLiteral("Description"))->Value().toText();
        groups->Fields(QStringLiteral("product_group_no"))->Value().toInt32();
    }
    EXPECT_EQ(names, QStringList({QStringLiteral("Group Sales"), QStringLiteral("Lessons"),
                                  QStringLiteral("Rentals")}));
    auto types = db->OpenRecordset(QStringLiteral("SELECT DISTINCT product_type FROM zev_store_product") +
                                       QStringLiteral(" WHERE store_no = ") + QString::number(1) +
                                       QStringLiteral(" ORDER BY product_type"),
                                   0);
    QStringList found;
    for (; !types->Eof(); types->MoveNext())
        found << types->Fields(QStringLiteral("product_type"))->Value().toText();
    EXPECT_EQ(found, QStringList({QStringLiteral("PACKAGE"), QStringLiteral("PASS"), QStringLiteral("PHOTO"),
                                  QStringLiteral("TICKET")}));
}

TEST_P(HostQueriesTest, GeneratedDataFollowsWhatIsThereAndIsServedByTheProcedures) {
    BulkDataSize size;
    size.stores = 2;
    size.productsPerStore = 12;
    size.itemsPerProduct = 2;
    size.orders = 21;
    size.customers = 5;
    size.cartXml = true;
    const auto generated = BulkData::Generate(database().session(), size);
    EXPECT_EQ(generated.firstStoreNo, 4);
    EXPECT_EQ(generated.firstCartNo, 5000000002LL);
    auto db = connection();
    const auto orders =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetOrders"), {{QStringLiteral("@store_no"), 4}});
    EXPECT_EQ(orders.rows.size(), 11u);
    const auto products = ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProduct"),
                                             {{QStringLiteral("@store_no"), 5}});
    EXPECT_EQ(products.rows.size(), 12u);
    EXPECT_EQ(ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetProductItem"),
                                 {{QStringLiteral("@store_no"), 5}})
                  .rows.size(),
              24u);
    const auto cart =
        ProcedureRun::Rows(*db, QStringLiteral("ZEV_SP_STORE_GetOrderData"),
                           {{QStringLiteral("@store_no"), 4},
                            {QStringLiteral("@shopping_cart_no"), double(generated.firstCartNo)},
                            {QStringLiteral("@zev_user"), "admin"}});
    ASSERT_EQ(cart.rows.size(), 1u);
    EXPECT_TRUE(cart.at(0, QStringLiteral("shopping_cart_data")).toText().startsWith(QLatin1String("<cart")));
}

ZEV_INSTANTIATE_BACKENDS(HostQueriesTest);

} // namespace
