#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"
#include "support/RecordingErrorObject.h"

#include <QSqlRecord>
#include <iostream>

namespace {

// Every table, every row, as one text: rows sorted, so that the order a server hands them back in is not
// a difference.
QString Dump(TestDatabase& db) {
    const QString tables =
        db.backend() == Backend::SQLite
            ? QStringLiteral(
                  "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite_%' "
                  "ORDER BY name")
            : QStringLiteral("SELECT table_name FROM information_schema.tables WHERE table_schema = "
                             "current_schema() AND table_type = 'BASE TABLE' ORDER BY table_name");
    QStringList names;
    for (QSqlQuery query = db.session().run(tables); query.next();)
        names << query.value(0).toString();
    QString dump;
    for (const QString& table : names) {
        QStringList rows;
        for (QSqlQuery query = db.session().run(QStringLiteral("SELECT * FROM ") + table); query.next();) {
            QString row;
            for (int c = 0; c < query.record().count(); ++c)
                row += (query.isNull(c) ? QStringLiteral("\\N") : query.value(c).toString()) + u'|';
            rows << row;
        }
        rows.sort();
        dump += table + u'\n' + rows.join(u'\n') + u'\n';
    }
    return dump;
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

// "procedure: @name=value; ..." as the procedure's full name and its inputs; numbers as numbers.
std::pair<QString, ProcedureRun::Inputs> Call(const char* line) {
    const QStringList parts = QString::fromLatin1(line).split(": ");
    ProcedureRun::Inputs inputs;
    for (const QString& assignment : parts[1].split("; ")) {
        const QString value = assignment.section(u'=', 1);
        bool whole = false, number = false;
        const int asInt = value.toInt(&whole);
        const double asDouble = value.toDouble(&number);
        inputs.emplace_back(u'@' + assignment.section(u'=', 0, 0), whole    ? Variant(asInt)
                                                                   : number ? Variant(asDouble)
                                                                            : Variant(value));
    }
    return {QStringLiteral("ZEV_SP_STORE_") + parts[0], inputs};
}

class FaultInjection : public DatabaseTest {};

// Every writing procedure, failed or cut off at each of its statements in turn, leaves every table as it was,
// is reported through the error object, and the next call on the same connection works.
TEST_P(FaultInjection, EveryStatementOfEveryWriteFailsWhole) {
    QStringList covered;
    for (const char* line : WritingCalls)
        covered << Call(line).first.toLower();
    for (const QString& name : ProcedureCatalog::Standard().names()) {
        const bool writes = !ProcedureCatalog::Standard().find(name)->readOnly;
        EXPECT_TRUE(!writes || covered.contains(name.toLower())) << name.toStdString() << " has no test call";
    }

    auto connection = this->connection();
    SqlSession& session = *connection->session();
    ErrorState state("FaultInjection");
    int statements = 0, partialWrites = 0;
    for (const char* line : WritingCalls) {
        const auto [name, inputs] = Call(line);
        const QString before = Dump(db());
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
                    EXPECT_NE(Dump(db()), before) << where << ": nothing was written";
                    whole = true;
                    break;
                }
                statements += fault == SqlSession::Fault::Fail;
                EXPECT_FALSE(completed) << where;
                ASSERT_EQ(errors->reports.size(), 1u) << where;
                EXPECT_EQ(errors->reports[0].source, state.ErrorSource() + " Run");
                if (Dump(db()) != before) {
                    ++partialWrites;
                    ADD_FAILURE() << where << ": a partial write";
                }
            }
        }
    }
    RecordProperty("faultPoints", statements);
    RecordProperty("partialWrites", partialWrites);
    std::cout << "Fault injection on " << db().backendName().toStdString() << ": " << std::size(WritingCalls)
              << " writing procedures, " << statements << " statements each failed and cut off, "
              << partialWrites << " partial writes\n";
}

ZEV_INSTANTIATE_BACKENDS(FaultInjection);

} // namespace
