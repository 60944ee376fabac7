#include "store/control/ListItemPaste.h"

#include "sdk/RuntimeError.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/product/ListItemFormRules.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProductItem.h"

#include <algorithm>

namespace {

constexpr qsizetype Columns = 6;

// A key cell; anything but a number counts as none chosen.
int32_t Key(const QString& text) {
    const QString number = text.trimmed();
    if (!IsNumericText(number))
        return 0;
    try {
        return Variant(number).toInt32();
    } catch (const RuntimeError&) {
        return 0;
    }
}

bool Contains(const std::vector<int32_t>& numbers, int32_t number) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

} // namespace

ListItemPaste::ListItemPaste(std::shared_ptr<DBConnection> db, std::shared_ptr<ErrorObject> error,
                             std::shared_ptr<CStoreMaint> maint)
    : m_db(std::move(db)), m_error(std::move(error)), m_maint(std::move(maint)) {}

QStringList ListItemPaste::Paste(int32_t storeNo, const QString& listId, const QList<QStringList>& rows,
                                 const std::vector<int32_t>& listed, const std::vector<int32_t>& replaced) {
    Undone undo{storeNo, listId, {}, {}};
    std::vector<int32_t> taken = listed;
    QStringList refused;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const std::optional<int32_t> replacing =
            size_t(i) < replaced.size() ? std::optional(replaced[size_t(i)]) : std::nullopt;
        if (const std::optional<QString> reason = pasteRow(rows[i], replacing, taken, undo))
            refused << QStringLiteral("Row %1: %2").arg(i + 1).arg(*reason);
    }
    m_undo = std::move(undo);
    return refused;
}

// Writes one row, new or over the entry it replaces; taken follows the positions the list holds.
std::optional<QString> ListItemPaste::pasteRow(const QStringList& cells, std::optional<int32_t> replacing,
                                               std::vector<int32_t>& taken, Undone& undo) const {
    CListItem item;
    item.setStoreNo(undo.storeNo);
    item.setListId(undo.listId);
    std::optional<CListItem> before;
    if (replacing) {
        if (item.OpenListItem(m_db, m_error, undo.storeNo, undo.listId, *replacing))
            before = item;
        std::erase(taken, *replacing);
    }
    std::optional<QString> reason = check(undo.storeNo, cells, item);
    if (!reason && Contains(taken, item.SeqNo()))
        reason = QStringLiteral("Sequence number %1 is already in the list.").arg(item.SeqNo());
    if (!reason && !item.Update(m_db, m_error))
        reason = QStringLiteral("The database refused it.");
    if (reason) {
        if (replacing)
            taken.push_back(*replacing);
        return reason;
    }
    taken.push_back(item.SeqNo());
    if (before)
        undo.changed.emplace_back(*before, item.SeqNo());
    else
        undo.added.push_back(item.SeqNo());
    return std::nullopt;
}

// The list item editor's checks, then the product item and the price looked up in the store.
std::optional<QString> ListItemPaste::check(int32_t storeNo, const QStringList& cells,
                                            CListItem& item) const {
    if (cells.size() != Columns)
        return QStringLiteral("%1 cells where the grid has %2 columns.").arg(cells.size()).arg(Columns);
    ListItemFormRules::Values values;
    values.seqNo = cells[0].trimmed();
    values.productNo = Key(cells[1]);
    values.productItemSeqNo = Key(cells[2]);
    values.price.priceNo = Key(cells[4]);
    if (const CheckResult refusal = ListItemFormRules::Check(values))
        return refusal->text;
    CProductItem productItem;
    if (!productItem.OpenProductItem(m_db, m_error, storeNo, values.productNo, values.productItemSeqNo))
        return QStringLiteral("There is no product item %1-%2 in this store.")
            .arg(values.productNo)
            .arg(values.productItemSeqNo);
    values.productItemName = productItem.ProductItemName();
    if (!ListItemFormRules::Fill(values, item))
        return QStringLiteral("Sequence Number must be numeric.");
    return lookUpPrice(storeNo, item);
}

std::optional<QString> ListItemPaste::lookUpPrice(int32_t storeNo, CListItem& item) const {
    StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetProductItemPrices"));
    call.set(QStringLiteral("@store_no"), storeNo)
        .set(QStringLiteral("@product_no"), item.ProductNo())
        .set(QStringLiteral("@seq_no"), item.ProductItemSeqNo());
    if (call.openRows())
        for (; !call.atEnd(); call.next()) {
            if (call.readLong(QStringLiteral("price_no")) != item.PriceNo())
                continue;
            item.setPrice(call.readDouble(QStringLiteral("price")));
            item.setUnitQty(call.readInteger(QStringLiteral("unit_qty")));
            return std::nullopt;
        }
    return QStringLiteral("Price %1 is not a price of product item %2-%3.")
        .arg(item.PriceNo())
        .arg(item.ProductNo())
        .arg(item.ProductItemSeqNo());
}

bool ListItemPaste::CanUndo(int32_t storeNo, const QString& listId) const {
    return m_undo && m_undo->storeNo == storeNo && m_undo->listId == listId;
}

void ListItemPaste::Undo() {
    if (!m_undo)
        return;
    const Undone undo = std::move(*m_undo);
    m_undo.reset();
    for (const int32_t seqNo : undo.added)
        if (m_maint)
            m_maint->DeleteStoreListItem(undo.storeNo, undo.listId, seqNo);
    for (auto [item, seqNo] : undo.changed) {
        item.setOriginalSeqNo(seqNo);
        item.Update(m_db, m_error);
    }
}
