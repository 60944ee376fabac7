#include "database/HostQueries.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "sdk/ItemTypes.h"

namespace {

class HostQueriesTest : public DatabaseTest {};

// The pickers' searches and the special offers are proven through the host's pickers; what is left is
// what no picker shows on its own.
TEST_P(HostQueriesTest, OneCustomerAndThePricesOfAnItemPackageOrStore) {
    auto& s = database().session();
    const auto james = HostQueries::Customer(s, 5002);
    ASSERT_TRUE(james);
    EXPECT_TRUE(james->fullName.isEmpty());
    EXPECT_EQ(james->lastName, "O'Brien");
    EXPECT_FALSE(HostQueries::Customer(s, 1));

    const auto prices = HostQueries::Prices(s, 1001, 0);
    ASSERT_EQ(prices.size(), 5u);
    EXPECT_EQ(prices[1].season, "Holiday");
    EXPECT_EQ(prices[1].price, 119.0);
    EXPECT_EQ(HostQueries::Prices(s, 5001, 0, 3).size(), 1u);
    EXPECT_EQ(HostQueries::Prices(s, 0, 503).size(), 2u);
}

ZEV_INSTANTIATE_BACKENDS(HostQueriesTest);

} // namespace
