#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

#include <algorithm>

namespace {

// Store 9 sells two items of one product in one group, cross-sells the second from the first, lists it
// at its price and charges a fee for an item of the catalogue: nothing a customer could stumble on.
class CheckStore : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        for (const char* sql :
             {"INSERT INTO zev_store (store_no, description) VALUES (9, 'Check')",
              "INSERT INTO zev_store_product_group (store_no, product_group_no, description) VALUES (9, 1, "
              "'G')",
              "INSERT INTO zev_store_product (store_no, product_no, product_name, product_group_no) "
              "VALUES (9, 1, 'Tickets', 1)",
              "INSERT INTO zev_store_product_item (store_no, product_no, seq_no, product_item_name, item_no, "
              "price_no) VALUES (9, 1, 1, 'Adult', 1001, 103)",
              "INSERT INTO zev_store_product_item (store_no, product_no, seq_no, product_item_name, item_no, "
              "price_no) VALUES (9, 1, 2, 'Child', 1002, 106)",
              "INSERT INTO zev_store_product_item_sell (store_no, product_no, seq_no, price_no, "
              "new_product_no, "
              "new_seq_no, new_price_no, sell_code) VALUES (9, 1, 1, 0, 1, 2, 0, 'CROSSSELL')",
              "INSERT INTO zev_store_list (store_no, list_id) VALUES (9, 'L')",
              "INSERT INTO zev_store_list_item (store_no, list_id, seq_no, product_no, product_item_seq_no, "
              "price_no) VALUES (9, 'L', 1, 1, 2, 106)",
              "INSERT INTO zev_store_fee (store_no, fee_id, item_no, price_no) VALUES (9, 'F', 6003, 129)"})
            db().execute(QString::fromLatin1(sql));
    }

    // "FINDING keys: description" per finding, sorted; the keys are the non-null key columns.
    std::vector<std::string> Findings(const QString& asOf = "2027-02-01") {
        auto connection = this->connection();
        std::vector<std::string> found;
        for (const auto& row :
             ProcedureRun::Rows(*connection, "CheckStore: store_no=9; as_of=" + asOf).rows) {
            QStringList keys;
            for (const char* column :
                 {"product_no", "seq_no", "price_no", "new_product_no", "new_seq_no", "new_price_no",
                  "list_id", "list_seq_no", "fee_id", "product_group_no"})
                if (const Variant& value = row.at(QLatin1String(column)); !value.isNull())
                    keys << value.toText();
            found.push_back(
                (row.at("finding").toText() + ' ' + keys.join('/') + ": " + row.at("description").toText())
                    .toStdString());
        }
        std::sort(found.begin(), found.end());
        return found;
    }
};

TEST_P(CheckStore, FindsEachFaultMadeOnPurposeAndNothingInACleanStore) {
    const struct {
        const char* fault;
        const char* make;
        const char* undo;
        const char* asOf;
        std::vector<std::string> found;
    } cases[] = {
        {"an inactive target",
         "UPDATE zev_store_product_item SET is_active = 0 WHERE store_no = 9 AND seq_no = 2",
         "UPDATE zev_store_product_item SET is_active = 1 WHERE store_no = 9",
         "2027-02-01",
         {"LISTITEM 1/2/106/L/1: Lists Child (1/2), which is not active.",
          "SELL 1/1/0/1/2/0: Offers Child (1/2), which is not active."}},
        {"a product with no active item",
         "UPDATE zev_store_product_item SET is_active = 0 WHERE store_no = 9",
         "UPDATE zev_store_product_item SET is_active = 1 WHERE store_no = 9",
         "2027-02-01",
         {"LISTITEM 1/2/106/L/1: Lists Child (1/2), which is not active.",
          "PRODUCT 1/1: Tickets has no active items.",
          "SELL 1/1/0/1/2/0: Offers Child (1/2), which is not active."}},
        {"an inactive product",
         "UPDATE zev_store_product SET is_active = 0 WHERE store_no = 9",
         "UPDATE zev_store_product SET is_active = 1 WHERE store_no = 9",
         "2027-02-01",
         {"GROUP 1: G has no active products.",
          "LISTITEM 1/2/106/L/1: Lists Child (1/2), which belongs to a product that is not active.",
          "SELL 1/1/0/1/2/0: Offers Child (1/2), which belongs to a product that is not active."}},
        {"a sale that is over",
         "UPDATE zev_store_product_item SET available_end_date = '2027-01-31 00:00:00' WHERE store_no = 9 "
         "AND seq_no = 2",
         "UPDATE zev_store_product_item SET available_end_date = NULL WHERE store_no = 9",
         "2027-02-01",
         {"LISTITEM 1/2/106/L/1: Lists Child (1/2), which was on sale until 2027-01-31.",
          "SELL 1/1/0/1/2/0: Offers Child (1/2), which was on sale until 2027-01-31."}},
        {"a sale not begun",
         "UPDATE zev_store_product_item SET available_start_date = '2027-02-02 00:00:00' WHERE store_no = 9 "
         "AND seq_no = 2",
         "UPDATE zev_store_product_item SET available_start_date = NULL WHERE store_no = 9",
         "2027-02-01",
         {"LISTITEM 1/2/106/L/1: Lists Child (1/2), which is on sale only from 2027-02-02.",
          "SELL 1/1/0/1/2/0: Offers Child (1/2), which is on sale only from 2027-02-02."}},
        {"the season over",
         "SELECT 1",
         "SELECT 1",
         "2027-04-16",
         {"LISTITEM 1/2/106/L/1: Price 106 belongs to the season Regular Season, which ended 2027-04-15.",
          "PRODUCTITEM 1/1/103: Price 103 belongs to the season Regular Season, which ended 2027-04-15.",
          "PRODUCTITEM 1/2/106: Price 106 belongs to the season Regular Season, which ended 2027-04-15."}},
        {"a price gone",
         "UPDATE zev_store_product_item_sell SET new_price_no = 999 WHERE store_no = 9",
         "UPDATE zev_store_product_item_sell SET new_price_no = 0 WHERE store_no = 9",
         "2027-02-01",
         {"SELL 1/1/0/1/2/999: Offered price 999 no longer exists."}},
        {"another item's price",
         "UPDATE zev_store_list_item SET price_no = 103 WHERE store_no = 9",
         "UPDATE zev_store_list_item SET price_no = 106 WHERE store_no = 9",
         "2027-02-01",
         {"LISTITEM 1/2/103/L/1: Price 103 is not a price of the item."}},
        {"another store's price",
         "UPDATE zev_price SET store_no = 1 WHERE price_no = 129",
         "UPDATE zev_price SET store_no = NULL WHERE price_no = 129",
         "2027-02-01",
         {"FEE 129/F: Price 129 is another store's price."}},
        {"a product without items",
         "INSERT INTO zev_store_product (store_no, product_no, product_group_no) VALUES (9, 2, 1)",
         "DELETE FROM zev_store_product WHERE store_no = 9 AND product_no = 2",
         "2027-02-01",
         {"PRODUCT 2/1: The product has no items."}},
        {"a group without products",
         "INSERT INTO zev_store_product_group (store_no, product_group_no) VALUES (9, 2)",
         "DELETE FROM zev_store_product_group WHERE store_no = 9 AND product_group_no = 2",
         "2027-02-01",
         {"GROUP 2: The group has no active products."}},
        {"a fee of a retired item",
         "UPDATE zev_item SET is_active = 0 WHERE item_no = 6003",
         "UPDATE zev_item SET is_active = 1 WHERE item_no = 6003",
         "2027-02-01",
         {"FEE F: Item 6003 Lunch Voucher is no longer active."}},
    };
    EXPECT_EQ(Findings(), std::vector<std::string>{});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        db().execute(QString::fromLatin1(c.make));
        EXPECT_EQ(Findings(QString::fromLatin1(c.asOf)), c.found);
        db().execute(QString::fromLatin1(c.undo));
    }
    EXPECT_EQ(Findings(), std::vector<std::string>{});
}

ZEV_INSTANTIATE_BACKENDS(CheckStore);

} // namespace
