#include "dbsupport/TestDatabase.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStore.h"
#include "store/records/CStoreProductItemSell.h"
#include "support/FakeAppServer.h"
#include "support/RecordingErrorObject.h"
#include "widgets/MsgBox.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// Every refusal the user is told of: message boxes and reports to the host's error object.
class Refusals : public MessageService {
public:
    explicit Refusals(std::shared_ptr<RecordingErrorObject> error) : m_error(std::move(error)) {
        m_previous = SetMessageService(std::shared_ptr<MessageService>(this, [](MessageService*) {}));
    }
    ~Refusals() override { SetMessageService(m_previous); }
    int32_t Show(const QString& prompt, int32_t, const QString&) override {
        m_said.push_back(prompt);
        return MsgBoxResult::OK;
    }
    std::vector<QString> take() {
        for (const auto& report : m_error->reports)
            m_said.push_back(report.description);
        m_error->reports.clear();
        return std::exchange(m_said, {});
    }

private:
    std::shared_ptr<RecordingErrorObject> m_error;
    std::shared_ptr<MessageService> m_previous;
    std::vector<QString> m_said;
};

// A text box's way to the database: save a text, read back what is stored.
struct Field {
    QString name; // as a refusal names it
    int limit;    // characters; -1 for none
    std::function<bool(const QString&)> save;
    std::function<QString()> read;
};

// Every text a user can type into an editor or a store sub-table cell, on the demo data of both backends:
// each text is stored and read back exactly, or refused with a report naming the field and nothing written.
class HostileTextTest : public DatabaseTest {
protected:
    template <typename Record, typename Open>
    Field recordField(const char* name, int limit, Open open, void (Record::*set)(const QString&),
                      QString (Record::*get)() const) {
        return {name, limit,
                [=, this](const QString& text) {
                    Record r;
                    EXPECT_TRUE(open(r));
                    (r.*set)(text);
                    return r.Update(server->db, server->error);
                },
                [=] {
                    Record r;
                    open(r);
                    return (r.*get)();
                }};
    }
    Field cell(const char* name, int limit, const QString& column, const QString& table,
               std::function<bool(const QString&)> save) {
        return {
            name, limit, save, [=, this] {
                return db().scalar("SELECT " + column + " FROM " + table + " WHERE store_no = 1").toString();
            }};
    }

    // Store 1 of the demo data, its product 100 with item 1, and that item's first sell link.
    std::vector<Field> fields() {
        auto store = [this](CStore& s) { return s.OpenStore(server->db, server->error, 1); };
        auto item = [this](CProductItem& i) {
            return i.OpenProductItem(server->db, server->error, 1, 100, 1);
        };
        auto productRecord = [this](CProduct& p) { return p.OpenProduct(server->db, server->error, 1, 100); };
        auto sell = [this](CStoreProductItemSell& s) {
            return s.OpenStoreProductItemSell(server->db, server->error, 1, 100, 1, 0, 200, 2, 0);
        };
        db().execute("DELETE FROM zev_store_list WHERE store_no = 1");
        db().execute("INSERT INTO zev_store_list (store_no, list_id) VALUES (1, 'MAIN')");
        return {
            recordField("Store description", 50, store, &CStore::setDescription, &CStore::Description),
            recordField("Store URL", 255, store, &CStore::setStoreURL, &CStore::StoreURL),
            recordField("Email from", 255, store, &CStore::setEmailFrom, &CStore::EmailFrom),
            recordField("Ship document", -1, store, &CStore::setShipDocument, &CStore::ShipDocument),
            recordField("Product name", 100, productRecord, &CProduct::setProductName,
                        &CProduct::ProductName),
            recordField("Long description", -1, productRecord, &CProduct::setLongDescription,
                        &CProduct::LongDescription),
            recordField("Product item description", 255, item, &CProductItem::setDescription,
                        &CProductItem::Description),
            recordField("Product item URL", 255, item, &CProductItem::setProductURL,
                        &CProductItem::ProductURL),
            recordField("Sell text", 255, sell, &CStoreProductItemSell::setSellText,
                        &CStoreProductItemSell::SellText),
            cell("List description", 50, "description", "zev_store_list",
                 [this](const QString& t) { return maint.UpdateStoreList(1, "MAIN", "MAIN", t); }),
            cell("List id", 50, "list_id", "zev_store_list",
                 [this, id = std::make_shared<QString>("MAIN")](const QString& t) {
                     return maint.UpdateStoreList(1, *id, t, {}) && !(*id = t).isNull();
                 }),
        };
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    CStoreMaint maint;
};

TEST_P(HostileTextTest, EveryTextIsStoredExactlyOrRefusedNamingItsField) {
    server->db = connection();
    maint.setAppServer(server);
    const std::vector<QString> hostile = {"O'Brien \"quoted\" `x`",
                                          "a;b; c;",
                                          "'; DROP TABLE zev_store; --",
                                          "100% _x_ \\% [a]",
                                          QString(10000, 'x'),
                                          QString("a") + QChar(0) + "b",
                                          "tab\there\r\nline\x01\x1b\x7f",
                                          QString::fromUtf8("שלום مرحبا \u202Eabc"),
                                          QString::fromUtf8("⛷️🎿 👨‍👩‍👧")};
    Refusals refusals(server->error);
    int tried = 0;
    for (const Field& field : fields()) {
        std::vector<QString> texts = hostile;
        if (field.limit > 0) // as many characters as the column holds, each two UTF-16 units
            texts.push_back(QString::fromUtf8("🎿").repeated(field.limit));
        for (const QString& text : texts) {
            SCOPED_TRACE(field.name.toStdString() + " <- " + text.left(40).toStdString());
            const QString before = field.read();
            const bool fits = field.limit < 0 || text.size() <= field.limit;
            const bool storable =
                !text.contains(QChar(0)) && (field.limit < 0 || text.toUcs4().size() <= field.limit);
            const bool saved = field.save(text);
            if (fits || !storable) { // more UTF-16 units than the limit: stored or refused, both are fine
                EXPECT_EQ(saved, storable);
            }
            EXPECT_EQ(field.read(), saved ? text : before);
            EXPECT_TRUE(server->error->reports.empty())
                << "a refused text is told, not reported as a failure";
            const std::vector<QString> said = refusals.take();
            ASSERT_EQ(said.size(), saved ? 0u : 1u) << said[0].toStdString();
            for (const QString& word : field.name.split(' ')) { // the refusal names the field
                EXPECT_TRUE(saved || said[0].contains(word, Qt::CaseInsensitive)) << said[0].toStdString();
            }
            ++tried;
        }
    }
    EXPECT_EQ(db().count("zev_store"), 3) << "nothing dropped";
    RecordProperty("hostile texts x fields", tried);
}

ZEV_INSTANTIATE_BACKENDS(HostileTextTest);

} // namespace
