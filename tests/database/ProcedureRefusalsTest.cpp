#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"

namespace {

class ProcedureRefusals : public DatabaseTest {};

const QString TooLong(51, u'x');

// Every refusal of the writing procedures on the demo data: its return value (most deletes refuse with a
// positive one), the reason as the message, and not one row written. Nothing is written, so each case starts
// from the demo data.
const struct {
    QString call;
    const char* message;
    int returned = -1;
} Refusals[] = {
    {"InsertProduct: store_no=1; product_no=200; product_name=Night",
     "Product 200 already exists in store 1."},
    {"InsertProduct: store_no=1; product_name=Night", "You must supply a product number."},
    {"InsertProduct: store_no=1; product_no=501; product_group_no=77", "Group 77 does not exist in store 1."},
    {"InsertProduct: store_no=9; product_no=1", "Store 9 does not exist."},
    {"InsertProduct: store_no=1; product_no=501; product_name=   ", "A product needs a name."},
    {"UpdateProduct: store_no=1; product_no=100; product_no_key=100", "A product needs a name."},
    {"UpdateStore: store_no=1; description=NULL", "A store needs a description."},
    {"UpdateStore: store_no=NULL; description=", "A store needs a description."},
    {"UpdateProductItemSell: store_no=1; product_no=100; seq_no=1; new_product_no=100; new_seq_no=1; "
     "sell_code=UPSELL",
     "A product item can not be offered with itself."},
    {"UpdateProduct: store_no=1; product_no=200; product_no_key=100",
     "Product 200 already exists in store 1."},
    {"DeleteProduct: store_no=1; product_no=999", "Product 999 does not exist in store 1.", 1},
    {"InsertProductItem: store_no=1; product_no=100; seq_no=1; item_no=1005",
     "Product item 1 already exists for product 100."},
    {"InsertProductItem: store_no=1; product_no=100; item_no=1005; package_no=501",
     "A product item sells either one item or one package."},
    {"InsertProductItem: store_no=1; product_no=100", "A product item sells either one item or one package."},
    {"InsertProductItem: store_no=1; product_no=100; item_no=1005; price_no=103",
     "Price 103 is not a price of item 1005."},
    {"InsertProductItem: store_no=1; product_no=100; package_no=501; price_no=131",
     "Price 131 is not a price of package 501."},
    {"InsertProductItem: store_no=1; product_no=100; item_no=9999", "Item 9999 does not exist."},
    {"InsertProductItem: store_no=1; product_no=100; item_no=1005; available_start_date=2027-01-10; "
     "available_end_date=2027-01-01",
     "The item's availability ends before it starts."},
    {"UpdateProductItem: store_no=1; product_no=100; seq_no=8; seq_no_key=99; item_no=1001",
     "Product item 99 of product 100 does not exist."},
    {"ProductItemDefaults: store_no=2; product_no=100; item_no=4242", "Item 4242 does not exist."},
    {"InsertListItem: store_no=1; list_id=FEATURED; seq_no=2; product_no=110; product_item_seq_no=1",
     "Position 2 of list FEATURED is already taken."},
    {"InsertListItem: store_no=1; list_id=FEATURED; product_no=110; product_item_seq_no=9",
     "Product item 110-9 does not exist."},
    {"InsertListItem: store_no=1; list_id=FEATURED; product_no=110; product_item_seq_no=1; price_no=103",
     "Price 103 is not a price of product item 110-1."},
    {"DeleteStoreListItem: store_no=1; list_id=FEATURED; seq_no=9", "Position 9 of list FEATURED is empty.",
     1},
    {"InstallRegister: store_no=3; register_id=WEB05",
     "Register WEB05 is no longer free: it is checked out to FRONTDESK-PC."},
    {"InstallRegister: store_no=3; register_id=WEB06",
     "Register WEB06 is no longer free (its status is Offline)."},
    {"InstallRegister: store_no=1; register_id=WEB01",
     "Store 1 already has register WEB02 installed. Please uninstall it first."},
    {"InstallRegister: store_no=3; register_id=WEB99", "Register WEB99 does not exist."},
    {"InstallRegister: store_no=3; register_id=WEB08",
     "Register WEB08 is no longer free (its status is Installed)."},
    {"UnInstallRegister: store_no=3; register_id=WEB02", "Register WEB02 is not installed on store 3."},
    {"DeleteStore: store_no=9", "Store 9 does not exist.", 1},
    {"InsertProductGroup: store_no=1; product_group_no=10", "Group 10 already exists in store 1."},
    {"UpdateProductGroup: store_no=1; product_group_no=16; product_group_no_key=99",
     "Group 99 does not exist in store 1."},
    {"DeleteStoreGroup: store_no=1; product_group_no=10",
     "Group 10 is still used by 2 products and 1 fee and can not be deleted.", 2},
    {"DeleteStoreGroup: store_no=3; product_group_no=7", "Group 7 does not exist in store 3.", 1},
    {"UpdateStoreList: store_no=1; list_id=FEATURED; description=Again",
     "List FEATURED already exists in store 1."},
    {"UpdateStoreList: store_no=1; list_id_key=GONE; list_id=X", "List GONE does not exist in store 1."},
    {"DeleteStoreList: store_no=1; list_id=XMAS", "List XMAS does not exist in store 1."},
    {"UpdateStoreFee: store_no=1; fee_id=PASS FEE", "Fee PASS FEE must be tied to an existing item."},
    {"UpdateStoreFee: store_no=1; fee_id=PASS FEE; item_no=1004; price_no=103",
     "Price 103 is not a price of item 1004."},
    {"UpdateStoreFee: store_no=1; fee_id=SERVICE; item_no=1004", "Fee SERVICE already exists in store 1."},
    {"DeleteStoreFee: store_no=1; fee_id=NONE", "Fee NONE does not exist in store 1.", 1},
    {"STORE_SCREEN_Insert: store_no=1; screen_id=CART", "Screen CART already exists in store 1."},
    {"STORE_SCREEN_Delete: store_no=3; screen_id=HOME", "Screen HOME does not exist in store 3.", 1},
    {"STORE_EXTENSION_update: store_no=2; item_no=2002; extension_item_no=6003; available=-1",
     "Item 2002 is not an extendable item of store 2."},
    {"STORE_EXTENDABLE_Update: store_no=3; item_no=99", "Item 99 does not exist."},
    // A text one character longer than its column.
    {"InsertProductGroup: store_no=1; description=" + TooLong,
     "Description can not be longer than 50 characters."},
    {"UpdateStoreList: store_no=1; list_id=SALE; description=" + TooLong,
     "List id and description can not be longer than 50 characters."},
    {"UpdateStoreFee: store_no=1; item_no=1001; fee_id=" + TooLong,
     "A fee needs a fee id of at most 50 characters."},
    {"STORE_SCREEN_Insert: store_no=1; screen_title=FAQ; screen_id=" + TooLong,
     "Screen id can not be longer than 50 characters."},
};

TEST_P(ProcedureRefusals, EachSaysWhyAndWritesNothing) {
    auto db = connection();
    const auto before = database().counts();
    for (const auto& refusal : Refusals) {
        SCOPED_TRACE(refusal.call.left(100).toStdString());
        const auto run = ProcedureRun::Command(*db, refusal.call);
        EXPECT_EQ(run.returnValue.toInt32(), refusal.returned);
        EXPECT_EQ(run.message.toStdString(), refusal.message);
        EXPECT_EQ(database().counts(), before);
    }
}

ZEV_INSTANTIATE_BACKENDS(ProcedureRefusals);

} // namespace
