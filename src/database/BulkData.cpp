#include "database/BulkData.h"

#include "database/Transaction.h"

#include <QDateTime>

namespace {

int64_t Next(SqlSession& session, const QString& table, const QString& column) {
    const QVariant highest = session.scalar(QStringLiteral("SELECT MAX(%1) FROM %2").arg(column, table));
    return highest.isNull() ? 1 : highest.toLongLong() + 1;
}

// The catalogue the generated product items sell: the demo's when present, a few plain items otherwise.
std::vector<std::pair<int32_t, int32_t>> ItemsWithPrices(SqlSession& session) {
    std::vector<std::pair<int32_t, int32_t>> items;
    auto query = session.run(
        QStringLiteral("SELECT item_no, MIN(price_no) FROM zev_price WHERE item_no IS NOT NULL AND "
                       "store_no IS NULL GROUP BY item_no ORDER BY item_no"));
    while (query.next())
        items.emplace_back(query.value(0).toInt(), query.value(1).toInt());
    if (!items.empty())
        return items;
    const int32_t item = int32_t(Next(session, QStringLiteral("zev_item"), QStringLiteral("item_no")));
    const int32_t price = int32_t(Next(session, QStringLiteral("zev_price"), QStringLiteral("price_no")));
    for (int32_t i = 0; i < 6; ++i) {
        session.run(
            QStringLiteral("INSERT INTO zev_item (item_no, item_type, short_description, long_description) "
                           "VALUES (?, ?, ?, ?)"),
            {item + i, i + 1, QStringLiteral("Item %1").arg(item + i),
             QStringLiteral("Generated item %1").arg(item + i)});
        session.run(QStringLiteral("INSERT INTO zev_price (price_no, item_no, unit_qty, unit_price, price) "
                                   "VALUES (?, ?, 1, ?, ?)"),
                    {price + i, item + i, 10.0 + i, 10.0 + i});
        items.emplace_back(item + i, price + i);
    }
    return items;
}

} // namespace

namespace BulkData {

Generated Generate(SqlSession& session, const BulkDataSize& size) {
    Transaction transaction(session);
    const auto items = ItemsWithPrices(session);
    Generated generated;
    generated.firstStoreNo = int32_t(Next(session, QStringLiteral("zev_store"), QStringLiteral("store_no")));
    generated.firstCartNo =
        Next(session, QStringLiteral("zev_shopping_cart"), QStringLiteral("shopping_cart_no"));
    const int32_t firstCustomer =
        int32_t(Next(session, QStringLiteral("zev_customer"), QStringLiteral("customer_no")));
    const QStringList statuses{QStringLiteral("NEW"), QStringLiteral("PAID"), QStringLiteral("SHIPPED"),
                               QStringLiteral("PICKEDUP"), QStringLiteral("CANCELLED")};

    QSqlQuery store = session.prepare(
        QStringLiteral("INSERT INTO zev_store (store_no, description, store_url) VALUES (?, ?, ?)"));
    QSqlQuery group =
        session.prepare(QStringLiteral("INSERT INTO zev_store_product_group (store_no, product_group_no, "
                                       "description, num_cols) VALUES (?, ?, ?, 1)"));
    QSqlQuery product = session.prepare(
        QStringLiteral("INSERT INTO zev_store_product (store_no, product_no, product_type, product_name, "
                       "product_group_no, is_active, num_cols) VALUES (?, ?, 'GENERATED', ?, ?, 1, 1)"));
    QSqlQuery item = session.prepare(QStringLiteral(
        "INSERT INTO zev_store_product_item (store_no, product_no, seq_no, product_item_name, item_no, "
        "price_no) VALUES (?, ?, ?, ?, ?, ?)"));
    for (int32_t s = 0; s < size.stores; ++s) {
        const int32_t storeNo = generated.firstStoreNo + s;
        session.runPrepared(store, {storeNo, QStringLiteral("Generated Store %1").arg(storeNo),
                                    QStringLiteral("https://store%1.example").arg(storeNo)});
        for (int32_t g = 1; g <= 10; ++g)
            session.runPrepared(group, {storeNo, g, QStringLiteral("Group %1").arg(g)});
        for (int32_t p = 1; p <= size.productsPerStore; ++p) {
            session.runPrepared(product, {storeNo, p, QStringLiteral("Product %1").arg(p), 1 + p % 10});
            for (int32_t i = 1; i <= size.itemsPerProduct; ++i) {
                const auto& [itemNo, priceNo] = items[size_t(p + i) % items.size()];
                session.runPrepared(item, {storeNo, p, i, QStringLiteral("Product %1 item %2").arg(p).arg(i),
                                           itemNo, priceNo});
            }
        }
    }

    QSqlQuery customer = session.prepare(QStringLiteral(
        "INSERT INTO zev_customer (customer_no, first_name, last_name, full_name, email, city, "
        "inserted_datetime) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int32_t c = 0; c < size.customers; ++c) {
        const int32_t number = firstCustomer + c;
        session.runPrepared(customer, {number, QStringLiteral("First%1").arg(number),
                                       QStringLiteral("Last%1").arg(number),
                                       QStringLiteral("First%1 Last%1").arg(number),
                                       QStringLiteral("customer%1@mail.example").arg(number),
                                       QStringLiteral("Denver"), QStringLiteral("2026-01-01 00:00:00")});
    }

    QSqlQuery order = session.prepare(QStringLiteral(
        "INSERT INTO zev_shopping_cart (shopping_cart_no, store_no, inserted_datetime, status_id, "
        "salesorder_no, customer_no, external_customer_no, notify_email_address, shopping_cart_data) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QDateTime start(QDate(2026, 1, 1), QTime(8, 0));
    const QVariant noCart(QMetaType::fromType<QString>());
    const QVariant noNumber(QMetaType::fromType<int>());
    for (int64_t o = 0; o < size.orders; ++o) {
        const qlonglong cartNo = generated.firstCartNo + o;
        const int32_t customerNo = size.customers > 0 ? firstCustomer + int32_t(o % size.customers) : 0;
        const QString inserted = start.addSecs(o * 37).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        session.runPrepared(
            order,
            {cartNo, generated.firstStoreNo + int32_t(o % std::max(1, size.stores)), inserted,
             statuses[int(o % statuses.size())], o % 3 == 0 ? noNumber : QVariant(int(100000 + o % 1000000)),
             customerNo ? QVariant(customerNo) : noNumber,
             customerNo ? QVariant(customerNo + 900000) : noNumber,
             QStringLiteral("customer%1@mail.example").arg(customerNo),
             size.cartXml
                 ? QVariant(QStringLiteral("<cart no=\"%1\"><items><item product=\"1\" seq=\"1\" qty=\"1\">"
                                           "<price>10.00</price></item></items></cart>")
                                .arg(cartNo))
                 : noCart});
    }
    transaction.commit();
    return generated;
}

} // namespace BulkData
