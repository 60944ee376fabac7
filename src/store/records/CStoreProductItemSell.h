#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/data/EditBaseline.h"
#include "store/data/ErrorState.h"

#include <QString>
#include <cstdint>
#include <memory>

class StoredProcedureCall;

// An up-sell or cross-sell link from one product item (optionally at a price) to another. Every part of the
// key may be edited, so the record remembers the key it was opened or last saved with and sends it apart.
class CStoreProductItemSell {
public:
    int32_t StoreNo() const { return m_storeNo; }
    void setStoreNo(int32_t value) { m_storeNo = value; }
    int32_t ProductNo() const { return m_key.productNo; }
    void setProductNo(int32_t value) { m_key.productNo = value; }
    int32_t SeqNo() const { return m_key.seqNo; }
    void setSeqNo(int32_t value) { m_key.seqNo = value; }
    int32_t NewProductNo() const { return m_key.newProductNo; }
    void setNewProductNo(int32_t value) { m_key.newProductNo = value; }
    int32_t NewSeqNo() const { return m_key.newSeqNo; }
    void setNewSeqNo(int32_t value) { m_key.newSeqNo = value; }
    int32_t PriceNo() const { return m_key.priceNo; }
    void setPriceNo(int32_t value) { m_key.priceNo = value; }
    int32_t NewPriceNo() const { return m_key.newPriceNo; }
    void setNewPriceNo(int32_t value) { m_key.newPriceNo = value; }
    QString SellCode() const { return m_sellCode; }
    void setSellCode(const QString& value) { m_sellCode = value; }
    QString SellText() const { return m_sellText; }
    void setSellText(const QString& value) { m_sellText = value; }

    bool OpenStoreProductItemSell(const std::shared_ptr<DBConnection>& oDB,
                                  const std::shared_ptr<ErrorObject>& oError, int32_t lStoreNo,
                                  int32_t lProductNo, int32_t lSeqNo, int32_t lPriceNo, int32_t lNewProductNo,
                                  int32_t lNewSeqNo, int32_t lNewPriceNo);

    QString ProductItemName() const { return m_productItemName; }
    void setProductItemName(const QString& value) { m_productItemName = value; }
    QString NewProductItemName() const { return m_newProductItemName; }
    void setNewProductItemName(const QString& value) { m_newProductItemName = value; }
    double Price() const { return m_price; }
    void setPrice(double value) { m_price = value; }
    double NewPrice() const { return m_newPrice; }
    void setNewPrice(double value) { m_newPrice = value; }

    // Creates or changes the link; afterwards the current key is the remembered one.
    bool Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

    // Held as 16-bit integers: assigning anything that does not convert (text that is not a number) throws
    // RuntimeError (type mismatch or overflow) at the assignment and leaves the value as it was.
    Variant UnitQty() const { return m_unitQty; }
    void setUnitQty(const Variant& value) { m_unitQty = value.toInt16(); }
    Variant NewUnitQty() const { return m_newUnitQty; }
    void setNewUnitQty(const Variant& value) { m_newUnitQty = value.toInt16(); }

    // Removes the link with the current key, not the remembered one.
    bool Delete(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

    // Where the change history stood when the record was read: its editor's save does not write over a newer
    // change unseen.
    EditBaseline Baseline;
    // Reads the record again under the keys it was opened with, as someone else saved it.
    bool Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

private:
    // The link's key without the store: the starting and the offered item, each with an optional price.
    struct Key {
        int32_t productNo = 0;
        int32_t seqNo = 0;
        int32_t priceNo = 0;
        int32_t newProductNo = 0;
        int32_t newSeqNo = 0;
        int32_t newPriceNo = 0;
    };

    // "@product_no", "@seq_no", ... with suffix appended to every name.
    static void sendKey(StoredProcedureCall& call, const Key& key, const QString& suffix);
    void sendCurrentKey(StoredProcedureCall& call) const;
    void readRow(const StoredProcedureCall& call);

    int32_t m_storeNo = 0;
    Key m_key;
    Key m_remembered;
    QString m_sellCode;
    QString m_sellText;
    QString m_productItemName;
    double m_price = 0;
    int16_t m_unitQty = 0;
    QString m_newProductItemName;
    double m_newPrice = 0;
    int16_t m_newUnitQty = 0;
    ErrorState m_errors{QStringLiteral("CStoreProductItemSell")};
};
