#include "database/ChangeHistory.h"
#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"

using namespace ProcedureSupport;
using SqlValue::Bind;
using SqlValue::BindFlag;

namespace {

void GetStore(ProcedureContext& ctx) {
    QString sql = QStringLiteral(
        "SELECT store_no, description, store_url, store_logo_url, default_product_url, register_id, "
        "register_installed, error_notify_email, confirmation_document, ship_document, manual_document, "
        "email_from, location_register, so_type FROM zev_store");
    QVariantList values;
    if (const auto storeNo = ctx.integer(QStringLiteral("@store_no"))) {
        sql += QStringLiteral(" WHERE store_no = ?");
        values << *storeNo;
    }
    ctx.result(sql + QStringLiteral(" ORDER BY COALESCE(description, ''), store_no"), values);
}

void UpdateStore(ProcedureContext& ctx) {
    const auto description = ctx.text(QStringLiteral("@description"));
    if (!description || description->trimmed().isEmpty()) {
        ctx.refuse(-1, QStringLiteral("A store needs a description."));
        return;
    }
    auto storeNo = ctx.integer(QStringLiteral("@store_no"));
    const bool exists = StoreExists(ctx, storeNo);
    if (!storeNo)
        storeNo = ctx.nextNumber(QStringLiteral("zev_store"), QStringLiteral("store_no"),
                                 QStringLiteral("1 = 1"), {});
    const QVariantList values{*description,
                              Bind(ctx.textOrNull(QStringLiteral("@store_url"))),
                              Bind(ctx.textOrNull(QStringLiteral("@store_logo_url"))),
                              Bind(ctx.textOrNull(QStringLiteral("@default_product_url"))),
                              Bind(ctx.textOrNull(QStringLiteral("@error_notify_email"))),
                              Bind(ctx.textOrNull(QStringLiteral("@confirmation_document"))),
                              Bind(ctx.textOrNull(QStringLiteral("@manual_document"))),
                              Bind(ctx.textOrNull(QStringLiteral("@ship_document"))),
                              Bind(ctx.textOrNull(QStringLiteral("@email_from"))),
                              Bind(ctx.textOrNull(QStringLiteral("@so_type"))),
                              int(ctx.flag(QStringLiteral("@location_register")).value_or(false) ? 1 : 0),
                              *storeNo};
    if (exists)
        ctx.run(QStringLiteral("UPDATE zev_store SET description = ?, store_url = ?, store_logo_url = ?, "
                               "default_product_url = ?, error_notify_email = ?, confirmation_document = ?, "
                               "manual_document = ?, ship_document = ?, email_from = ?, so_type = ?, "
                               "location_register = ? WHERE store_no = ?"),
                values);
    else
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store (description, store_url, store_logo_url, default_product_url, "
                    "error_notify_email, confirmation_document, manual_document, ship_document, "
                    "email_from, so_type, location_register, store_no) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    ctx.setOutput(QStringLiteral("@store_no"), *storeNo);
    ctx.setReturn(0);
}

void UpdateStorePayMethod(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(QStringLiteral("@store_no"));
    const auto payMethod = ctx.text(QStringLiteral("@pay_method_id"));
    if (RefuseMissingStore(ctx, storeNo))
        return;
    if (!payMethod ||
        !ctx.exists(QStringLiteral("SELECT 1 FROM zev_pay_method WHERE pay_method_id = ?"), {*payMethod})) {
        ctx.refuse(-1, QStringLiteral("Pay method %1 does not exist.").arg(payMethod.value_or(QString())));
        return;
    }
    if (!ctx.exists(
            QStringLiteral("SELECT 1 FROM zev_store_pay_method WHERE store_no = ? AND pay_method_id = ?"),
            {*storeNo, *payMethod}))
        ctx.run(QStringLiteral("INSERT INTO zev_store_pay_method (store_no, pay_method_id) VALUES (?, ?)"),
                {*storeNo, *payMethod});
    ctx.setReturn(0);
}

void DeleteStorePayMethod(ProcedureContext& ctx) {
    ctx.run(
        QStringLiteral("DELETE FROM zev_store_pay_method WHERE store_no = ? AND pay_method_id = ?"),
        {Bind(ctx.integer(QStringLiteral("@store_no"))), Bind(ctx.text(QStringLiteral("@pay_method_id")))});
    ctx.setReturn(0);
}

void DeleteStore(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(QStringLiteral("@store_no"));
    if (RefuseMissingStore(ctx, storeNo, 1))
        return;
    // The store's installed register becomes free for another store.
    ctx.run(
        QStringLiteral("UPDATE zev_register SET status_id = 'Avail' WHERE register_id IN "
                       "(SELECT register_id FROM zev_store WHERE store_no = ? AND register_installed <> 0)"),
        {*storeNo});
    // The rows that use the store's own prices go first, so the prices can follow the store.
    ctx.run(QStringLiteral("DELETE FROM zev_store_product WHERE store_no = ?"), {*storeNo});
    ctx.run(QStringLiteral("DELETE FROM zev_store_fee WHERE store_no = ?"), {*storeNo});
    ctx.run(QStringLiteral("DELETE FROM zev_store WHERE store_no = ?"), {*storeNo});
    ctx.setReturn(0);
}

void InstallRegister(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(QStringLiteral("@store_no"));
    const auto registerId = ctx.textOrNull(QStringLiteral("@register_id"));
    if (RefuseMissingStore(ctx, storeNo))
        return;
    if (!registerId) {
        ctx.refuse(-1, QStringLiteral("No register was chosen."));
        return;
    }
    QSqlQuery found = ctx.run(
        QStringLiteral("SELECT status_id, check_out_computer FROM zev_register WHERE register_id = ?"),
        {*registerId});
    if (!found.next()) {
        ctx.refuse(-1, QStringLiteral("Register %1 does not exist.").arg(*registerId));
        return;
    }
    const QString status = found.value(0).toString();
    const QString computer = found.value(1).toString();
    found.finish();
    if (!(status.isEmpty() || status == QLatin1String("Avail"))) {
        ctx.refuse(
            -1, QStringLiteral("Register %1 is no longer free (its status is %2).").arg(*registerId, status));
        return;
    }
    if (!(computer.isEmpty() || computer == QLatin1String("Avail"))) {
        ctx.refuse(-1, QStringLiteral("Register %1 is no longer free: it is checked out to %2.")
                           .arg(*registerId, computer));
        return;
    }
    const QVariant installed = ctx.scalar(
        QStringLiteral("SELECT register_id FROM zev_store WHERE store_no = ? AND register_installed <> 0"),
        {*storeNo});
    if (!installed.isNull() && installed.isValid()) {
        ctx.refuse(-1,
                   QStringLiteral("Store %1 already has register %2 installed. Please uninstall it first.")
                       .arg(*storeNo)
                       .arg(installed.toString()));
        return;
    }
    ctx.run(QStringLiteral("UPDATE zev_register SET status_id = 'Installed' WHERE register_id = ?"),
            {*registerId});
    ctx.run(QStringLiteral("UPDATE zev_store SET register_id = ?, register_installed = 1 WHERE store_no = ?"),
            {*registerId, *storeNo});
    ctx.setReturn(0);
}

void UnInstallRegister(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(QStringLiteral("@store_no"));
    const auto registerId = ctx.textOrNull(QStringLiteral("@register_id"));
    if (RefuseMissingStore(ctx, storeNo))
        return;
    if (!registerId ||
        !ctx.exists(QStringLiteral("SELECT 1 FROM zev_store WHERE store_no = ? AND register_id = ? AND "
                                   "register_installed <> 0"),
                    {*storeNo, *registerId})) {
        ctx.refuse(-1, QStringLiteral("Register %1 is not installed on store %2.")
                           .arg(registerId.value_or(QString()))
                           .arg(*storeNo));
        return;
    }
    ctx.run(QStringLiteral("UPDATE zev_register SET status_id = 'Avail' WHERE register_id = ?"),
            {*registerId});
    ctx.run(
        QStringLiteral("UPDATE zev_store SET register_id = NULL, register_installed = 0 WHERE store_no = ?"),
        {*storeNo});
    ctx.setReturn(0);
}

} // namespace

// A record's changes (a table and its key), or everything changed in a store, newest first: the newest
// HistoryShown, one index range however long the history is.
void GetChangeHistory(ProcedureContext& ctx) {
    constexpr int HistoryShown = 1000;
    QStringList where{QStringLiteral("1 = 1")};
    QVariantList values;
    if (const auto storeNo = ctx.integer(QStringLiteral("@store_no"))) {
        where << QStringLiteral("store_no = ?");
        values << *storeNo;
    }
    const auto table = ctx.textOrNull(QStringLiteral("@table_name"));
    const auto key = ctx.textOrNull(QStringLiteral("@record_key"));
    if (table && key) {
        where << ChangeHistory::RecordCondition(ctx.backend(), *table, *key, values);
    } else {
        for (const auto& [column, value] : {std::pair{"table_name", table}, {"record_key", key}})
            if (value) {
                where << QLatin1String(column) + QStringLiteral(" = ?");
                values << *value;
            }
    }
    ctx.result(QStringLiteral("SELECT changed_at, changed_by, table_name, record_key, action, old_values, "
                              "new_values FROM zev_change_history WHERE %1 ORDER BY history_no DESC LIMIT %2")
                   .arg(where.join(QStringLiteral(" AND ")))
                   .arg(HistoryShown),
               values);
}

void AddStoreProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetStore"), {In(QStringLiteral("@store_no"), Long)}, GetStore);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetChangeHistory"),
                {In(QStringLiteral("@store_no"), Long), In(QStringLiteral("@table_name"), Text),
                 In(QStringLiteral("@record_key"), Text)},
                GetChangeHistory);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateStore"),
                {InOut(QStringLiteral("@store_no"), Long), In(QStringLiteral("@description"), Text),
                 In(QStringLiteral("@store_url"), Text), In(QStringLiteral("@store_logo_url"), Text),
                 In(QStringLiteral("@default_product_url"), Text),
                 In(QStringLiteral("@error_notify_email"), Text),
                 In(QStringLiteral("@confirmation_document"), Text),
                 In(QStringLiteral("@manual_document"), Text), In(QStringLiteral("@ship_document"), Text),
                 In(QStringLiteral("@email_from"), Text), In(QStringLiteral("@so_type"), Text),
                 In(QStringLiteral("@location_register"), Integer), Out(QStringLiteral("@message"), Text)},
                UpdateStore);
    const std::vector<ParameterDeclaration> payMethod{In(QStringLiteral("@store_no"), Long),
                                                      In(QStringLiteral("@pay_method_id"), Text),
                                                      Out(QStringLiteral("@message"), Text)};
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateStorePayMethod"), payMethod, UpdateStorePayMethod);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStorePayMethod"), payMethod, DeleteStorePayMethod);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStore"),
                {In(QStringLiteral("@store_no"), Long), Out(QStringLiteral("@message"), Text)}, DeleteStore);
    const std::vector<ParameterDeclaration> registerParameters{In(QStringLiteral("@store_no"), Long),
                                                               In(QStringLiteral("@register_id"), Text),
                                                               Out(QStringLiteral("@message"), Text)};
    catalog.add(QStringLiteral("ZEV_SP_STORE_InstallRegister"), registerParameters, InstallRegister);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UnInstallRegister"), registerParameters, UnInstallRegister);
}
