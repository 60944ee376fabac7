#include "store/records/CStoreProductItemSell.h"

#include "store/data/ColumnLengths.h"
#include "store/data/ReadFirstRow.h"
#include "store/data/StorableText.h"

using namespace Qt::StringLiterals;

bool CStoreProductItemSell::OpenStoreProductItemSell(const std::shared_ptr<DBConnection>& oDB,
                                                     const std::shared_ptr<ErrorObject>& oError,
                                                     int32_t lStoreNo, int32_t lProductNo, int32_t lSeqNo,
                                                     int32_t lPriceNo, int32_t lNewProductNo,
                                                     int32_t lNewSeqNo, int32_t lNewPriceNo) {
    m_storeNo = lStoreNo;
    m_key = {lProductNo, lSeqNo, lPriceNo, lNewProductNo, lNewSeqNo, lNewPriceNo};
    m_remembered = m_key;
    Baseline.Seen(oDB, u"zev_store_product_item_sell"_s,
                  u"%1/%2/%3/%4/%5/%6/%7"_s.arg(lStoreNo)
                      .arg(lProductNo)
                      .arg(lSeqNo)
                      .arg(lPriceNo)
                      .arg(lNewProductNo)
                      .arg(lNewSeqNo)
                      .arg(lNewPriceNo));
    return ReadFirstRow(
        m_errors, oDB, oError, u"OpenStoreProductItemSell"_s, u"ZEV_SP_STORE_GetProductItemSell"_s,
        [&](StoredProcedureCall& call) { sendCurrentKey(call); },
        [&](const StoredProcedureCall& call) { readRow(call); });
}

void CStoreProductItemSell::readRow(const StoredProcedureCall& call) {
    m_sellCode = call.readText(u"sell_code"_s);
    m_sellText = call.readText(u"sell_text"_s);
    m_productItemName = call.readText(u"product_item_name"_s);
    m_price = call.readDouble(u"item_price"_s);
    m_unitQty = call.readInteger(u"unit_qty"_s);
    m_newProductItemName = call.readText(u"new_product_item_name"_s);
    m_newPrice = call.readDouble(u"new_item_price"_s);
    m_newUnitQty = call.readInteger(u"new_unit_qty"_s);
}

bool CStoreProductItemSell::Update(const std::shared_ptr<DBConnection>& oDB,
                                   const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Update"_s, [&] {
        CheckStorableText(u"Sell code"_s, m_sellCode, ColumnLength::SellCode);
        CheckStorableText(u"Sell text"_s, m_sellText, ColumnLength::SellText);
        StoredProcedureCall call(oDB, u"ZEV_SP_STORE_UpdateProductItemSell"_s);
        sendCurrentKey(call);
        call.set(u"@sell_code"_s, m_sellCode).set(u"@sell_text"_s, m_sellText);
        // A link never stored has no key of its own yet; the procedure then creates it.
        if (m_remembered.productNo != 0)
            sendKey(call, m_remembered, u"_key"_s);
        if (!call.runAccepted(SuccessTest::AtLeastZero, u"@message"_s, u"Update Product Item Sell Error"_s))
            return false;
        m_remembered = m_key;
        return true;
    });
}

bool CStoreProductItemSell::Delete(const std::shared_ptr<DBConnection>& oDB,
                                   const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Delete"_s, [&] {
        StoredProcedureCall call(oDB, u"ZEV_SP_STORE_DeleteProductItemSell"_s);
        sendCurrentKey(call);
        return call.runAccepted(SuccessTest::ExactlyZero, u"@message"_s, u"Delete Product Item Sell Error"_s);
    });
}

void CStoreProductItemSell::sendCurrentKey(StoredProcedureCall& call) const {
    call.set(u"@store_no"_s, m_storeNo);
    sendKey(call, m_key, QString());
}

void CStoreProductItemSell::sendKey(StoredProcedureCall& call, const Key& key, const QString& suffix) {
    call.set(u"@product_no"_s + suffix, key.productNo)
        .set(u"@seq_no"_s + suffix, key.seqNo)
        .set(u"@price_no"_s + suffix, key.priceNo)
        .set(u"@new_product_no"_s + suffix, key.newProductNo)
        .set(u"@new_seq_no"_s + suffix, key.newSeqNo)
        .set(u"@new_price_no"_s + suffix, key.newPriceNo);
}

bool CStoreProductItemSell::Reopen(const std::shared_ptr<DBConnection>& oDB,
                                   const std::shared_ptr<ErrorObject>& oError) {
    return OpenStoreProductItemSell(oDB, oError, m_storeNo, m_remembered.productNo, m_remembered.seqNo,
                                    m_remembered.priceNo, m_remembered.newProductNo, m_remembered.newSeqNo,
                                    m_remembered.newPriceNo);
}
