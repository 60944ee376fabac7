#include "dbsupport/TestDatabase.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProduct.h"
#include "support/FakeAppServer.h"

#include <thread>

namespace {

constexpr int Rounds = 25;
constexpr int32_t FirstProduct = 9100;

// Two people on one store at the same time, each on a connection of their own, through the module's own
// service and records: one keeps changing the store's groups, the other adds and deletes products in one of
// those groups.
class TwoUsersAtOnceTest : public DatabaseTest {
protected:
    // Runs work on a thread of its own with its own connection; the failures reported on the way.
    std::thread Worker(const QString& user, std::vector<QString>& failures,
                       std::function<void(CStoreMaint&, const std::shared_ptr<FakeAppServer>&)> work) {
        const QString target = db().target();
        return std::thread([=, &failures] {
            auto server = std::make_shared<FakeAppServer>();
            server->db = SqlConnection::Open(target, user);
            {
                CStoreMaint maint;
                maint.setAppServer(server);
                work(maint, server);
            }
            for (const auto& report : server->error->reports)
                failures.push_back(report.description);
            server->db.reset();
        });
    }
};

TEST_P(TwoUsersAtOnceTest, GroupsAndProductsOfOneStoreChangeTogetherAndNothingIsLost) {
    const int32_t storeNo = db().scalar("SELECT MIN(store_no) FROM zev_store").toInt();
    const int32_t groupNo =
        db().scalar("SELECT MIN(product_group_no) FROM zev_store_product_group WHERE store_no = ?", {storeNo})
            .toInt();
    ASSERT_GT(groupNo, 0) << "the demo store has groups";
    const int groupsBefore = db().count("zev_store_product_group", "store_no = ?", {storeNo});
    const int productsBefore = db().count("zev_store_product", "store_no = ?", {storeNo});

    std::vector<QString> groupFailures, productFailures;
    std::thread groups = Worker("admin", groupFailures, [&](CStoreMaint& maint, const auto&) {
        for (int round = 0; round < Rounds; ++round) {
            int32_t renamed = groupNo, added = 0;
            maint.UpdateStoreGroup(storeNo, groupNo, renamed, QString("Busy group %1").arg(round), "<None>",
                                   "", "", 2, false);
            maint.UpdateStoreGroup(storeNo, 0, added, QString("Extra group %1").arg(round), "<None>", "", "",
                                   1, false);
            if (round % 2 == 0)
                maint.DeleteStoreGroup(storeNo, added);
        }
    });
    std::thread products = Worker("clerk", productFailures, [&](CStoreMaint& maint, const auto& server) {
        for (int round = 0; round < Rounds; ++round) {
            CProduct product;
            product.setStoreNo(storeNo);
            product.setProductNo(FirstProduct + round);
            product.setProductName(QString("Rush product %1").arg(round));
            product.setProductGroupNo(groupNo);
            product.Update(server->db, server->error);
            if (round % 2 == 0)
                maint.DeleteStoreProduct(storeNo, FirstProduct + round);
        }
    });
    groups.join();
    products.join();

    EXPECT_TRUE(groupFailures.empty()) << groupFailures.front().toStdString();
    EXPECT_TRUE(productFailures.empty()) << productFailures.front().toStdString();
    EXPECT_EQ(db().scalar("SELECT description FROM zev_store_product_group WHERE store_no = ? AND "
                          "product_group_no = ?",
                          {storeNo, groupNo})
                  .toString(),
              QString("Busy group %1").arg(Rounds - 1));
    EXPECT_EQ(db().count("zev_store_product_group", "store_no = ?", {storeNo}), groupsBefore + Rounds / 2);
    EXPECT_EQ(db().count("zev_store_product", "store_no = ?", {storeNo}), productsBefore + Rounds / 2);
    EXPECT_EQ(db().count("zev_store_product", "store_no = ? AND product_no >= ? AND product_group_no = ?",
                         {storeNo, FirstProduct, groupNo}),
              Rounds / 2);
}

ZEV_INSTANTIATE_BACKENDS(TwoUsersAtOnceTest);

} // namespace
