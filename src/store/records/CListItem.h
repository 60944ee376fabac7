#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/data/EditBaseline.h"
#include "store/data/ErrorState.h"
#include "store/data/SequenceKey.h"

#include <QString>
#include <cstdint>
#include <memory>

// One entry of a store list: a product item, optionally at one of its prices, at a position in the list.
// The position may change on an existing entry: the one it was opened or last saved with travels as the key.
class CListItem {
public:
    int32_t StoreNo() const { return m_storeNo; }
    void setStoreNo(int32_t value) { m_storeNo = value; }
    int32_t ProductNo() const { return m_productNo; }
    void setProductNo(int32_t value) { m_productNo = value; }
    int32_t SeqNo() const { return m_seq.seqNo; }
    void setSeqNo(int32_t value) { m_seq.seqNo = value; }

    bool OpenListItem(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                      int32_t lStoreNo, const QString& sListId, int32_t lSeqNo);
    // Inserts an entry never saved, updates one opened or saved; afterwards holds the stored position.
    bool Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

    int32_t PriceNo() const { return m_priceNo; }
    void setPriceNo(int32_t value) { m_priceNo = value; }
    QString ProductItemName() const { return m_productItemName; }
    void setProductItemName(const QString& value) { m_productItemName = value; }
    int32_t OriginalSeqNo() const { return m_seq.original; }
    void setOriginalSeqNo(int32_t value) { m_seq.original = value; }
    double Price() const { return m_price; }
    void setPrice(double value) { m_price = value; }
    QString ListId() const { return m_listId; }
    void setListId(const QString& value) { m_listId = value; }
    int32_t ProductItemSeqNo() const { return m_productItemSeqNo; }
    void setProductItemSeqNo(int32_t value) { m_productItemSeqNo = value; }
    int16_t UnitQty() const { return m_unitQty; }
    void setUnitQty(int16_t value) { m_unitQty = value; }

    // Where the change history stood when the record was read: its editor's save does not write over a newer
    // change unseen.
    EditBaseline Baseline;
    // Reads the record again under the keys it was opened with, as someone else saved it.
    bool Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

private:
    int32_t m_storeNo = 0;
    QString m_listId;
    SequenceKey m_seq;
    int32_t m_productNo = 0;
    int32_t m_productItemSeqNo = 0;
    QString m_productItemName;
    int32_t m_priceNo = 0;
    double m_price = 0;
    int16_t m_unitQty = 0;
    ErrorState m_errors{QStringLiteral("CListItem")};
};
