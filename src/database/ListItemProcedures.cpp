#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"

using namespace ProcedureSupport;
using SqlValue::Bind;

namespace {

const QString StoreNo = QStringLiteral("@store_no");
const QString ListId = QStringLiteral("@list_id");
const QString SeqNo = QStringLiteral("@seq_no");

void GetListItems(ProcedureContext& ctx) {
    QString sql = QStringLiteral(
        "SELECT li.store_no, li.list_id, li.seq_no, li.product_no, li.product_item_seq_no, "
        "pi.product_item_name, "
        "li.price_no, pr.price, pr.unit_qty FROM zev_store_list_item li "
        "JOIN zev_store_product_item pi ON pi.store_no = li.store_no AND pi.product_no = li.product_no AND "
        "pi.seq_no = li.product_item_seq_no LEFT JOIN zev_price pr ON pr.price_no = li.price_no "
        "WHERE li.store_no = ? AND li.list_id = ?");
    QVariantList values{Bind(ctx.integer(StoreNo)), Bind(ctx.text(ListId))};
    if (const auto seqNo = ctx.integer(SeqNo)) {
        sql += QStringLiteral(" AND li.seq_no = ?");
        values << *seqNo;
    }
    ctx.result(sql + QStringLiteral(" ORDER BY li.seq_no"), values);
}

void WriteListItem(ProcedureContext& ctx, const std::optional<int32_t>& key) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    const QString listId = ctx.text(ListId).value_or(QString());
    if (!ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_list WHERE store_no = ? AND list_id = ?"),
                    {*storeNo, listId})) {
        ctx.refuse(-1, QStringLiteral("List %1 does not exist in store %2.").arg(listId).arg(*storeNo));
        return;
    }
    const auto entryExists = [&](int32_t seqNo) {
        return ctx.exists(
            QStringLiteral("SELECT 1 FROM zev_store_list_item WHERE store_no = ? AND list_id = ? AND "
                           "seq_no = ?"),
            {*storeNo, listId, seqNo});
    };
    if (key && !entryExists(*key)) {
        ctx.refuse(-1, QStringLiteral("Position %1 of list %2 is empty.").arg(*key).arg(listId));
        return;
    }
    auto seqNo = ctx.integer(SeqNo);
    if (!seqNo)
        seqNo = key ? *key
                    : ctx.nextNumber(QStringLiteral("zev_store_list_item"), QStringLiteral("seq_no"),
                                     QStringLiteral("store_no = ? AND list_id = ?"), {*storeNo, listId});
    if (*seqNo <= 0) {
        ctx.refuse(-1, QStringLiteral("Position %1 is not valid: it must be greater than zero.").arg(*seqNo));
        return;
    }
    if (seqNo != key && entryExists(*seqNo)) {
        ctx.refuse(-1, QStringLiteral("Position %1 of list %2 is already taken.").arg(*seqNo).arg(listId));
        return;
    }
    const auto productNo = ctx.integer(QStringLiteral("@product_no"));
    const auto itemSeqNo = ctx.integer(QStringLiteral("@product_item_seq_no"));
    if (!productNo || !itemSeqNo) {
        ctx.refuse(-1, QStringLiteral("You must choose a product item for the list."));
        return;
    }
    if (!ProductItemExists(ctx, *storeNo, *productNo, *itemSeqNo)) {
        ctx.refuse(-1, QStringLiteral("Product item %1-%2 does not exist.").arg(*productNo).arg(*itemSeqNo));
        return;
    }
    const auto priceNo = ctx.integer(QStringLiteral("@price_no"));
    if (priceNo &&
        !ctx.exists(
            QStringLiteral("SELECT 1 FROM zev_store_product_item pi JOIN zev_price p ON "
                           "(p.item_no = pi.item_no OR p.package_no = pi.package_no) WHERE pi.store_no = ? "
                           "AND pi.product_no = ? AND pi.seq_no = ? AND p.price_no = ?"),
            {*storeNo, *productNo, *itemSeqNo, *priceNo})) {
        ctx.refuse(-1, QStringLiteral("Price %1 is not a price of product item %2-%3.")
                           .arg(*priceNo)
                           .arg(*productNo)
                           .arg(*itemSeqNo));
        return;
    }
    QVariantList values{*seqNo, *productNo, *itemSeqNo, Bind(priceNo), *storeNo, listId};
    if (key) {
        values << *key;
        ctx.run(QStringLiteral(
                    "UPDATE zev_store_list_item SET seq_no = ?, product_no = ?, product_item_seq_no = ?, "
                    "price_no = ? WHERE store_no = ? AND list_id = ? AND seq_no = ?"),
                values);
    } else {
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store_list_item (seq_no, product_no, product_item_seq_no, price_no, "
                    "store_no, list_id) VALUES (?, ?, ?, ?, ?, ?)"),
                values);
    }
    ctx.setOutput(SeqNo, *seqNo);
    ctx.setReturn(0);
}

void InsertListItem(ProcedureContext& ctx) {
    WriteListItem(ctx, std::nullopt);
}

void UpdateListItem(ProcedureContext& ctx) {
    const auto key = ctx.integer(QStringLiteral("@seq_no_key"));
    WriteListItem(ctx, key ? key : ctx.integer(SeqNo));
}

void DeleteStoreListItem(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto listId = ctx.text(ListId);
    const auto seqNo = ctx.integer(SeqNo);
    QSqlQuery deleted =
        ctx.run(QStringLiteral("DELETE FROM zev_store_list_item WHERE store_no = ? AND list_id = ? "
                               "AND seq_no = ?"),
                {Bind(storeNo), Bind(listId), Bind(seqNo)});
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("Position %1 of list %2 is empty.")
                          .arg(seqNo.value_or(0))
                          .arg(listId.value_or(QString())));
        return;
    }
    ctx.setReturn(0);
}

} // namespace

void AddListItemProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    const auto store = In(StoreNo, Long);
    const auto list = In(ListId, Text);
    const auto message = Out(QStringLiteral("@message"), Text);
    const auto values = {In(QStringLiteral("@product_no"), Long),
                         In(QStringLiteral("@product_item_seq_no"), Long),
                         In(QStringLiteral("@price_no"), Long)};
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetListItems"), {store, list, In(SeqNo, Long)}, GetListItems);
    std::vector<ParameterDeclaration> insert{store, list, InOut(SeqNo, Long)};
    insert.insert(insert.end(), values.begin(), values.end());
    insert.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_InsertListItem"), insert, InsertListItem);
    std::vector<ParameterDeclaration> update{store, list, InOut(SeqNo, Long),
                                             In(QStringLiteral("@seq_no_key"), Long)};
    update.insert(update.end(), values.begin(), values.end());
    update.push_back(message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateListItem"), update, UpdateListItem);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStoreListItem"), {store, list, In(SeqNo, Long), message},
                DeleteStoreListItem);
}
