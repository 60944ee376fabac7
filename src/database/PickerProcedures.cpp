#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"

using namespace ProcedureSupport;
using SqlValue::Bind;

namespace {

const QString StoreNo = QStringLiteral("@store_no");

void GetSalesOrderTypes(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT so_type, description FROM zev_sales_order_type ORDER BY so_type"));
}

void GetDocumentFields(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT field_id FROM zev_document_field ORDER BY field_id"));
}

void GetExtendableItems(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT item_no, long_description FROM zev_item WHERE is_extendable <> 0 AND "
                              "is_active <> 0 ORDER BY item_no"));
}

// The items that may extend an extendable item, ticked where the store offers them with it.
void GetExtensionItems(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    ctx.result(QStringLiteral(
                   "SELECT CASE WHEN x.extension_item_no IS NULL THEN 0 ELSE 1 END AS checked, i.item_no, "
                   "i.long_description FROM zev_item i LEFT JOIN zev_store_extension x ON "
                   "x.extension_item_no = i.item_no AND x.store_no = ? AND x.item_no = ? "
                   "WHERE i.item_no <> ? AND i.is_extendable = 0 AND i.is_active <> 0 ORDER BY i.item_no"),
               {Bind(storeNo), Bind(itemNo), itemNo.value_or(0)});
}

const QString PriceColumns = QStringLiteral(
    "SELECT p.price_no, p.item_no, p.package_no, p.season_no, s.season_desc, p.discount_id, d.discount_desc, "
    "p.unit_id, p.unit_qty, p.unit_price, p.price FROM zev_price p "
    "LEFT JOIN zev_season s ON s.season_no = p.season_no LEFT JOIN zev_discount d ON d.discount_id = "
    "p.discount_id ");

void PricesOf(ProcedureContext& ctx, const std::optional<int32_t>& itemNo,
              const std::optional<int32_t>& packageNo, const std::optional<int32_t>& storeNo) {
    if (!itemNo && !packageNo) {
        ctx.result(PriceColumns + QStringLiteral("WHERE 1 = 0"));
        return;
    }
    ctx.result(PriceColumns + QStringLiteral("WHERE %1 = ? AND (p.store_no IS NULL OR p.store_no = ?) "
                                             "ORDER BY p.price_no")
                                  .arg(itemNo ? QStringLiteral("p.item_no") : QStringLiteral("p.package_no")),
               {itemNo ? *itemNo : *packageNo, storeNo.value_or(0)});
}

// The prices of an item or package, or of the one a product item sells.
void GetProductItemPrices(ProcedureContext& ctx) {
    auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    auto packageNo = ctx.integer(QStringLiteral("@package_no"));
    const auto storeNo = ctx.integer(StoreNo);
    const auto productNo = ctx.integer(QStringLiteral("@product_no"));
    const auto seqNo = ctx.integer(QStringLiteral("@seq_no"));
    if (!itemNo && !packageNo && storeNo && productNo && seqNo) {
        QSqlQuery item =
            ctx.run(QStringLiteral("SELECT item_no, package_no FROM zev_store_product_item WHERE "
                                   "store_no = ? AND product_no = ? AND seq_no = ?"),
                    {*storeNo, *productNo, *seqNo});
        if (item.next()) {
            if (!item.value(0).isNull())
                itemNo = item.value(0).toInt();
            if (!item.value(1).isNull())
                packageNo = item.value(1).toInt();
        }
    }
    PricesOf(ctx, itemNo, itemNo ? std::nullopt : packageNo, storeNo);
}

// The prices a store sells an item, package or extension item at.
void GetStorePrices(ProcedureContext& ctx) {
    const auto child = ctx.integer(QStringLiteral("@child_item_no"));
    const auto itemNo = child ? child : ctx.integer(QStringLiteral("@item_no"));
    PricesOf(ctx, itemNo, itemNo ? std::nullopt : ctx.integer(QStringLiteral("@package_no")),
             ctx.integer(StoreNo));
}

} // namespace

void AddPickerProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    catalog.add(QStringLiteral("ZEV_SP_STORE_SALES_ORDER_TYPE_Get"), {}, GetSalesOrderTypes);
    catalog.add(QStringLiteral("ZEV_SP_ESTORE_GetStoreDocumentFields"), {}, GetDocumentFields);
    catalog.add(QStringLiteral("ZEV_SP_STORE_getExtendableItems"), {}, GetExtendableItems);
    catalog.add(QStringLiteral("ZEV_SP_STORE_getExtensionItems"),
                {In(StoreNo, Long), In(QStringLiteral("@item_no"), Long)}, GetExtensionItems);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetProductItemPrices"),
                {In(QStringLiteral("@item_no"), Long), In(QStringLiteral("@package_no"), Long),
                 In(StoreNo, Long), In(QStringLiteral("@product_no"), Long),
                 In(QStringLiteral("@seq_no"), Long)},
                GetProductItemPrices);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetStorePrices"),
                {In(StoreNo, Long), In(QStringLiteral("@item_no"), Long),
                 In(QStringLiteral("@package_no"), Long), In(QStringLiteral("@child_item_no"), Long)},
                GetStorePrices);
}
