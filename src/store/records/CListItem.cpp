#include "store/records/CListItem.h"

#include "store/data/ReadFirstRow.h"

using namespace Qt::StringLiterals;

bool CListItem::OpenListItem(const std::shared_ptr<DBConnection>& oDB,
                             const std::shared_ptr<ErrorObject>& oError, int32_t lStoreNo,
                             const QString& sListId, int32_t lSeqNo) {
    m_storeNo = lStoreNo;
    m_listId = sListId;
    m_seq.open(lSeqNo);
    Baseline.Seen(oDB, u"zev_store_list_item"_s, u"%1/%2/%3"_s.arg(lStoreNo).arg(sListId).arg(lSeqNo));
    return ReadFirstRow(
        m_errors, oDB, oError, u"OpenListItem"_s, u"ZEV_SP_STORE_GetListItems"_s,
        [&](StoredProcedureCall& call) {
            call.set(u"@store_no"_s, m_storeNo).set(u"@list_id"_s, m_listId).set(u"@seq_no"_s, m_seq.seqNo);
        },
        [&](const StoredProcedureCall& call) {
            m_productNo = call.readLong(u"product_no"_s);
            m_productItemSeqNo = call.readLong(u"product_item_seq_no"_s);
            m_productItemName = call.readText(u"product_item_name"_s);
            m_priceNo = call.readLong(u"price_no"_s);
            m_price = call.readDouble(u"Price"_s);
            m_unitQty = call.readInteger(u"unit_qty"_s);
        });
}

bool CListItem::Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Update"_s, [&] {
        StoredProcedureCall call(oDB, m_seq.isNew() ? u"ZEV_SP_STORE_InsertListItem"_s
                                                    : u"ZEV_SP_STORE_UpdateListItem"_s);
        call.set(u"@store_no"_s, m_storeNo).set(u"@list_id"_s, m_listId);
        m_seq.send(call);
        call.setNullIfZero(u"@product_no"_s, m_productNo)
            .setNullIfZero(u"@product_item_seq_no"_s, m_productItemSeqNo)
            .setNullIfZero(u"@price_no"_s, m_priceNo);
        if (!call.runAccepted(SuccessTest::AtLeastZero, u"@message"_s, u"Update List Item Error"_s))
            return false;
        m_seq.readBack(call);
        return true;
    });
}

bool CListItem::Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return OpenListItem(oDB, oError, m_storeNo, m_listId, m_seq.original);
}
