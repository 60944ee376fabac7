#include "dbsupport/TestDatabase.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/ConcurrentSave.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProduct.h"
#include "store/records/CStore.h"
#include "store/viewers/frmRecordHistory.h"
#include "support/FakeAppServer.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"

namespace {

// Two people with the same record open, each on a connection of their own: on PostgreSQL logins of their
// own, on SQLite two programs on one file.
class ConcurrentEdit : public DatabaseTest {
protected:
    struct Person {
        std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
        CStoreMaint maint;
        const std::shared_ptr<DBConnection>& db() const { return server->db; }
        QString name() const { return server->db->CurrentUser(); }
    };

    void SetUp() override {
        DatabaseTest::SetUp();
        storeNo = db().scalar("SELECT MIN(store_no) FROM zev_store").toInt();
        productNo = db().scalar("SELECT MIN(product_no) FROM zev_store_product WHERE store_no = ?", {storeNo})
                        .toInt();
        for (auto [person, base] : {std::pair{&anna, "anna"}, std::pair{&ben, "ben"}}) {
            if (db().backend() == Backend::SQLite) {
                person->server->db = connection(base);
            } else {
                const QString login = db().login(base, {QStringLiteral("STORE")});
                person->server->db = SqlConnection::Open(db().targetAs(login, db().password(login)), "admin");
            }
            person->maint.setAppServer(person->server);
        }
    }
    void TearDown() override {
        for (Person* person : {&anna, &ben})
            EXPECT_TRUE(person->server->error->reports.empty())
                << person->server->error->reports.front().description.toStdString();
    }

    CProduct Opened(Person& person) {
        CProduct product;
        EXPECT_TRUE(product.OpenProduct(person.db(), person.server->error, storeNo, productNo));
        return product;
    }
    // The editor's save: guarded, asking the scripted message box when someone else came first.
    bool Save(Person& person, CProduct& product, bool* reloaded = nullptr) {
        return ConcurrentSave::Run(
            product.Baseline, person.db(), [&] { return product.Update(person.db(), person.server->error); },
            [&] {
                product.Reopen(person.db(), person.server->error);
                if (reloaded)
                    *reloaded = true;
            });
    }
    QString Stored(const char* column) {
        return db()
            .scalar(QStringLiteral("SELECT %1 FROM zev_store_product WHERE store_no = ? AND product_no = ?")
                        .arg(QLatin1String(column)),
                    {storeNo, productNo})
            .toString();
    }

    Person anna, ben;
    int32_t storeNo = 0;
    int32_t productNo = 0;
};

TEST_P(ConcurrentEdit, ASaveOverSomeoneElsesNewerChangeAsksThenReloadsOrSavesOverAndBothAreInTheHistory) {
    CProduct mine = Opened(anna);
    CProduct theirs = Opened(ben);
    theirs.setProductName("Ben's name");
    ASSERT_TRUE(Save(ben, theirs));

    mine.setProductName("Anna's name");
    {
        ScriptedMessages messages;
        messages.expect(MsgBoxResult::Yes); // Reload
        bool reloaded = false;
        EXPECT_FALSE(Save(anna, mine, &reloaded));
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].title, "Changed Meanwhile");
        EXPECT_TRUE(messages.shown()[0].prompt.startsWith(
            QStringLiteral("%1 changed the product %2 on ").arg(ben.name()).arg(productNo)))
            << messages.shown()[0].prompt.toStdString();
        EXPECT_TRUE(reloaded);
    }
    EXPECT_EQ(Stored("product_name"), "Ben's name") << "nothing of Anna's was written";
    EXPECT_EQ(mine.ProductName(), "Ben's name") << "reload shows Ben's version";

    // Ben saves again while Anna edits Ben's version; this time she saves over it.
    theirs.setShortDescription("Ben's second thought");
    ASSERT_TRUE(Save(ben, theirs));
    mine.setProductName("Anna's name");
    {
        ScriptedMessages messages;
        messages.expect(MsgBoxResult::No); // Save Over
        EXPECT_TRUE(Save(anna, mine));
    }
    EXPECT_EQ(Stored("product_name"), "Anna's name");
    EXPECT_NE(Stored("short_description"), "Ben's second thought");
    {
        ScriptedMessages none; // her own last save is no one else's change
        mine.setProductType("Anna's type");
        EXPECT_TRUE(Save(anna, mine));
    }

    // The record's history, newest first, names both people: through the module's own viewer.
    frmRecordHistory viewer;
    ASSERT_TRUE(viewer.Setup(anna.maint, {storeNo, "zev_store_product",
                                          QStringLiteral("%1/%2").arg(storeNo).arg(productNo), "Product"}));
    QStringList who;
    for (int32_t row = 1; row < viewer.gdChanges->Rows(); ++row)
        if (!viewer.gdChanges->TextMatrix(row, 1).isEmpty())
            who << viewer.gdChanges->TextMatrix(row, 1);
    ASSERT_GE(who.size(), 4);
    EXPECT_EQ(who.mid(0, 4), QStringList({anna.name(), anna.name(), ben.name(), ben.name()}));
    EXPECT_EQ(viewer.gdChanges->TextMatrix(1, 5), "product_type");
    EXPECT_EQ(viewer.gdChanges->TextMatrix(1, 7), "Anna's type");
}

TEST_P(ConcurrentEdit, ARecordDeletedMeanwhileIsReportedAndNotRecreated) {
    CProduct mine = Opened(anna);
    {
        StoredProcedureCall remove(ben.db(), "ZEV_SP_STORE_DeleteProduct");
        remove.set("@store_no", storeNo).set("@product_no", productNo);
        ASSERT_TRUE(remove.run());
    }
    mine.setProductName("Anna's name");
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::OK);
    EXPECT_FALSE(Save(anna, mine));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.startsWith(
        QStringLiteral("%1 deleted the product %2 on ").arg(ben.name()).arg(productNo)))
        << messages.shown()[0].prompt.toStdString();
    EXPECT_EQ(db().count("zev_store_product", "store_no = ? AND product_no = ?", {storeNo, productNo}), 0);
}

// The store editor saves its grids' rows with the store's baseline: a group Ben renamed stops Anna's save of
// it.
TEST_P(ConcurrentEdit, AStoreRowSomeoneElseChangedStopsTheStoresSave) {
    const int32_t groupNo =
        db().scalar("SELECT MIN(product_group_no) FROM zev_store_product_group WHERE store_no = ?", {storeNo})
            .toInt();
    CStore store;
    ASSERT_TRUE(store.OpenStore(anna.db(), anna.server->error, storeNo));
    int32_t renamed = groupNo;
    ASSERT_TRUE(
        ben.maint.UpdateStoreGroup(storeNo, groupNo, renamed, "Ben's group", "<None>", "", "", 1, false));
    const auto saveGroup = [&] {
        int32_t same = groupNo;
        return anna.maint.UpdateStoreGroup(storeNo, groupNo, same, "Anna's group", "<None>", "", "", 1,
                                           false);
    };
    ScriptedMessages messages;
    messages.expect(MsgBoxResult::Cancel);
    EXPECT_FALSE(ConcurrentSave::Run(store.Baseline, anna.db(), saveGroup, [] {}));
    EXPECT_EQ(db().scalar("SELECT description FROM zev_store_product_group WHERE store_no = ? AND "
                          "product_group_no = ?",
                          {storeNo, groupNo})
                  .toString(),
              "Ben's group");
    EXPECT_TRUE(messages.shown()[0].prompt.contains(QStringLiteral("product group %1").arg(groupNo)));
}

ZEV_INSTANTIATE_BACKENDS(ConcurrentEdit);

} // namespace
