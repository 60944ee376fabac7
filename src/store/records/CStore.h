#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/data/EditBaseline.h"
#include "store/data/ErrorState.h"

#include <QString>
#include <cstdint>
#include <memory>

// One web store: its number, names, addresses, mail and document settings, sales-order type and register.
class CStore {
public:
    bool LocationRegister = false;
    QString SalesOrderType;

    int32_t StoreNo() const { return m_storeNo; }
    void setStoreNo(int32_t value) { m_storeNo = value; }
    QString Description() const { return m_description; }
    void setDescription(const QString& value) { m_description = value; }
    QString StoreURL() const { return m_storeURL; }
    void setStoreURL(const QString& value) { m_storeURL = value; }
    QString StoreLOGOURL() const { return m_storeLOGOURL; }
    void setStoreLOGOURL(const QString& value) { m_storeLOGOURL = value; }
    QString DefaultProductURL() const { return m_defaultProductURL; }
    void setDefaultProductURL(const QString& value) { m_defaultProductURL = value; }

    // Fills the record from the database; the store number is kept even when no store is found.
    bool OpenStore(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                   int32_t lStoreNo);
    // Writes the record; a store without a number is created and then holds the new number.
    bool Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);
    // Switches one pay method of this store on or off.
    bool UpdatePayMethod(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                         const QString& sPayMethodId, bool bActive);

    QString RegisterId() const { return m_registerId; }
    void setRegisterId(const QString& value) { m_registerId = value; }
    bool RegisterInstalled() const { return m_registerInstalled; }
    void setRegisterInstalled(const bool& value) { m_registerInstalled = value; }
    QString ConfirmationDocument() const { return m_confirmationDocument; }
    void setConfirmationDocument(const QString& value) { m_confirmationDocument = value; }
    QString ErrorNotifyEmail() const { return m_errorNotifyEmail; }
    void setErrorNotifyEmail(const QString& value) { m_errorNotifyEmail = value; }
    QString ManualDocument() const { return m_manualDocument; }
    void setManualDocument(const QString& value) { m_manualDocument = value; }
    QString ShipDocument() const { return m_shipDocument; }
    void setShipDocument(const QString& value) { m_shipDocument = value; }
    QString EmailFrom() const { return m_emailFrom; }
    void setEmailFrom(const QString& value) { m_emailFrom = value; }

    // Where the change history stood when the record was read: its editor's save does not write over a newer
    // change unseen.
    EditBaseline Baseline;
    // Reads the record again under the keys it was opened with, as someone else saved it.
    bool Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

private:
    int32_t m_storeNo = 0;
    QString m_description;
    QString m_storeURL;
    QString m_storeLOGOURL;
    QString m_defaultProductURL;
    QString m_registerId;
    bool m_registerInstalled = false;
    QString m_errorNotifyEmail;
    QString m_confirmationDocument;
    QString m_manualDocument;
    QString m_shipDocument;
    QString m_emailFrom;
    ErrorState m_errors{QStringLiteral("CStore")};
};
