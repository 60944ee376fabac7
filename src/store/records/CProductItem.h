#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/data/EditBaseline.h"
#include "store/data/ErrorState.h"
#include "store/data/SequenceKey.h"

#include <QString>
#include <cstdint>
#include <memory>

class StoredProcedureCall;

// One sellable line of a product: a catalogue item or package with its price, availability, age limits,
// prompts and invoicing flags. The sequence number may change on an existing item: the number it was opened
// or last saved with travels as the key.
class CProductItem {
public:
    bool IsActive = true;
    int16_t ManualInvoice = 0;
    bool ProductManualInvoice = false;
    bool GroupManualInvoice = false;
    double MinAge = 0;
    double MaxAge = 0;
    bool PromptAlert = false;

    int32_t StoreNo() const { return m_storeNo; }
    void setStoreNo(int32_t value) { m_storeNo = value; }
    int32_t ProductNo() const { return m_productNo; }
    void setProductNo(int32_t value) { m_productNo = value; }
    int32_t SeqNo() const { return m_seq.seqNo; }
    void setSeqNo(int32_t value) { m_seq.seqNo = value; }
    int32_t QtyOnHand() const { return m_qtyOnHand; }
    void setQtyOnHand(int32_t value) { m_qtyOnHand = value; }
    QString ProductURL() const { return m_productURL; }
    void setProductURL(const QString& value) { m_productURL = value; }
    QString Description() const { return m_description; }
    void setDescription(const QString& value) { m_description = value; }
    bool AllowBackorder() const { return m_allowBackorder; }
    void setAllowBackorder(bool value) { m_allowBackorder = value; }
    int32_t PackageNo() const { return m_packageNo; }
    void setPackageNo(int32_t value) { m_packageNo = value; }
    int32_t ItemNo() const { return m_itemNo; }
    void setItemNo(int32_t value) { m_itemNo = value; }
    bool PromptRental() const { return m_promptRental; }
    void setPromptRental(bool value) { m_promptRental = value; }
    bool PromptLesson() const { return m_promptLesson; }
    void setPromptLesson(bool value) { m_promptLesson = value; }
    bool PromptCustomer() const { return m_promptCustomer; }
    void setPromptCustomer(bool value) { m_promptCustomer = value; }
    bool PromptPhoto() const { return m_promptPhoto; }
    void setPromptPhoto(bool value) { m_promptPhoto = value; }
    // "PKG" for a package, "ITEM" otherwise; an assigned value is kept but never read back.
    QString ProductType() const;
    void setProductType(const QString& value) { m_productType = value; }

    bool OpenProductItem(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                         int32_t lStoreNo, int32_t lProductNo, int32_t lSeqNo);
    // Inserts an item never saved, updates one opened or saved; afterwards holds the stored sequence number.
    bool Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);
    // The catalogue number: the item number, else the package number of an item that belongs to a product.
    int32_t IDValue() const;

    int32_t PriceNo() const { return m_priceNo; }
    void setPriceNo(int32_t value) { m_priceNo = value; }
    QString ProductItemName() const { return m_productItemName; }
    void setProductItemName(const QString& value) { m_productItemName = value; }
    int32_t OriginalSeqNo() const { return m_seq.original; }
    void setOriginalSeqNo(int32_t value) { m_seq.original = value; }
    double Price() const { return m_price; }
    void setPrice(double value) { m_price = value; }
    // A date, or null for an open end; a new item holds Empty.
    Variant AvailableStartDate() const { return m_availableStartDate; }
    void setAvailableStartDate(const Variant& value) { m_availableStartDate = value; }
    Variant AvailableEndDate() const { return m_availableEndDate; }
    void setAvailableEndDate(const Variant& value) { m_availableEndDate = value; }
    int32_t AdvancePurchaseDays() const { return m_advancePurchaseDays; }
    void setAdvancePurchaseDays(int32_t value) { m_advancePurchaseDays = value; }
    QString ProductName() const { return m_productName; }
    void setProductName(const QString& value) { m_productName = value; }
    int16_t PriceUnitQty() const { return m_priceUnitQty; }
    void setPriceUnitQty(int16_t value) { m_priceUnitQty = value; }

    // Fills a new item from the database's defaults for its item or package and price.
    bool GetDefaults(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                     int32_t lStoreNo, int32_t lProductNo);

    // Where the change history stood when the record was read: its editor's save does not write over a newer
    // change unseen.
    EditBaseline Baseline;
    // Reads the record again under the keys it was opened with, as someone else saved it.
    bool Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

private:
    void readRow(const StoredProcedureCall& call);
    void setParameters(StoredProcedureCall& call) const;
    void readDefaults(const StoredProcedureCall& call);

    int32_t m_storeNo = 0;
    int32_t m_productNo = 0;
    SequenceKey m_seq;
    QString m_productName;
    QString m_productItemName;
    QString m_description;
    int32_t m_itemNo = 0;
    int32_t m_packageNo = 0;
    int32_t m_priceNo = 0;
    double m_price = 0;
    int16_t m_priceUnitQty = 0;
    QString m_productURL;
    bool m_promptRental = false;
    bool m_promptLesson = false;
    bool m_promptCustomer = false;
    bool m_promptPhoto = false;
    Variant m_availableStartDate;
    Variant m_availableEndDate;
    int32_t m_advancePurchaseDays = 0;
    bool m_allowBackorder = false;
    int32_t m_qtyOnHand = 0;
    QString m_productType;
    ErrorState m_errors{QStringLiteral("CProductItem")};
};
