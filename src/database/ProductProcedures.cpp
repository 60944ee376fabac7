#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"
#include "sdk/ItemTypes.h"

using namespace ProcedureSupport;
using SqlValue::Bind;
using SqlValue::BindFlag;

namespace {

const QString StoreNo = QStringLiteral("@store_no");
const QString ProductNo = QStringLiteral("@product_no");
const QString SeqNo = QStringLiteral("@seq_no");

// Products

void GetProduct(ProcedureContext& ctx) {
    QString sql =
        QStringLiteral("SELECT p.store_no, p.product_no, p.product_group_no, g.description AS "
                       "group_description, p.product_type, "
                       "p.product_name, p.short_description, p.long_description, p.product_url, p.is_active, "
                       "p.photo_family, "
                       "p.item_display_type, p.image_width, p.image_height, p.num_cols, p.manual_invoice, "
                       "g.manual_invoice AS group_manual_invoice FROM zev_store_product p "
                       "LEFT JOIN zev_store_product_group g ON g.store_no = p.store_no AND "
                       "g.product_group_no = p.product_group_no "
                       "WHERE p.store_no = ?");
    QVariantList values{Bind(ctx.integer(StoreNo))};
    if (const auto productNo = ctx.integer(ProductNo)) {
        sql += QStringLiteral(" AND p.product_no = ?");
        values << *productNo;
    }
    // Each group's products together, products without a group first.
    ctx.result(sql + QStringLiteral(" ORDER BY COALESCE(p.product_group_no, 0), p.product_no"), values);
}

void WriteProduct(ProcedureContext& ctx, const std::optional<int32_t>& key) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    const auto productNo = ctx.integer(ProductNo);
    if (!productNo) {
        ctx.refuse(-1, QStringLiteral("You must supply a product number."));
        return;
    }
    if (*productNo <= 0) {
        ctx.refuse(
            -1,
            QStringLiteral("Product number %1 is not valid: it must be greater than zero.").arg(*productNo));
        return;
    }
    if (key && !ProductExists(ctx, *storeNo, *key)) {
        ctx.refuse(-1, QStringLiteral("Product %1 does not exist in store %2.").arg(*key).arg(*storeNo));
        return;
    }
    if (productNo != key && ProductExists(ctx, *storeNo, *productNo)) {
        ctx.refuse(-1,
                   QStringLiteral("Product %1 already exists in store %2.").arg(*productNo).arg(*storeNo));
        return;
    }
    const auto groupNo = ctx.integer(QStringLiteral("@product_group_no"));
    if (groupNo && !GroupExists(ctx, *storeNo, *groupNo)) {
        ctx.refuse(-1, QStringLiteral("Group %1 does not exist in store %2.").arg(*groupNo).arg(*storeNo));
        return;
    }
    const auto name = ctx.text(QStringLiteral("@product_name"));
    if (!name || name->trimmed().isEmpty()) {
        ctx.refuse(-1, QStringLiteral("A product needs a name."));
        return;
    }
    if (name->size() > 100) {
        ctx.refuse(-1, QStringLiteral("Product name can not be longer than 100 characters."));
        return;
    }
    const auto photoFamily = ctx.textOrNull(QStringLiteral("@photo_family"));
    const auto displayType = ctx.textOrNull(QStringLiteral("@item_display_type"));
    const auto manualInvoice = ctx.integer(QStringLiteral("@manual_invoice"));
    QVariantList values{
        *productNo,
        Bind(ctx.textOrNull(QStringLiteral("@product_type"))),
        Bind(name),
        Bind(ctx.textOrNull(QStringLiteral("@short_description"))),
        Bind(ctx.textOrNull(QStringLiteral("@long_description"))),
        Bind(groupNo),
        Bind(ctx.textOrNull(QStringLiteral("@product_url"))),
        Bind(ctx.integer(QStringLiteral("@image_width"))),
        Bind(ctx.integer(QStringLiteral("@image_height"))),
        int(ctx.flag(QStringLiteral("@is_active")).value_or(true) ? 1 : 0),
        Bind(displayType ? std::optional<QString>(displayType->toUpper()) : std::nullopt),
        Bind(photoFamily ? std::optional<QString>(photoFamily->toUpper()) : std::nullopt),
        Bind(ctx.integer(QStringLiteral("@num_cols"))),
        Bind(manualInvoice ? std::optional<int32_t>(*manualInvoice != 0 ? 1 : 0) : std::nullopt),
        *storeNo};
    if (key) {
        // Items, their links and list entries follow a changed number (the foreign keys cascade).
        values << *key;
        ctx.run(QStringLiteral(
                    "UPDATE zev_store_product SET product_no = ?, product_type = ?, product_name = ?, "
                    "short_description = ?, long_description = ?, product_group_no = ?, product_url = ?, "
                    "image_width = ?, image_height = ?, is_active = ?, item_display_type = ?, "
                    "photo_family = ?, num_cols = ?, manual_invoice = ? WHERE store_no = ? AND "
                    "product_no = ?"),
                values);
    } else {
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store_product (product_no, product_type, product_name, "
                    "short_description, long_description, product_group_no, product_url, image_width, "
                    "image_height, is_active, item_display_type, photo_family, num_cols, manual_invoice, "
                    "store_no) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
    ctx.setReturn(0);
}

void InsertProduct(ProcedureContext& ctx) {
    WriteProduct(ctx, std::nullopt);
}

void UpdateProduct(ProcedureContext& ctx) {
    const auto key = ctx.integer(QStringLiteral("@product_no_key"));
    WriteProduct(ctx, key ? key : ctx.integer(ProductNo));
}

void DeleteProduct(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto productNo = ctx.integer(ProductNo);
    if (!storeNo || !productNo || !ProductExists(ctx, *storeNo, *productNo)) {
        ctx.refuse(1, QStringLiteral("Product %1 does not exist in store %2.")
                          .arg(productNo.value_or(0))
                          .arg(storeNo.value_or(0)));
        return;
    }
    // Its items go with it, and with them their links and list entries.
    ctx.run(QStringLiteral("DELETE FROM zev_store_product WHERE store_no = ? AND product_no = ?"),
            {*storeNo, *productNo});
    ctx.setReturn(0);
}

// Product items

void GetProductItem(ProcedureContext& ctx) {
    QString sql = QStringLiteral(
        "SELECT pi.store_no, pi.product_no, p.product_name, pi.seq_no, pi.description, "
        "COALESCE(i.allow_backorder, 0) AS allow_backorder, pi.product_item_name, pi.package_no, pi.item_no, "
        "pi.price_no, pr.price, pr.unit_qty AS price_unit_qty, pi.product_url, pi.prompt_rental, "
        "pi.prompt_lesson, "
        "pi.prompt_customer, pi.prompt_photo, pi.available_start_date, pi.available_end_date, "
        "pi.advance_purchase_days, pi.is_active, pi.manual_invoice, "
        "CASE WHEN p.manual_invoice <> 0 THEN 1 ELSE 0 END AS product_manual_invoice, "
        "CASE WHEN g.manual_invoice <> 0 THEN 1 ELSE 0 END AS group_manual_invoice, pi.min_age, pi.max_age, "
        "pi.prompt_alert FROM zev_store_product_item pi "
        "JOIN zev_store_product p ON p.store_no = pi.store_no AND p.product_no = pi.product_no "
        "LEFT JOIN zev_store_product_group g ON g.store_no = p.store_no AND g.product_group_no = "
        "p.product_group_no "
        "LEFT JOIN zev_item i ON i.item_no = pi.item_no LEFT JOIN zev_price pr ON pr.price_no = pi.price_no "
        "WHERE pi.store_no = ?");
    QVariantList values{Bind(ctx.integer(StoreNo))};
    if (const auto productNo = ctx.integer(ProductNo)) {
        sql += QStringLiteral(" AND pi.product_no = ?");
        values << *productNo;
        if (const auto seqNo = ctx.integer(SeqNo)) {
            sql += QStringLiteral(" AND pi.seq_no = ?");
            values << *seqNo;
        }
    } else if (const auto seqNo = ctx.integer(SeqNo)) {
        sql += QStringLiteral(" AND pi.seq_no = ?");
        values << *seqNo;
    }
    ctx.result(sql + QStringLiteral(" ORDER BY pi.product_no, pi.seq_no"), values);
}

void WriteProductItem(ProcedureContext& ctx, const std::optional<int32_t>& key) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto productNo = ctx.integer(ProductNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    if (!productNo || !ProductExists(ctx, *storeNo, *productNo)) {
        ctx.refuse(-1, QStringLiteral("Product %1 does not exist in store %2.")
                           .arg(productNo.value_or(0))
                           .arg(*storeNo));
        return;
    }
    if (key && !ProductItemExists(ctx, *storeNo, *productNo, *key)) {
        ctx.refuse(-1,
                   QStringLiteral("Product item %1 of product %2 does not exist.").arg(*key).arg(*productNo));
        return;
    }
    auto seqNo = ctx.integer(SeqNo);
    if (!seqNo)
        seqNo =
            key ? *key
                : ctx.nextNumber(QStringLiteral("zev_store_product_item"), QStringLiteral("seq_no"),
                                 QStringLiteral("store_no = ? AND product_no = ?"), {*storeNo, *productNo});
    if (*seqNo <= 0) {
        ctx.refuse(
            -1, QStringLiteral("Sequence number %1 is not valid: it must be greater than zero.").arg(*seqNo));
        return;
    }
    if (seqNo != key && ProductItemExists(ctx, *storeNo, *productNo, *seqNo)) {
        ctx.refuse(
            -1, QStringLiteral("Product item %1 already exists for product %2.").arg(*seqNo).arg(*productNo));
        return;
    }
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    const auto packageNo = ctx.integer(QStringLiteral("@package_no"));
    if (bool(itemNo) == bool(packageNo)) {
        ctx.refuse(-1, QStringLiteral("A product item sells either one item or one package."));
        return;
    }
    if (itemNo && !ItemExists(ctx, *itemNo)) {
        ctx.refuse(-1, QStringLiteral("Item %1 does not exist.").arg(*itemNo));
        return;
    }
    if (packageNo &&
        !ctx.exists(QStringLiteral("SELECT 1 FROM zev_package WHERE package_no = ?"), {*packageNo})) {
        ctx.refuse(-1, QStringLiteral("Package %1 does not exist.").arg(*packageNo));
        return;
    }
    const auto priceNo = ctx.integer(QStringLiteral("@price_no"));
    if (priceNo && !PriceFits(ctx, *priceNo, itemNo, packageNo, *storeNo)) {
        ctx.refuse(-1, QStringLiteral("Price %1 is not a price of %2 %3.")
                           .arg(*priceNo)
                           .arg(itemNo ? QStringLiteral("item") : QStringLiteral("package"))
                           .arg(itemNo ? *itemNo : *packageNo));
        return;
    }
    const auto start = ctx.date(QStringLiteral("@available_start_date"));
    const auto end = ctx.date(QStringLiteral("@available_end_date"));
    if (start && end && *end < *start) {
        ctx.refuse(-1, QStringLiteral("The item's availability ends before it starts."));
        return;
    }
    const auto minAge = ctx.number(QStringLiteral("@min_age"));
    const auto maxAge = ctx.number(QStringLiteral("@max_age"));
    if (minAge && maxAge && *minAge > *maxAge) {
        ctx.refuse(-1, QStringLiteral("The minimum age is above the maximum age."));
        return;
    }
    const int32_t advanceDays = ctx.integerOrZero(QStringLiteral("@advance_purchase_days"));
    if (advanceDays < 0) {
        ctx.refuse(-1, QStringLiteral("Advance purchase days can not be negative."));
        return;
    }
    const auto manualInvoice = ctx.integer(QStringLiteral("@manual_invoice"));
    const auto flag = [&](const char* name) {
        return int(ctx.flag(QString::fromLatin1(name)).value_or(false) ? 1 : 0);
    };
    QVariantList values{
        *seqNo,
        Bind(ctx.textOrNull(QStringLiteral("@product_item_name"))),
        Bind(itemNo),
        Bind(packageNo),
        Bind(ctx.textOrNull(QStringLiteral("@description"))),
        Bind(priceNo),
        Bind(ctx.textOrNull(QStringLiteral("@product_url"))),
        flag("@prompt_rental"),
        flag("@prompt_lesson"),
        flag("@prompt_customer"),
        flag("@prompt_photo"),
        Bind(start),
        Bind(end),
        advanceDays,
        int(ctx.flag(QStringLiteral("@is_active")).value_or(true) ? 1 : 0),
        Bind(manualInvoice ? std::optional<int32_t>(*manualInvoice != 0 ? 1 : 0) : std::nullopt),
        Bind(minAge),
        Bind(maxAge),
        flag("@prompt_alert"),
        *storeNo,
        *productNo};
    if (key) {
        // Links and list entries of the item follow a changed number (the foreign keys cascade).
        values << *key;
        ctx.run(QStringLiteral(
                    "UPDATE zev_store_product_item SET seq_no = ?, product_item_name = ?, item_no = ?, "
                    "package_no = ?, description = ?, price_no = ?, product_url = ?, prompt_rental = ?, "
                    "prompt_lesson = ?, prompt_customer = ?, prompt_photo = ?, available_start_date = ?, "
                    "available_end_date = ?, advance_purchase_days = ?, is_active = ?, manual_invoice = ?, "
                    "min_age = ?, max_age = ?, prompt_alert = ? WHERE store_no = ? AND product_no = ? AND "
                    "seq_no = ?"),
                values);
    } else {
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store_product_item (seq_no, product_item_name, item_no, package_no, "
                    "description, price_no, product_url, prompt_rental, prompt_lesson, prompt_customer, "
                    "prompt_photo, available_start_date, available_end_date, advance_purchase_days, "
                    "is_active, manual_invoice, min_age, max_age, prompt_alert, store_no, product_no) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
    ctx.setOutput(SeqNo, *seqNo);
    ctx.setReturn(0);
}

void InsertProductItem(ProcedureContext& ctx) {
    WriteProductItem(ctx, std::nullopt);
}

void UpdateProductItem(ProcedureContext& ctx) {
    const auto key = ctx.integer(QStringLiteral("@seq_no_key"));
    WriteProductItem(ctx, key ? key : ctx.integer(SeqNo));
}

void DeleteProductItem(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto productNo = ctx.integer(ProductNo);
    const auto seqNo = ctx.integer(SeqNo);
    QSqlQuery deleted = ctx.run(QStringLiteral("DELETE FROM zev_store_product_item WHERE store_no = ? AND "
                                               "product_no = ? AND seq_no = ?"),
                                {Bind(storeNo), Bind(productNo), Bind(seqNo)});
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("Product item %1 of product %2 does not exist.")
                          .arg(seqNo.value_or(0))
                          .arg(productNo.value_or(0)));
        return;
    }
    ctx.setReturn(0);
}

// What a new product item starts with, from its catalogue item or package and its price.
void ProductItemDefaults(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto productNo = ctx.integer(ProductNo);
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    const auto packageNo = ctx.integer(QStringLiteral("@package_no"));
    // 0 while no price is chosen.
    int32_t priceNo = ctx.integerOrZero(QStringLiteral("@price_no"));
    const QString given = ctx.text(QStringLiteral("@description")).value_or(QString());

    QString name, description, url;
    bool rental = false, lesson = false, customer = false, photo = false, alert = false, active = true;
    int32_t advanceDays = 0;
    const auto promptsFor = [&](int kind, bool waiver) {
        rental = rental || kind == ttoRental;
        lesson = lesson || kind == ttoSkiSchool;
        photo = photo || kind == ttoPhoto;
        // Whoever rents, learns, skis or is photographed has to be named.
        customer =
            customer || kind == ttoRental || kind == ttoSkiSchool || kind == ttoPhoto || kind == ttoTicket;
        alert = alert || waiver;
    };
    if (itemNo) {
        QSqlQuery item =
            ctx.run(QStringLiteral("SELECT item_type, short_description, long_description, item_url, "
                                   "requires_waiver, advance_purchase_days, is_active FROM zev_item "
                                   "WHERE item_no = ?"),
                    {*itemNo});
        if (!item.next()) {
            ctx.refuse(-1, QStringLiteral("Item %1 does not exist.").arg(*itemNo));
            return;
        }
        promptsFor(item.value(0).toInt(), item.value(4).toInt() != 0);
        name = item.value(1).toString();
        description = item.value(2).toString();
        url = item.value(3).toString();
        advanceDays = item.value(5).toInt();
        active = item.value(6).toInt() != 0;
    } else if (packageNo) {
        QSqlQuery package =
            ctx.run(QStringLiteral(
                        "SELECT description, package_url, is_active FROM zev_package WHERE package_no = ?"),
                    {*packageNo});
        if (!package.next()) {
            ctx.refuse(-1, QStringLiteral("Package %1 does not exist.").arg(*packageNo));
            return;
        }
        description = package.value(0).toString();
        name = description;
        url = package.value(1).toString();
        active = package.value(2).toInt() != 0;
        package.finish();
        QSqlQuery contents =
            ctx.run(QStringLiteral("SELECT i.item_type, i.requires_waiver, i.advance_purchase_days "
                                   "FROM zev_package_item pi JOIN zev_item i ON i.item_no = "
                                   "pi.item_no WHERE pi.package_no = ?"),
                    {*packageNo});
        while (contents.next()) {
            promptsFor(contents.value(0).toInt(), contents.value(1).toInt() != 0);
            advanceDays = std::max(advanceDays, contents.value(2).toInt());
        }
    } else {
        ctx.refuse(-1, QStringLiteral("Choose an item or a package first."));
        return;
    }
    if (name.isEmpty())
        name = description;
    if (url.isEmpty() && storeNo && productNo)
        url =
            ctx.scalar(QStringLiteral(
                           "SELECT product_url FROM zev_store_product WHERE store_no = ? AND product_no = ?"),
                       {*storeNo, *productNo})
                .toString();

    // Without a chosen price, the only price of the item there is; a price of another item is dropped.
    const QString itemColumn = itemNo ? QStringLiteral("item_no") : QStringLiteral("package_no");
    const int32_t id = itemNo ? *itemNo : *packageNo;
    if (priceNo != 0 && !PriceFits(ctx, priceNo, itemNo, packageNo, storeNo.value_or(0)))
        priceNo = 0;
    if (priceNo == 0) {
        QSqlQuery prices =
            ctx.run(QStringLiteral("SELECT price_no FROM zev_price WHERE %1 = ? AND (store_no IS NULL "
                                   "OR store_no = ?) ORDER BY price_no")
                        .arg(itemColumn),
                    {id, storeNo.value_or(0)});
        if (prices.next()) {
            const int32_t first = prices.value(0).toInt();
            if (!prices.next())
                priceNo = first;
        }
    }
    Variant start = Variant::Null(), end = Variant::Null();
    if (priceNo != 0) {
        QSqlQuery season =
            ctx.run(QStringLiteral("SELECT s.start_date, s.end_date FROM zev_price p JOIN zev_season s "
                                   "ON s.season_no = p.season_no WHERE p.price_no = ?"),
                    {priceNo});
        if (season.next()) {
            start = SqlValue::ToVariant(season.value(0), true);
            end = SqlValue::ToVariant(season.value(1), true);
        }
    }

    const auto textOrNull = [](const QString& text) {
        return text.isEmpty() ? Variant::Null() : Variant(text);
    };
    ctx.setOutput(QStringLiteral("@description"), textOrNull(given.isEmpty() ? description : given));
    ctx.setOutput(QStringLiteral("@product_item_name"), textOrNull(name));
    ctx.setOutput(QStringLiteral("@item_no"), itemNo ? Variant(*itemNo) : Variant::Null());
    ctx.setOutput(QStringLiteral("@package_no"), packageNo ? Variant(*packageNo) : Variant::Null());
    ctx.setOutput(QStringLiteral("@price_no"), priceNo != 0 ? Variant(priceNo) : Variant::Null());
    ctx.setOutput(QStringLiteral("@product_url"), textOrNull(url));
    ctx.setOutput(QStringLiteral("@prompt_rental"), int16_t(rental ? 1 : 0));
    ctx.setOutput(QStringLiteral("@prompt_lesson"), int16_t(lesson ? 1 : 0));
    ctx.setOutput(QStringLiteral("@prompt_customer"), int16_t(customer ? 1 : 0));
    ctx.setOutput(QStringLiteral("@prompt_photo"), int16_t(photo ? 1 : 0));
    ctx.setOutput(QStringLiteral("@prompt_alert"), int16_t(alert ? 1 : 0));
    ctx.setOutput(QStringLiteral("@available_start_date"), start);
    ctx.setOutput(QStringLiteral("@available_end_date"), end);
    ctx.setOutput(QStringLiteral("@advance_purchase_days"), advanceDays);
    ctx.setOutput(QStringLiteral("@is_active"), active);
    ctx.setReturn(0);
}

// Up-sell and cross-sell links. A price number of 0 stands for any price of the item.

const char* const SellKeys[] = {"@product_no",     "@seq_no",     "@price_no",
                                "@new_product_no", "@new_seq_no", "@new_price_no"};
const char* const SellColumns[] = {"product_no",     "seq_no",     "price_no",
                                   "new_product_no", "new_seq_no", "new_price_no"};

void GetProductItemSell(ProcedureContext& ctx) {
    QString sql = QStringLiteral(
        "SELECT s.store_no, s.product_no, s.seq_no, s.price_no, s.new_product_no, s.new_seq_no, "
        "s.new_price_no, "
        "s.sell_code, s.sell_text, a.product_item_name, ap.price AS item_price, ap.unit_qty, "
        "b.product_item_name AS new_product_item_name, bp.price AS new_item_price, bp.unit_qty AS "
        "new_unit_qty "
        "FROM zev_store_product_item_sell s "
        "JOIN zev_store_product_item a ON a.store_no = s.store_no AND a.product_no = s.product_no AND "
        "a.seq_no = s.seq_no "
        "JOIN zev_store_product_item b ON b.store_no = s.store_no AND b.product_no = s.new_product_no AND "
        "b.seq_no = s.new_seq_no "
        "LEFT JOIN zev_price ap ON ap.price_no = s.price_no LEFT JOIN zev_price bp ON bp.price_no = "
        "s.new_price_no "
        "WHERE s.store_no = ?");
    QVariantList values{Bind(ctx.integer(StoreNo))};
    for (size_t i = 0; i < std::size(SellKeys); ++i)
        if (const auto key = ctx.integer(QString::fromLatin1(SellKeys[i]))) {
            sql += QStringLiteral(" AND s.%1 = ?").arg(QString::fromLatin1(SellColumns[i]));
            values << *key;
        }
    ctx.result(
        sql + QStringLiteral(" ORDER BY s.product_no, s.seq_no, s.sell_code, s.new_product_no, s.new_seq_no, "
                             "s.price_no, s.new_price_no"),
        values);
}

bool LinkExists(ProcedureContext& ctx, int32_t storeNo, const QVariantList& keys) {
    QVariantList values{storeNo};
    values << keys;
    return ctx.exists(
        QStringLiteral("SELECT 1 FROM zev_store_product_item_sell WHERE store_no = ? AND product_no = ? "
                       "AND seq_no = ? AND price_no = ? AND new_product_no = ? AND new_seq_no = ? AND "
                       "new_price_no = ?"),
        values);
}

// The price belongs to the product item's item or package (0 for any price).
bool SellPriceFits(ProcedureContext& ctx, int32_t storeNo, int32_t productNo, int32_t seqNo,
                   int32_t priceNo) {
    if (priceNo == 0)
        return true;
    return ctx.exists(
        QStringLiteral("SELECT 1 FROM zev_store_product_item pi JOIN zev_price p ON "
                       "(p.item_no = pi.item_no OR p.package_no = pi.package_no) WHERE pi.store_no = ? "
                       "AND pi.product_no = ? AND pi.seq_no = ? AND p.price_no = ?"),
        {storeNo, productNo, seqNo, priceNo});
}

void UpdateProductItemSell(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    QVariantList keys, oldKeys;
    int32_t k[6];
    for (size_t i = 0; i < 6; ++i) {
        k[i] = ctx.integerOrZero(QString::fromLatin1(SellKeys[i]));
        keys << k[i];
    }
    const bool update = ctx.given(QStringLiteral("@product_no_key"));
    for (const char* name : SellKeys)
        oldKeys << ctx.integerOrZero(QString::fromLatin1(name) + QStringLiteral("_key"));
    if (!ProductItemExists(ctx, *storeNo, k[0], k[1])) {
        ctx.refuse(-1, QStringLiteral("Product item %1-%2 does not exist.").arg(k[0]).arg(k[1]));
        return;
    }
    if (!ProductItemExists(ctx, *storeNo, k[3], k[4])) {
        ctx.refuse(-1, QStringLiteral("Product item %1-%2 does not exist.").arg(k[3]).arg(k[4]));
        return;
    }
    if (k[0] == k[3] && k[1] == k[4]) {
        ctx.refuse(-1, QStringLiteral("A product item can not be offered with itself."));
        return;
    }
    const QString code = ctx.text(QStringLiteral("@sell_code")).value_or(QString()).trimmed().toUpper();
    if (code != QLatin1String("UPSELL") && code != QLatin1String("CROSSSELL")) {
        ctx.refuse(-1, QStringLiteral("A link is either an UPSELL or a CROSSSELL."));
        return;
    }
    if (!SellPriceFits(ctx, *storeNo, k[0], k[1], k[2]) || !SellPriceFits(ctx, *storeNo, k[3], k[4], k[5])) {
        ctx.refuse(-1, QStringLiteral("A linked price must be a price of its product item."));
        return;
    }
    if (update && !LinkExists(ctx, *storeNo, oldKeys)) {
        ctx.refuse(-1, QStringLiteral("The link no longer exists."));
        return;
    }
    if ((!update || keys != oldKeys) && LinkExists(ctx, *storeNo, keys)) {
        ctx.refuse(
            -1, QStringLiteral("Product item %1-%2 is already linked to product item %3-%4 at these prices.")
                    .arg(k[0])
                    .arg(k[1])
                    .arg(k[3])
                    .arg(k[4]));
        return;
    }
    QVariantList values = keys;
    values << code << Bind(ctx.text(QStringLiteral("@sell_text"))) << *storeNo;
    if (update) {
        values << oldKeys;
        ctx.run(QStringLiteral(
                    "UPDATE zev_store_product_item_sell SET product_no = ?, seq_no = ?, price_no = ?, "
                    "new_product_no = ?, new_seq_no = ?, new_price_no = ?, sell_code = ?, sell_text = ? "
                    "WHERE store_no = ? AND product_no = ? AND seq_no = ? AND price_no = ? AND "
                    "new_product_no = ? AND new_seq_no = ? AND new_price_no = ?"),
                values);
    } else {
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store_product_item_sell (product_no, seq_no, price_no, new_product_no, "
                    "new_seq_no, new_price_no, sell_code, sell_text, store_no) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
    ctx.setReturn(0);
}

void DeleteProductItemSell(ProcedureContext& ctx) {
    QVariantList values{Bind(ctx.integer(StoreNo))};
    for (const char* name : SellKeys)
        values << ctx.integerOrZero(QString::fromLatin1(name));
    QSqlQuery deleted =
        ctx.run(QStringLiteral("DELETE FROM zev_store_product_item_sell WHERE store_no = ? AND "
                               "product_no = ? AND seq_no = ? AND price_no = ? AND new_product_no = ? "
                               "AND new_seq_no = ? AND new_price_no = ?"),
                values);
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("The link no longer exists."));
        return;
    }
    ctx.setReturn(0);
}

} // namespace

void AddProductProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    const auto store = In(StoreNo, Long);
    const auto message = Out(QStringLiteral("@message"), Text);
    const auto Message = Out(QStringLiteral("@Message"), Text);

    catalog.add(QStringLiteral("ZEV_SP_STORE_GetProduct"), {store, In(ProductNo, Long)}, GetProduct);
    const std::vector<ParameterDeclaration> productValues{
        In(QStringLiteral("@product_type"), Text),      In(QStringLiteral("@product_name"), Text),
        In(QStringLiteral("@short_description"), Text), In(QStringLiteral("@long_description"), Text),
        In(QStringLiteral("@product_group_no"), Long),  In(QStringLiteral("@product_url"), Text),
        In(QStringLiteral("@image_width"), Long),       In(QStringLiteral("@image_height"), Long),
        In(QStringLiteral("@is_active"), Boolean),      In(QStringLiteral("@item_display_type"), Text),
        In(QStringLiteral("@photo_family"), Text),      In(QStringLiteral("@num_cols"), Long),
        In(QStringLiteral("@manual_invoice"), Integer)};
    std::vector<ParameterDeclaration> insertProduct{store, In(ProductNo, Long)};
    insertProduct.insert(insertProduct.end(), productValues.begin(), productValues.end());
    insertProduct.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_InsertProduct"), insertProduct, InsertProduct);
    std::vector<ParameterDeclaration> updateProduct{store, In(ProductNo, Long),
                                                    In(QStringLiteral("@product_no_key"), Long)};
    updateProduct.insert(updateProduct.end(), productValues.begin(), productValues.end());
    updateProduct.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateProduct"), updateProduct, UpdateProduct);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteProduct"), {store, In(ProductNo, Long), message},
                DeleteProduct);

    catalog.add(QStringLiteral("ZEV_SP_STORE_GetProductItem"), {store, In(ProductNo, Long), In(SeqNo, Long)},
                GetProductItem);
    const std::vector<ParameterDeclaration> itemValues{In(QStringLiteral("@product_item_name"), Text),
                                                       In(QStringLiteral("@package_no"), Long),
                                                       In(QStringLiteral("@item_no"), Long),
                                                       In(QStringLiteral("@description"), Text),
                                                       In(QStringLiteral("@price_no"), Long),
                                                       In(QStringLiteral("@product_url"), Text),
                                                       In(QStringLiteral("@prompt_rental"), Integer),
                                                       In(QStringLiteral("@prompt_lesson"), Integer),
                                                       In(QStringLiteral("@prompt_customer"), Integer),
                                                       In(QStringLiteral("@prompt_photo"), Integer),
                                                       In(QStringLiteral("@available_start_date"), Date),
                                                       In(QStringLiteral("@available_end_date"), Date),
                                                       In(QStringLiteral("@advance_purchase_days"), Long),
                                                       In(QStringLiteral("@is_active"), Integer),
                                                       In(QStringLiteral("@manual_invoice"), Integer),
                                                       In(QStringLiteral("@min_age"), Double),
                                                       In(QStringLiteral("@max_age"), Double),
                                                       In(QStringLiteral("@prompt_alert"), Integer)};
    std::vector<ParameterDeclaration> insertItem{store, In(ProductNo, Long), InOut(SeqNo, Long)};
    insertItem.insert(insertItem.end(), itemValues.begin(), itemValues.end());
    insertItem.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_InsertProductItem"), insertItem, InsertProductItem);
    std::vector<ParameterDeclaration> updateItem{store, In(ProductNo, Long), InOut(SeqNo, Long),
                                                 In(QStringLiteral("@seq_no_key"), Long)};
    updateItem.insert(updateItem.end(), itemValues.begin(), itemValues.end());
    updateItem.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateProductItem"), updateItem, UpdateProductItem);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteProductItem"),
                {store, In(ProductNo, Long), In(SeqNo, Long), message}, DeleteProductItem);
    catalog.add(
        QStringLiteral("ZEV_SP_STORE_ProductItemDefaults"),
        {store, In(ProductNo, Long), InOut(QStringLiteral("@item_no"), Long),
         InOut(QStringLiteral("@price_no"), Long), InOut(QStringLiteral("@package_no"), Long),
         InOut(QStringLiteral("@description"), Text), Out(QStringLiteral("@product_item_name"), Text),
         Out(QStringLiteral("@product_url"), Text), Out(QStringLiteral("@prompt_rental"), Integer),
         Out(QStringLiteral("@prompt_lesson"), Integer), Out(QStringLiteral("@prompt_customer"), Integer),
         Out(QStringLiteral("@prompt_photo"), Integer), Out(QStringLiteral("@prompt_alert"), Integer),
         Out(QStringLiteral("@available_start_date"), Date), Out(QStringLiteral("@available_end_date"), Date),
         Out(QStringLiteral("@advance_purchase_days"), Long), Out(QStringLiteral("@is_active"), Boolean),
         message},
        ProductItemDefaults);

    std::vector<ParameterDeclaration> sellKeys{store};
    for (const char* name : SellKeys)
        sellKeys.push_back(In(QString::fromLatin1(name), Long));
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetProductItemSell"), sellKeys, GetProductItemSell);
    std::vector<ParameterDeclaration> updateSell = sellKeys;
    updateSell.push_back(In(QStringLiteral("@sell_code"), Text));
    updateSell.push_back(In(QStringLiteral("@sell_text"), Text));
    for (const char* name : SellKeys)
        updateSell.push_back(In(QString::fromLatin1(name) + QStringLiteral("_key"), Long));
    updateSell.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateProductItemSell"), updateSell, UpdateProductItemSell);
    std::vector<ParameterDeclaration> deleteSell = sellKeys;
    deleteSell.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteProductItemSell"), deleteSell, DeleteProductItemSell);
}
