#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/data/EditBaseline.h"
#include "store/data/ErrorState.h"

#include <QString>
#include <cstdint>
#include <memory>

class StoredProcedureCall;

// One product of one store. The product number may change on an existing product: the number it was opened
// with travels separately as the key.
class CProduct {
public:
    int32_t ImageWidth = 0;
    int32_t ImageHeight = 0;
    bool IsActive = true;
    QString ItemDisplayType;
    QString PhotoFamily = QStringLiteral("<None>");
    int32_t NumCols = 0;
    int16_t ManualInvoice = 0;
    // Read only from the database; when set, the product's own manual-invoice flag is not written.
    bool GroupManualInvoice = false;

    int32_t StoreNo() const { return m_storeNo; }
    void setStoreNo(int32_t value) { m_storeNo = value; }
    int32_t ProductNo() const { return m_productNo; }
    void setProductNo(int32_t value) { m_productNo = value; }
    QString ProductURL() const { return m_productURL; }
    void setProductURL(const QString& value) { m_productURL = value; }
    QString ShortDescription() const { return m_shortDescription; }
    void setShortDescription(const QString& value) { m_shortDescription = value; }
    QString LongDescription() const { return m_longDescription; }
    void setLongDescription(const QString& value) { m_longDescription = value; }
    QString ProductType() const { return m_productType; }
    void setProductType(const QString& value) { m_productType = value; }
    int32_t ProductGroupNo() const { return m_productGroupNo; }
    void setProductGroupNo(int32_t value) { m_productGroupNo = value; }

    // Fills the record; the keys are kept even when no product is found, so a later save updates.
    bool OpenProduct(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                     int32_t lStoreNo, int32_t lProductNo);
    // Inserts a product never opened, updates one that was; the procedure's message is shown when refused.
    bool Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

    QString ProductGroupDescription() const { return m_productGroupDescription; }
    void setProductGroupDescription(const QString& value) { m_productGroupDescription = value; }
    QString ProductName() const { return m_productName; }
    void setProductName(const QString& value) { m_productName = value; }
    int32_t OriginalProductNo() const { return m_originalProductNo; }
    void setOriginalProductNo(int32_t value) { m_originalProductNo = value; }

    // Where the change history stood when the record was read: its editor's save does not write over a newer
    // change unseen.
    EditBaseline Baseline;
    // Reads the record again under the keys it was opened with, as someone else saved it.
    bool Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

private:
    void readRow(const StoredProcedureCall& call);
    void setParameters(StoredProcedureCall& call) const;

    int32_t m_storeNo = 0;
    int32_t m_productNo = 0;
    int32_t m_originalProductNo = 0;
    QString m_productType;
    QString m_shortDescription;
    QString m_longDescription;
    QString m_productName;
    QString m_productURL;
    int32_t m_productGroupNo = 0;
    QString m_productGroupDescription;
    ErrorState m_errors{QStringLiteral("CProduct")};
};
