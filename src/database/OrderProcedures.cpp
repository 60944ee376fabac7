#include "database/CartSummary.h"
#include "database/HostRights.h"
#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"
#include "database/Schema.h"

#include <QRegularExpression>

using namespace ProcedureSupport;
using SqlValue::Bind;

namespace {

const QString StoreNo = QStringLiteral("@store_no");
const QString CartNo = QStringLiteral("@shopping_cart_no");

void GetOrderStatus(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT status_id FROM zev_order_status ORDER BY sort_order, status_id"));
}

// The order search: every filter left unset means all.
void GetOrders(ProcedureContext& ctx) {
    QString sql =
        QStringLiteral("SELECT shopping_cart_no, inserted_datetime, status_id, salesorder_no, customer_no, "
                       "external_customer_no, notify_email_address, store_no FROM zev_shopping_cart");
    QStringList where;
    QVariantList values;
    if (const auto storeNo = ctx.integer(StoreNo)) {
        where << QStringLiteral("store_no = ?");
        values << *storeNo;
    }
    if (const auto status = ctx.textOrNull(QStringLiteral("@status_id"))) {
        where << QStringLiteral("status_id = ?");
        values << *status;
    }
    if (const auto cartNo = ctx.wholeNumber(CartNo)) {
        where << QStringLiteral("shopping_cart_no = ?");
        values << qlonglong(*cartNo);
    }
    for (const char* column : {"salesorder_no", "customer_no", "external_customer_no"})
        if (const auto number = ctx.integer(QLatin1Char('@') + QString::fromLatin1(column))) {
            where << QString::fromLatin1(column) + QStringLiteral(" = ?");
            values << *number;
        }
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
    ctx.result(sql + QStringLiteral(" ORDER BY shopping_cart_no DESC"), values);
}

bool HasRight(ProcedureContext& ctx, const QString& user, const QString& right) {
    return ctx.exists(
        QStringLiteral("SELECT 1 FROM zev_user_right WHERE LOWER(user_id) = LOWER(?) AND right_id = ?"),
        {user, right});
}

// What the signed-in user and the user the caller names may both do: naming someone else grants nothing.
bool CallersHave(ProcedureContext& ctx, const QStringList& rights) {
    QStringList users{ctx.currentUser(), ctx.text(QStringLiteral("@zev_user")).value_or(QString())};
    users.removeAll(QString());
    if (users.isEmpty())
        return false;
    for (const QString& user : users) {
        bool any = false;
        for (const QString& right : rights)
            any = any || HasRight(ctx, user, right);
        if (!any)
            return false;
    }
    return true;
}

// Every card number of the cart but its last four digits as X, whether written as an attribute or an element.
QString MaskCardNumbers(const QString& xml) {
    static const QRegularExpression card(
        QStringLiteral("(\\bCARD_NO\\s*=\\s*[\"']|\\bCARD_NO\\s*>)([^\"'<]*)"));
    QString masked;
    qsizetype from = 0;
    for (auto it = card.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString number = match.captured(2);
        masked += xml.mid(from, match.capturedStart(2) - from);
        masked += number.size() < 4 ? number : QString(number.size() - 4, u'X') + number.right(4);
        from = match.capturedEnd(2);
    }
    return masked + xml.mid(from);
}

// A login the server does not show card numbers to reads the orders it keeps masked.
QString ReadableCarts(ProcedureContext& ctx) {
    return ctx.backend() == Backend::PostgreSQL &&
                   !ctx.scalar(QStringLiteral("SELECT has_column_privilege('zev_shopping_cart', "
                                              "'shopping_cart_data', 'SELECT')"))
                        .toBool()
               ? Schema::MaskedCarts
               : QStringLiteral("zev_shopping_cart");
}

// The cart only for users allowed to see orders; card numbers in full only with the card right, and masked
// here already otherwise, so that no reader of the data sees them.
void GetOrderData(ProcedureContext& ctx) {
    const bool mayView = CallersHave(ctx, {HostRights::Store, HostRights::StoreAdmin});
    const bool viewCard = mayView && CallersHave(ctx, {HostRights::ViewCardNumbers});
    ctx.setOutput(QStringLiteral("@view_card"), viewCard);
    ctx.setReturn(0);
    const auto storeNo = ctx.integer(StoreNo);
    const auto cartNo = ctx.wholeNumber(CartNo);
    if (!mayView || !storeNo || !cartNo)
        return;
    const QVariantList key{*storeNo, qlonglong(*cartNo)};
    const QString carts = ReadableCarts(ctx);
    const QVariant cart = ctx.scalar(
        QStringLiteral("SELECT shopping_cart_data FROM %1 WHERE store_no = ? AND shopping_cart_no = ?")
            .arg(carts),
        key);
    if (cart.isNull())
        return;
    if (viewCard) {
        ctx.result(QStringLiteral("SELECT shopping_cart_no, store_no, shopping_cart_data FROM %1 "
                                  "WHERE store_no = ? AND shopping_cart_no = ?")
                       .arg(carts),
                   key);
        return;
    }
    ctx.result(QStringLiteral("SELECT shopping_cart_no, store_no, CAST(? AS TEXT) AS shopping_cart_data "
                              "FROM %1 WHERE store_no = ? AND shopping_cart_no = ?")
                   .arg(carts),
               {MaskCardNumbers(cart.toString()), *storeNo, qlonglong(*cartNo)});
}

// What an order fills into the store's documents: the order given, or the store's newest (the highest cart
// number) when none is; no row when the store has no such order.
void GetOrderDocumentValues(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto cartNo = ctx.wholeNumber(CartNo).value_or(0);
    QVariantList key{Bind(storeNo)};
    QString which = QStringLiteral("ORDER BY shopping_cart_no DESC LIMIT 1");
    if (cartNo != 0) {
        which = QStringLiteral("AND shopping_cart_no = ?");
        key << qlonglong(cartNo);
    }
    QSqlQuery cart =
        ctx.run(QStringLiteral("SELECT shopping_cart_no, shopping_cart_data FROM %1 WHERE store_no = ? %2")
                    .arg(ReadableCarts(ctx), which),
                key);
    // Without such an order the rows come back empty.
    const bool found = cart.next();
    const CartSummary summary = found ? CartSummary::Read(cart.value(1).toString()) : CartSummary{};
    const QVariant foundNo = found ? cart.value(0) : Bind(std::optional<qint64>());
    ctx.result(
        QStringLiteral(
            "SELECT c.store_no, c.shopping_cart_no, c.inserted_datetime, "
            "COALESCE(NULLIF(p.full_name, ''), NULLIF(TRIM(COALESCE(p.first_name, '') || ' ' || "
            "COALESCE(p.last_name, '')), '')) AS customer_name, CAST(? AS DOUBLE PRECISION) AS order_total, "
            "CAST(? AS TEXT) AS ship_address, s.description AS store_name, r.location_id AS pickup_location "
            "FROM zev_shopping_cart c JOIN zev_store s ON s.store_no = c.store_no "
            "LEFT JOIN zev_customer p ON p.customer_no = c.customer_no "
            "LEFT JOIN zev_register r ON r.register_id = s.register_id "
            "WHERE c.store_no = ? AND c.shopping_cart_no = ?"),
        {Bind(summary.total),
         Bind(summary.shipAddress.isEmpty() ? std::nullopt : std::optional(summary.shipAddress)),
         Bind(storeNo), foundNo});
}

void GetOrderLog(ProcedureContext& ctx) {
    ctx.result(
        QStringLiteral("SELECT l.log_no, l.shopping_cart_no, l.log_datetime, l.log_trans_type, l.log_comment "
                       "FROM zev_shopping_cart_log l JOIN zev_shopping_cart c ON c.shopping_cart_no = "
                       "l.shopping_cart_no WHERE c.store_no = ? AND l.shopping_cart_no = ? "
                       "ORDER BY l.log_datetime, l.log_no"),
        {Bind(ctx.integer(StoreNo)), Bind(ctx.wholeNumber(CartNo))});
}

void GetStoreCustomer(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT store_no, customer_no, external_customer_no, inserted_by_store, "
                              "modified_datetime, inserted_datetime FROM zev_store_customer "
                              "WHERE store_no = ? AND customer_no = ?"),
               {Bind(ctx.integer(StoreNo)), Bind(ctx.integer(QStringLiteral("@customer_no")))});
}

void GetCustomerLogs(ProcedureContext& ctx) {
    ctx.result(
        QStringLiteral("SELECT log_no, log_datetime, customer_no, external_customer_no, store_no "
                       "FROM zev_customer_log WHERE customer_no = ? ORDER BY log_datetime DESC, log_no DESC"),
        {Bind(ctx.integer(QStringLiteral("@customer_no")))});
}

void GetCustomerLogData(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT log_no, customer_no, log_datetime, customer_data, old_customer_data "
                              "FROM zev_customer_log WHERE log_no = ?"),
               {Bind(ctx.wholeNumber(QStringLiteral("@log_no")))});
}

} // namespace

void AddOrderProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    const auto store = In(StoreNo, Long);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetOrderStatus"), {store}, GetOrderStatus);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetOrders"),
                {store, In(QStringLiteral("@status_id"), Text), In(CartNo, Double),
                 In(QStringLiteral("@salesorder_no"), Long), In(QStringLiteral("@customer_no"), Long),
                 In(QStringLiteral("@external_customer_no"), Long)},
                GetOrders);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetOrderData"),
                {store, In(CartNo, Double), In(QStringLiteral("@zev_user"), Text),
                 Out(QStringLiteral("@view_card"), Boolean)},
                GetOrderData);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetOrderLog"), {store, In(CartNo, Double)}, GetOrderLog);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetOrderDocumentValues"), {store, In(CartNo, Double)},
                GetOrderDocumentValues);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetStoreCustomer"),
                {store, In(QStringLiteral("@customer_no"), Long)}, GetStoreCustomer);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetCustomerLogs"), {In(QStringLiteral("@customer_no"), Long)},
                GetCustomerLogs);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetCustomerLogData"), {In(QStringLiteral("@log_no"), Double)},
                GetCustomerLogData);
}
