#pragma once

#include "database/ProcedureContext.h"
#include "database/SqlValue.h"

// Checks shared by procedure bodies.
namespace ProcedureSupport {

inline bool StoreExists(ProcedureContext& ctx, const std::optional<int32_t>& storeNo) {
    return storeNo && ctx.exists(QStringLiteral("SELECT 1 FROM zev_store WHERE store_no = ?"), {*storeNo});
}

inline bool ProductExists(ProcedureContext& ctx, int32_t storeNo, int32_t productNo) {
    return ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_product WHERE store_no = ? AND product_no = ?"),
                      {storeNo, productNo});
}

inline bool ProductItemExists(ProcedureContext& ctx, int32_t storeNo, int32_t productNo, int32_t seqNo) {
    return ctx.exists(
        QStringLiteral("SELECT 1 FROM zev_store_product_item WHERE store_no = ? AND product_no = ? "
                       "AND seq_no = ?"),
        {storeNo, productNo, seqNo});
}

inline bool GroupExists(ProcedureContext& ctx, int32_t storeNo, int32_t groupNo) {
    return ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_product_group WHERE store_no = ? AND "
                                     "product_group_no = ?"),
                      {storeNo, groupNo});
}

inline bool ItemExists(ProcedureContext& ctx, int32_t itemNo) {
    return ctx.exists(QStringLiteral("SELECT 1 FROM zev_item WHERE item_no = ?"), {itemNo});
}

// The price belongs to the item (or package) and is not another store's own price.
inline bool PriceFits(ProcedureContext& ctx, int32_t priceNo, const std::optional<int32_t>& itemNo,
                      const std::optional<int32_t>& packageNo, int32_t storeNo) {
    return ctx.exists(
        QStringLiteral("SELECT 1 FROM zev_price WHERE price_no = ? AND (item_no = ? OR package_no = ?) "
                       "AND (store_no IS NULL OR store_no = ?)"),
        {priceNo, itemNo.value_or(0), packageNo.value_or(0), storeNo});
}

// Refuses with the standard message when the store is missing; true when it was refused.
inline bool RefuseMissingStore(ProcedureContext& ctx, const std::optional<int32_t>& storeNo,
                               int32_t code = -1) {
    if (StoreExists(ctx, storeNo))
        return false;
    ctx.refuse(code, storeNo ? QStringLiteral("Store %1 does not exist.").arg(*storeNo)
                             : QStringLiteral("No store was given."));
    return true;
}

} // namespace ProcedureSupport
