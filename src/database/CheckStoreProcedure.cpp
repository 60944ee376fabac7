#include "database/ProcedureCatalog.h"
#include "database/ProcedureContext.h"
#include "database/SqlValue.h"

#include <QStringList>

// "ZEV_SP_STORE_CheckStore": what a customer of the store would stumble on, in one pass of set-based
// queries. Each row names the record (its kind in "finding" and its keys) and says what is wrong with it.

namespace {

// The columns every part hands back, in order; a part leaves the keys it has no use for null.
const char* const Columns[] = {
    "finding", "product_no",  "seq_no", "price_no",         "new_product_no", "new_seq_no", "new_price_no",
    "list_id", "list_seq_no", "fee_id", "product_group_no", "sell_code",      "description"};

bool IsText(const QString& column) {
    return column == QLatin1String("finding") || column == QLatin1String("list_id") ||
           column == QLatin1String("fee_id") || column == QLatin1String("sell_code") ||
           column == QLatin1String("description");
}

// Walks a store's products (alias p) in key order, as their items are kept: a range on the product number
// keeps SQLite off the product view's index (by group), through which it reads a page for nearly every
// product.
const QString ProductsInKeyOrder = QStringLiteral("p.product_no > -2147483648");

// The columns a part fills: "column" -> expression.
using Filled = std::vector<std::pair<const char*, QString>>;

// A SELECT list of the record's keys and the finding's description; the other columns are typed nulls, so
// the parts unite on PostgreSQL too.
QString Select(Filled filled, const QString& description) {
    filled.emplace_back("description", description);
    QStringList list;
    for (const char* name : Columns) {
        const QString column = QLatin1String(name);
        QString expression;
        for (const auto& [filledName, filledExpression] : filled)
            if (column == QLatin1String(filledName))
                expression = filledExpression;
        if (expression.isEmpty())
            expression = IsText(column) ? QStringLiteral("CAST(NULL AS VARCHAR(255))")
                                        : QStringLiteral("CAST(NULL AS INTEGER)");
        list << expression + QStringLiteral(" AS ") + column;
    }
    return QStringLiteral("SELECT ") + list.join(QStringLiteral(", "));
}

// The keys of an up-sell or cross-sell (alias s) and of a list item (alias l).
Filled SellKeys() {
    return {{"finding", QStringLiteral("'SELL'")},
            {"product_no", QStringLiteral("s.product_no")},
            {"seq_no", QStringLiteral("s.seq_no")},
            {"price_no", QStringLiteral("s.price_no")},
            {"new_product_no", QStringLiteral("s.new_product_no")},
            {"new_seq_no", QStringLiteral("s.new_seq_no")},
            {"new_price_no", QStringLiteral("s.new_price_no")},
            {"sell_code", QStringLiteral("s.sell_code")}};
}

Filled ListItemKeys() {
    return {{"finding", QStringLiteral("'LISTITEM'")},
            {"product_no", QStringLiteral("l.product_no")},
            {"seq_no", QStringLiteral("l.product_item_seq_no")},
            {"price_no", QStringLiteral("l.price_no")},
            {"list_id", QStringLiteral("l.list_id")},
            {"list_seq_no", QStringLiteral("l.seq_no")}};
}

QString Number(const QString& column) {
    return QStringLiteral("CAST(%1 AS VARCHAR(11))").arg(column);
}

// "Season Pass (200/2)": a product item as the findings name it.
QString ItemName(const QString& alias) {
    return QStringLiteral("COALESCE(%1.product_item_name, '') || ' (' || %2 || '/' || %3 || ')'")
        .arg(alias, Number(alias + QStringLiteral(".product_no")), Number(alias + QStringLiteral(".seq_no")));
}

// Why a product item cannot be bought today: the item or its product is not active, or today is outside its
// available dates; null when it can. Binds today's start and end.
QString Unavailable(const QString& item, const QString& product) {
    return QStringLiteral("CASE WHEN %1.is_active = 0 THEN 'is not active' "
                          "WHEN %2.is_active = 0 THEN 'belongs to a product that is not active' "
                          "WHEN %1.available_end_date < ? THEN 'was on sale until ' || "
                          "substr(%1.available_end_date, 1, 10) "
                          "WHEN %1.available_start_date > ? THEN 'is on sale only from ' || "
                          "substr(%1.available_start_date, 1, 10) END")
        .arg(item, product);
}

// Why a bound price cannot be charged: it is gone, it is not a price of the item (or package) it is bound to,
// it is another store's own price, or its season has ended; null when it can. The price is joined as pr, its
// season as se. Binds the store and today's start.
QString PriceProblem(const QString& itemNo, const QString& packageNo) {
    return QStringLiteral(
               "CASE WHEN pr.price_no IS NULL THEN 'no longer exists' "
               "WHEN NOT (COALESCE(pr.item_no = %1, FALSE) OR COALESCE(pr.package_no = %2, FALSE)) "
               "THEN 'is not a price of the item' "
               "WHEN pr.store_no IS NOT NULL AND pr.store_no <> ? THEN 'is another store''s price' "
               "WHEN se.end_date < ? THEN 'belongs to the season ' || COALESCE(se.season_desc, %3) || "
               "', which ended ' || substr(se.end_date, 1, 10) END")
        .arg(itemNo, packageNo, Number(QStringLiteral("se.season_no")));
}

QString PriceJoin(const QString& priceColumn) {
    return QStringLiteral(" LEFT JOIN zev_price pr ON pr.price_no = %1"
                          " LEFT JOIN zev_season se ON se.season_no = pr.season_no")
        .arg(priceColumn);
}

// A record's name, or what it is when it has none.
QString Named(const QString& name, const QString& none) {
    return QStringLiteral("COALESCE(NULLIF(%1, ''), '%2')").arg(name, none);
}

// Only the rows of a part that found something.
QString Found(const QString& part) {
    return QStringLiteral("SELECT * FROM (%1) found WHERE description IS NOT NULL").arg(part);
}

struct Part {
    QString sql;
    QVariantList values;
};

// The store's product items that cannot be bought today, with their name and why: worked out once for the
// links and the list items that offer them.
Part UnavailableItems(int32_t storeNo, const QString& dayStart, const QString& dayEnd) {
    return {
        QStringLiteral("unavailable AS (SELECT * FROM (SELECT i.product_no, i.seq_no, %1 AS item_name, "
                       "%2 AS reason FROM zev_store_product_item i JOIN zev_store_product p ON p.store_no "
                       "= i.store_no AND p.product_no = i.product_no WHERE i.store_no = ? AND %3) items "
                       "WHERE reason IS NOT NULL)")
            .arg(ItemName("i"), Unavailable("i", "p"), ProductsInKeyOrder),
        {dayStart, dayEnd, storeNo}};
}

// Up-sells and cross-sells, and list items, offering a product item that cannot be bought.
Part Targets(int32_t storeNo) {
    const QString sells =
        Select(SellKeys(), QStringLiteral("'Offers ' || u.item_name || ', which ' || u.reason || '.'")) +
        QStringLiteral(" FROM zev_store_product_item_sell s JOIN unavailable u ON u.product_no = "
                       "s.new_product_no AND u.seq_no = s.new_seq_no WHERE s.store_no = ?");
    const QString listItems =
        Select(ListItemKeys(), QStringLiteral("'Lists ' || u.item_name || ', which ' || u.reason || '.'")) +
        QStringLiteral(" FROM zev_store_list_item l JOIN unavailable u ON u.product_no = l.product_no AND "
                       "u.seq_no = l.product_item_seq_no WHERE l.store_no = ?");
    return {sells + QStringLiteral(" UNION ALL ") + listItems, {storeNo, storeNo}};
}

// Prices bound to product items, list items, both ends of up-sells and cross-sells, and fees.
Part Prices(int32_t storeNo, const QString& dayStart) {
    // The price's problem, of a product item (alias i) unless a fee's.
    const auto problem = [](const QString& label, const QString& price, bool fee = false) {
        return QStringLiteral("'%1 ' || %2 || ' ' || %3 || '.'")
            .arg(label, Number(price),
                 fee ? PriceProblem(QStringLiteral("f.item_no"), QStringLiteral("NULL"))
                     : PriceProblem(QStringLiteral("i.item_no"), QStringLiteral("i.package_no")));
    };
    const QString itemJoin = QStringLiteral(" JOIN zev_store_product_item i ON i.store_no = %1.store_no AND "
                                            "i.product_no = %1.%2 AND i.seq_no = %1.%3");
    const QStringList parts{
        Select({{"finding", QStringLiteral("'PRODUCTITEM'")},
                {"product_no", QStringLiteral("i.product_no")},
                {"seq_no", QStringLiteral("i.seq_no")},
                {"price_no", QStringLiteral("i.price_no")}},
               problem(QStringLiteral("Price"), QStringLiteral("i.price_no"))) +
            QStringLiteral(" FROM zev_store_product_item i") + PriceJoin(QStringLiteral("i.price_no")) +
            QStringLiteral(" WHERE i.store_no = ? AND i.price_no IS NOT NULL"),
        Select(ListItemKeys(), problem(QStringLiteral("Price"), QStringLiteral("l.price_no"))) +
            QStringLiteral(" FROM zev_store_list_item l") +
            itemJoin.arg(QStringLiteral("l"), QStringLiteral("product_no"),
                         QStringLiteral("product_item_seq_no")) +
            PriceJoin(QStringLiteral("l.price_no")) +
            QStringLiteral(" WHERE l.store_no = ? AND l.price_no IS NOT NULL"),
    };
    // Each end of a link is checked against its own item.
    QStringList sells;
    for (const auto& [label, price, product, seq] :
         {std::tuple{"Price", "price_no", "product_no", "seq_no"},
          {"Offered price", "new_price_no", "new_product_no", "new_seq_no"}})
        sells << Select(SellKeys(),
                        problem(QLatin1String(label), QStringLiteral("s.") + QLatin1String(price))) +
                     QStringLiteral(" FROM zev_store_product_item_sell s") +
                     itemJoin.arg(QStringLiteral("s"), QLatin1String(product), QLatin1String(seq)) +
                     PriceJoin(QStringLiteral("s.") + QLatin1String(price)) +
                     QStringLiteral(" WHERE s.store_no = ? AND s.%1 <> 0").arg(QLatin1String(price));
    const QString fees = Select({{"finding", QStringLiteral("'FEE'")},
                                 {"price_no", QStringLiteral("f.price_no")},
                                 {"fee_id", QStringLiteral("f.fee_id")}},
                                problem(QStringLiteral("Price"), QStringLiteral("f.price_no"), true)) +
                         QStringLiteral(" FROM zev_store_fee f") + PriceJoin(QStringLiteral("f.price_no")) +
                         QStringLiteral(" WHERE f.store_no = ? AND f.price_no IS NOT NULL");
    QStringList found;
    QVariantList values;
    for (const QString& part : parts + sells + QStringList{fees}) {
        found << Found(part);
        values << storeNo << dayStart << storeNo;
    }
    return {found.join(QStringLiteral(" UNION ALL ")), values};
}

// Active products with nothing to buy, groups with nothing to show, fees charging a retired item.
Part EmptyRecords(int32_t storeNo) {
    const QString products =
        Select({{"finding", QStringLiteral("'PRODUCT'")},
                {"product_no", QStringLiteral("p.product_no")},
                {"product_group_no", QStringLiteral("p.product_group_no")}},
               QStringLiteral("%1 || CASE WHEN EXISTS (SELECT 1 FROM zev_store_product_item a WHERE "
                              "a.store_no = p.store_no AND a.product_no = p.product_no) THEN ' has no active "
                              "items.' ELSE ' has no items.' END")
                   .arg(Named(QStringLiteral("p.product_name"), QStringLiteral("The product")))) +
        QStringLiteral(" FROM zev_store_product p WHERE p.store_no = ? AND %1 AND p.is_active <> 0 AND NOT "
                       "EXISTS (SELECT 1 FROM zev_store_product_item i WHERE i.store_no = p.store_no AND "
                       "i.product_no = p.product_no AND i.is_active <> 0)")
            .arg(ProductsInKeyOrder);
    // A group's products are found through the product view's index (by store and group); "+ 0" drops the
    // column's type, without which SQLite will not compare it with the index's expression.
    const QString groups =
        Select({{"finding", QStringLiteral("'GROUP'")},
                {"product_group_no", QStringLiteral("g.product_group_no")}},
               Named(QStringLiteral("g.description"), QStringLiteral("The group")) +
                   QStringLiteral(" || ' has no active products.'")) +
        QStringLiteral(
            " FROM zev_store_product_group g WHERE g.store_no = ? AND NOT EXISTS (SELECT 1 FROM "
            "zev_store_product p WHERE p.store_no = g.store_no AND COALESCE(p.product_group_no, 0) "
            "= g.product_group_no + 0 AND p.is_active <> 0)");
    const QString fees =
        Select({{"finding", QStringLiteral("'FEE'")}, {"fee_id", QStringLiteral("f.fee_id")}},
               QStringLiteral("'Item ' || %1 || CASE WHEN it.item_no IS NULL THEN ' no longer exists.' "
                              "ELSE ' ' || COALESCE(it.short_description, '') || ' is no longer active.' END")
                   .arg(Number(QStringLiteral("f.item_no")))) +
        QStringLiteral(
            " FROM zev_store_fee f LEFT JOIN zev_item it ON it.item_no = f.item_no WHERE f.store_no "
            "= ? AND f.item_no IS NOT NULL AND (it.item_no IS NULL OR it.is_active = 0)");
    return {QStringList{products, groups, fees}.join(QStringLiteral(" UNION ALL ")),
            {storeNo, storeNo, storeNo}};
}

void CheckStore(ProcedureContext& ctx) {
    const int32_t storeNo = ctx.integerOrZero(QStringLiteral("@store_no"));
    const QDate day = ctx.date(QStringLiteral("@as_of")).value_or(QDateTime::currentDateTime()).date();
    const QString dayStart = SqlValue::DateText(day.startOfDay());
    const QString dayEnd = SqlValue::DateText(QDateTime(day, QTime(23, 59, 59)));
    const Part unavailable = UnavailableItems(storeNo, dayStart, dayEnd);
    const Part parts[] = {Targets(storeNo), Prices(storeNo, dayStart), EmptyRecords(storeNo)};
    QStringList sql;
    QVariantList values = unavailable.values;
    for (const Part& part : parts) {
        sql << part.sql;
        values << part.values;
    }
    ctx.result(
        QStringLiteral("WITH ") + unavailable.sql + QLatin1Char(' ') +
            sql.join(QStringLiteral(" UNION ALL ")) +
            QStringLiteral(" ORDER BY finding, list_id, list_seq_no, fee_id, product_group_no, product_no, "
                           "seq_no, price_no, new_product_no, new_seq_no, new_price_no, description"),
        values);
}

} // namespace

void AddCheckStoreProcedure(ProcedureCatalog& catalog) {
    catalog.add(QStringLiteral("ZEV_SP_STORE_CheckStore"),
                {In(QStringLiteral("@store_no"), ParameterType::Long),
                 In(QStringLiteral("@as_of"), ParameterType::Date)},
                CheckStore);
}
