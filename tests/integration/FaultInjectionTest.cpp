#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"
#include "support/RecordingErrorObject.h"

#include <QSqlRecord>
#include <iostream>

namespace {

// A query whose answer is every table, every row, as one text: rows sorted, so that the order a server hands
// them back in is not a difference. One query, as it runs before and after each of several hundred faults.
QString DumpQuery(TestDatabase& db) {
    const bool sqlite = db.backend() == Backend::SQLite;
    const QString tables =
        sqlite ? QStringLiteral(
                     "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%'")
               : QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                                "current_schema() AND table_type = 'BASE TABLE'");
    QStringList parts;
    for (QSqlQuery query = db.session().run(tables); query.next();) {
        const QString table = query.value(0).toString();
        QStringList cells{QStringLiteral("t::text")};
        if (sqlite) {
            const QSqlRecord columns = db.session().run("SELECT * FROM " + table + " WHERE 1 = 0").record();
            cells.clear();
            for (int c = 0; c < columns.count(); ++c)
                cells << "quote(" + columns.fieldName(c) + ")";
        }
        parts << QStringLiteral(
                     "'%1:' || COALESCE((SELECT %2 FROM (SELECT %3 AS r FROM %1 t ORDER BY r) x), '')")
                     .arg(table, sqlite ? "group_concat(r, '#')" : "string_agg(r, '#' ORDER BY r)",
                          cells.join(" || '|' || "));
    }
    return "SELECT " + parts.join(" || '~' || ");
}

// One successful call of every writing procedure on the demo data, as "procedure: @name=value; ...", in an
// order where each finds what it needs (a group is added before it is deleted, a store is deleted last).
const char* const WritingCalls[] = {
    "InsertProductGroup: store_no=1; product_group_no=50; description=Night",
    "UpdateProductGroup: store_no=1; product_group_no=55; product_group_no_key=50; description=Late",
    "DeleteStoreGroup: store_no=1; product_group_no=55",
    "InsertProduct: store_no=1; product_no=500; product_type=TICKET; product_name=Night; product_group_no=10",
    "UpdateProduct: store_no=1; product_no=150; product_no_key=100; product_name=Day; product_group_no=10",
    "DeleteProduct: store_no=2; product_no=100",
    "InsertProductItem: store_no=1; product_no=200; product_item_name=Pass; item_no=1004; price_no=109",
    "UpdateProductItem: store_no=1; product_no=150; seq_no=7; seq_no_key=1; item_no=1001; price_no=103",
    "DeleteProductItem: store_no=1; product_no=150; seq_no=3",
    "UpdateProductItemSell: store_no=1; product_no=400; seq_no=2; price_no=0; new_product_no=400; "
    "new_seq_no=1; new_price_no=0; sell_code=UPSELL; sell_text=Both",
    "DeleteProductItemSell: store_no=1; product_no=400; seq_no=1; price_no=0; new_product_no=400; "
    "new_seq_no=2; new_price_no=0",
    "InsertListItem: store_no=1; list_id=FEATURED; product_no=110; product_item_seq_no=1; price_no=110",
    "UpdateListItem: store_no=1; list_id=FEATURED; seq_no=8; seq_no_key=2; product_no=300; "
    "product_item_seq_no=1",
    "DeleteStoreListItem: store_no=1; list_id=FEATURED; seq_no=8",
    "UpdateStoreList: store_no=1; list_id=2028; list_id_key=2027; description=Later",
    "DeleteStoreList: store_no=1; list_id=HOLIDAY",
    "UpdateStoreFee: store_no=1; fee_id_key=SERVICE; fee_id=BOOKING; fee_amount=3.5; item_no=6003",
    "DeleteStoreFee: store_no=1; fee_id=RESORT TAX",
    "STORE_SCREEN_Insert: store_no=1; screen_id=FAQ; screen_title=Questions; screen_url=https://x/faq",
    "STORE_SCREEN_Update: store_no=1; screen_id=HELP; original_screen_id=FAQ; screen_title=Help",
    "STORE_SCREEN_Delete: store_no=1; screen_id=CART",
    "STORE_EXTENDABLE_Update: store_no=1; item_no=2001",
    "STORE_EXTENSION_update: store_no=1; item_no=2001; extension_item_no=6001; available=-1",
    "STORE_EXTENDABLE_delete: store_no=2; item_no=2001",
    "UpdateStore: store_no=1; description=Summit Peak; so_type=WEB",
    "UpdateStorePayMethod: store_no=1; pay_method_id=DISC",
    "DeleteStorePayMethod: store_no=1; pay_method_id=AMEX",
    "InstallRegister: store_no=3; register_id=WEB04",
    "UnInstallRegister: store_no=1; register_id=WEB02",
    "DeleteStore: store_no=2",
};

class FaultInjection : public DatabaseTest {};

// Every writing procedure, failed or cut off at each of its statements in turn, leaves every table as it was,
// is reported through the error object, and the next call on the same connection works.
TEST_P(FaultInjection, EveryStatementOfEveryWriteFailsWhole) {
    QStringList covered;
    for (const char* line : WritingCalls)
        covered << ProcedureRun::Parse(QString::fromLatin1(line)).first.toLower();
    for (const QString& name : ProcedureCatalog::Standard().names()) {
        const bool writes = !ProcedureCatalog::Standard().find(name)->readOnly;
        EXPECT_TRUE(!writes || covered.contains(name.toLower())) << name.toStdString() << " has no test call";
    }

    auto connection = this->connection();
    SqlSession& session = *connection->session();
    ErrorState state("FaultInjection");
    const QString dumpQuery = DumpQuery(db());
    const auto dump = [&] { return db().session().scalar(dumpQuery).toString(); };
    int statements = 0;
    for (const char* line : WritingCalls) {
        const auto [name, inputs] = ProcedureRun::Parse(QString::fromLatin1(line));
        const QString before = dump();
        bool whole = false;
        for (int statement = 1; !whole; ++statement) {
            for (const auto fault : {SqlSession::Fault::Fail, SqlSession::Fault::Drop}) {
                auto errors = std::make_shared<RecordingErrorObject>();
                Variant returned;
                session.injectFault(statement, fault);
                const bool completed = state.Guard(errors, "Run", [&] {
                    StoredProcedureCall call(connection, name);
                    for (const auto& [parameter, value] : inputs)
                        call.set(parameter, value);
                    const bool ran = call.run();
                    returned = call.returnValue();
                    return ran;
                });
                const std::string where = QStringLiteral("%1 at statement %2 (%3)")
                                              .arg(name)
                                              .arg(statement)
                                              .arg(int(fault))
                                              .toStdString();
                if (session.faultPending()) {
                    // Fewer statements than that: the call ran whole and must have written.
                    session.injectFault(0);
                    EXPECT_TRUE(completed && returned.toInt32() >= 0) << where;
                    EXPECT_NE(dump(), before) << where << ": nothing was written";
                    whole = true;
                    break;
                }
                statements += fault == SqlSession::Fault::Fail;
                EXPECT_FALSE(completed) << where;
                ASSERT_EQ(errors->reports.size(), 1u) << where;
                EXPECT_EQ(errors->reports[0].source, state.ErrorSource() + " Run");
                if (dump() != before) // not EXPECT_EQ: both texts hold every row
                    ADD_FAILURE() << where << ": a partial write";
            }
        }
    }
    std::cout << "Fault injection on " << db().backendName().toStdString() << ": " << std::size(WritingCalls)
              << " writing procedures, " << statements << " statements each failed and cut off\n";
}

ZEV_INSTANTIATE_BACKENDS(FaultInjection);

} // namespace
