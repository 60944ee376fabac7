#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"
#include "support/RecordingErrorObject.h"

#include <QSqlRecord>
#include <iostream>

namespace {

const Variant Null = Variant::Null();
const QString Store = QStringLiteral("@store_no");

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

ProcedureRun::Inputs ProductValues(int store, int number, int key) {
    ProcedureRun::Inputs values{{Store, store},
                                {QStringLiteral("@product_no"), number},
                                {QStringLiteral("@product_type"), "TICKET"},
                                {QStringLiteral("@product_name"), "Night Skiing"},
                                {QStringLiteral("@product_group_no"), 10},
                                {QStringLiteral("@is_active"), true}};
    if (key)
        values.emplace_back(QStringLiteral("@product_no_key"), key);
    return values;
}

ProcedureRun::Inputs ItemValues(int seq, int key) {
    ProcedureRun::Inputs values{{Store, 1},
                                {QStringLiteral("@product_no"), 100},
                                {QStringLiteral("@seq_no"), seq ? Variant(seq) : Null},
                                {QStringLiteral("@product_item_name"), "Twilight Ticket"},
                                {QStringLiteral("@item_no"), 1001},
                                {QStringLiteral("@price_no"), 103},
                                {QStringLiteral("@is_active"), int16_t(-1)}};
    if (key)
        values.emplace_back(QStringLiteral("@seq_no_key"), key);
    return values;
}

ProcedureRun::Inputs LinkKeys(int product, int seq, int price, int newProduct, int newSeq, int newPrice) {
    return {{Store, 1},
            {QStringLiteral("@product_no"), product},
            {QStringLiteral("@seq_no"), seq},
            {QStringLiteral("@price_no"), price},
            {QStringLiteral("@new_product_no"), newProduct},
            {QStringLiteral("@new_seq_no"), newSeq},
            {QStringLiteral("@new_price_no"), newPrice}};
}

ProcedureRun::Inputs With(ProcedureRun::Inputs inputs, const ProcedureRun::Inputs& more) {
    inputs.insert(inputs.end(), more.begin(), more.end());
    return inputs;
}

// One successful call of every writing procedure on the demo data, in an order where each finds what it
// needs (a group is added before it is deleted, a store is deleted last).
std::vector<std::pair<QString, ProcedureRun::Inputs>> WritingCalls() {
    const auto list = [](const char* id) { return ProcedureRun::Inputs{{Store, 1}, {"@list_id", id}}; };
    const ProcedureRun::Inputs listEntry{
        {"@product_no", 110}, {"@product_item_seq_no", 1}, {"@price_no", 110}};
    return {
        {"ZEV_SP_STORE_InsertProductGroup",
         {{Store, 1}, {"@product_group_no", 50}, {"@description", "Night"}}},
        {"ZEV_SP_STORE_UpdateProductGroup",
         {{Store, 1}, {"@product_group_no", 55}, {"@product_group_no_key", 50}, {"@description", "Late"}}},
        {"ZEV_SP_STORE_DeleteStoreGroup", {{Store, 1}, {"@product_group_no", 55}}},
        {"ZEV_SP_STORE_InsertProduct", ProductValues(1, 500, 0)},
        {"ZEV_SP_STORE_UpdateProduct", ProductValues(1, 150, 100)},
        {"ZEV_SP_STORE_DeleteProduct", {{Store, 2}, {"@product_no", 100}}},
        {"ZEV_SP_STORE_InsertProductItem",
         With(ItemValues(0, 0), {{"@product_no", 200}, {"@item_no", 1004}, {"@price_no", 109}})},
        {"ZEV_SP_STORE_UpdateProductItem", With(ItemValues(7, 1), {{"@product_no", 150}})},
        {"ZEV_SP_STORE_DeleteProductItem", {{Store, 1}, {"@product_no", 150}, {"@seq_no", 3}}},
        {"ZEV_SP_STORE_UpdateProductItemSell",
         With(LinkKeys(400, 2, 0, 400, 1, 0), {{"@sell_code", "UPSELL"}, {"@sell_text", "Both"}})},
        {"ZEV_SP_STORE_DeleteProductItemSell", LinkKeys(400, 1, 0, 400, 2, 0)},
        {"ZEV_SP_STORE_InsertListItem", With(list("FEATURED"), listEntry)},
        {"ZEV_SP_STORE_UpdateListItem",
         With(list("FEATURED"),
              {{"@seq_no", 8}, {"@seq_no_key", 2}, {"@product_no", 300}, {"@product_item_seq_no", 1}})},
        {"ZEV_SP_STORE_DeleteStoreListItem", With(list("FEATURED"), {{"@seq_no", 8}})},
        {"ZEV_SP_STORE_UpdateStoreList",
         With(list("2028"), {{"@list_id_key", "2027"}, {"@description", "Later"}})},
        {"ZEV_SP_STORE_DeleteStoreList", list("HOLIDAY")},
        {"ZEV_SP_STORE_UpdateStoreFee",
         {{Store, 1},
          {"@fee_id_key", "SERVICE"},
          {"@fee_id", "BOOKING"},
          {"@fee_amount", 3.0},
          {"@item_no", 6003}}},
        {"ZEV_SP_STORE_DeleteStoreFee", {{Store, 1}, {"@fee_id", "RESORT TAX"}}},
        {"ZEV_SP_STORE_STORE_SCREEN_Insert",
         {{Store, 1},
          {"@screen_id", "FAQ"},
          {"@screen_title", "Questions"},
          {"@screen_url", "https://x/faq"}}},
        {"ZEV_SP_STORE_STORE_SCREEN_Update",
         {{Store, 1}, {"@screen_id", "HELP"}, {"@original_screen_id", "FAQ"}, {"@screen_title", "Help"}}},
        {"ZEV_SP_STORE_STORE_SCREEN_Delete", {{Store, 1}, {"@screen_id", "CART"}}},
        {"ZEV_SP_STORE_STORE_EXTENDABLE_Update", {{Store, 1}, {"@item_no", 2001}}},
        {"ZEV_SP_STORE_STORE_EXTENSION_update",
         {{Store, 1}, {"@item_no", 2001}, {"@extension_item_no", 6001}, {"@available", true}}},
        {"ZEV_SP_STORE_STORE_EXTENDABLE_delete", {{Store, 2}, {"@item_no", 2001}}},
        {"ZEV_SP_STORE_UpdateStore",
         {{Store, 1}, {"@description", "Summit Peak"}, {"@so_type", "WEB"}, {"@location_register", 1}}},
        {"ZEV_SP_STORE_UpdateStorePayMethod", {{Store, 1}, {"@pay_method_id", "DISC"}}},
        {"ZEV_SP_STORE_DeleteStorePayMethod", {{Store, 1}, {"@pay_method_id", "AMEX"}}},
        {"ZEV_SP_STORE_InstallRegister", {{Store, 3}, {"@register_id", "WEB04"}}},
        {"ZEV_SP_STORE_UnInstallRegister", {{Store, 1}, {"@register_id", "WEB02"}}},
        {"ZEV_SP_STORE_DeleteStore", {{Store, 2}}},
    };
}

class FaultInjection : public DatabaseTest {};

// Every writing procedure, failed or cut off at each of its statements in turn, leaves every table as it was,
// is reported through the error object, and the next call on the same connection works.
TEST_P(FaultInjection, EveryStatementOfEveryWriteFailsWhole) {
    const auto calls = WritingCalls();
    QStringList covered;
    for (const auto& [name, inputs] : calls)
        covered << name.toLower();
    for (const QString& name : ProcedureCatalog::Standard().names()) {
        const bool writes = !ProcedureCatalog::Standard().find(name)->readOnly;
        EXPECT_TRUE(!writes || covered.contains(name.toLower())) << name.toStdString() << " has no test call";
    }

    auto connection = this->connection();
    SqlSession& session = *connection->session();
    int points = 0, partialWrites = 0;
    for (const auto& [name, inputs] : calls) {
        ASSERT_NE(ProcedureCatalog::Standard().find(name), nullptr) << name.toStdString();
        const QString before = Dump(db());
        for (int statement = 1;; ++statement) {
            bool reached = false;
            for (const auto fault : {SqlSession::Fault::Fail, SqlSession::Fault::Drop}) {
                auto errors = std::make_shared<RecordingErrorObject>();
                ErrorState state(QStringLiteral("FaultInjection"));
                Variant returned;
                session.injectFault(statement, fault);
                const bool completed = state.Guard(errors, QStringLiteral("Run"), [&] {
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
                                              .arg(fault == SqlSession::Fault::Fail ? "fail" : "drop")
                                              .toStdString();
                if (session.faultPending()) {
                    // Fewer statements than that: the call ran whole and must have written.
                    session.injectFault(0);
                    EXPECT_TRUE(completed) << where;
                    EXPECT_TRUE(returned.isNull() || returned.toInt32() >= 0) << where;
                    EXPECT_NE(Dump(db()), before) << where << ": nothing was written";
                    break;
                }
                reached = true;
                ++points;
                EXPECT_FALSE(completed) << where;
                ASSERT_EQ(errors->reports.size(), 1u) << where;
                EXPECT_EQ(errors->reports[0].source, state.ErrorSource() + QStringLiteral(" Run"));
                if (Dump(db()) != before) {
                    ++partialWrites;
                    ADD_FAILURE() << where << ": a partial write";
                }
            }
            if (!reached)
                break;
        }
    }
    RecordProperty("faultPoints", points);
    RecordProperty("partialWrites", partialWrites);
    std::cout << "Fault injection on " << db().backendName().toStdString() << ": " << calls.size()
              << " writing procedures, " << points << " faults injected (fail and drop at every statement), "
              << partialWrites << " partial writes\n";
    EXPECT_EQ(partialWrites, 0);
}

ZEV_INSTANTIATE_BACKENDS(FaultInjection);

} // namespace
