#include "database/HostQueries.h"

#include "database/HostRights.h"
#include "sdk/ItemTypes.h"

namespace {

const QString PriceSelect = QStringLiteral(
    "SELECT p.price_no, p.item_no, p.package_no, p.store_no, COALESCE(i.long_description, k.description), "
    "s.season_desc, p.discount_id, d.discount_desc, p.unit_id, p.unit_qty, p.unit_price, p.price FROM "
    "zev_price p "
    "LEFT JOIN zev_item i ON i.item_no = p.item_no LEFT JOIN zev_package k ON k.package_no = p.package_no "
    "LEFT JOIN zev_season s ON s.season_no = p.season_no LEFT JOIN zev_discount d ON d.discount_id = "
    "p.discount_id ");

std::vector<PriceEntry> ReadPrices(QSqlQuery query) {
    std::vector<PriceEntry> prices;
    while (query.next())
        prices.push_back({query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(),
                          query.value(3).toInt(), query.value(4).toString(), query.value(5).toString(),
                          query.value(6).toString(), query.value(7).toString(), query.value(8).toString(),
                          int16_t(query.value(9).toInt()), query.value(10).toDouble(),
                          query.value(11).toDouble()});
    return prices;
}

const QString CustomerSelect = QStringLiteral(
    "SELECT customer_no, first_name, last_name, full_name, email, phone, city FROM zev_customer ");

CustomerRecord ReadCustomer(const QSqlQuery& query) {
    return {query.value(0).toInt(),    query.value(1).toString(), query.value(2).toString(),
            query.value(3).toString(), query.value(4).toString(), query.value(5).toString(),
            query.value(6).toString()};
}

} // namespace

namespace HostQueries {

bool HasPermission(SqlSession& session, const QString& user, const QString& right) {
    QStringList rights{right};
    if (right.compare(HostRights::Store, Qt::CaseInsensitive) == 0)
        rights << HostRights::StoreAdmin;
    for (const QString& wanted : rights)
        if (session
                .scalar(QStringLiteral("SELECT 1 FROM zev_user_right WHERE LOWER(user_id) = LOWER(?) AND "
                                       "UPPER(right_id) = UPPER(?)"),
                        {user, wanted})
                .isValid())
            return true;
    return false;
}

std::vector<CustomerRecord> Customers(SqlSession& session, const QString& search) {
    std::vector<CustomerRecord> customers;
    const QString text = search.trimmed();
    QSqlQuery query =
        text.isEmpty()
            ? session.run(CustomerSelect + QStringLiteral("ORDER BY last_name, first_name, customer_no"))
            : session.run(CustomerSelect +
                              QStringLiteral(
                                  "WHERE LOWER(COALESCE(full_name, '') || ' ' || COALESCE(first_name, '') || "
                                  "' ' || COALESCE(last_name, '') || ' ' || COALESCE(email, '') || ' ' || "
                                  "COALESCE(city, '')) LIKE ? OR CAST(customer_no AS VARCHAR(12)) = ? "
                                  "ORDER BY last_name, first_name, customer_no"),
                          {QStringLiteral("%") + text.toLower() + QStringLiteral("%"), text});
    while (query.next())
        customers.push_back(ReadCustomer(query));
    return customers;
}

std::optional<CustomerRecord> Customer(SqlSession& session, int32_t customerNo) {
    QSqlQuery query = session.run(CustomerSelect + QStringLiteral("WHERE customer_no = ?"), {customerNo});
    if (!query.next())
        return std::nullopt;
    return ReadCustomer(query);
}

std::vector<CatalogueEntry> Catalogue(SqlSession& session, int16_t kind) {
    std::vector<CatalogueEntry> entries;
    if (kind == ttoPackage) {
        QSqlQuery query = session.run(QStringLiteral(
            "SELECT package_no, description FROM zev_package WHERE is_active <> 0 ORDER BY package_no"));
        while (query.next())
            entries.push_back({query.value(0).toInt(), ttoPackage, query.value(1).toString(), true});
        return entries;
    }
    QSqlQuery query =
        kind == ttoAll
            ? session.run(QStringLiteral(
                  "SELECT item_no, item_type, long_description FROM zev_item WHERE is_active <> 0 "
                  "ORDER BY item_no"))
            : session.run(
                  QStringLiteral(
                      "SELECT item_no, item_type, long_description FROM zev_item WHERE is_active <> 0 "
                      "AND item_type = ? ORDER BY item_no"),
                  {int(kind)});
    while (query.next())
        entries.push_back(
            {query.value(0).toInt(), int16_t(query.value(1).toInt()), query.value(2).toString(), true});
    return entries;
}

std::vector<PriceEntry> Prices(SqlSession& session, int32_t itemNo, int32_t packageNo, int32_t storeNo) {
    return ReadPrices(session.run(
        PriceSelect +
            QStringLiteral("WHERE %1 = ? AND (p.store_no IS NULL OR p.store_no = ?) ORDER BY p.price_no")
                .arg(itemNo != 0 ? QStringLiteral("p.item_no") : QStringLiteral("p.package_no")),
        {itemNo != 0 ? itemNo : packageNo, storeNo}));
}

std::vector<PriceEntry> SpecialOffers(SqlSession& session) {
    return ReadPrices(
        session.run(PriceSelect + QStringLiteral("WHERE p.discount_id IS NOT NULL ORDER BY p.price_no")));
}

} // namespace HostQueries
