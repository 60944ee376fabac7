#include "store/records/CStore.h"

#include "store/data/ColumnLengths.h"
#include "store/data/ReadFirstRow.h"
#include "store/data/StorableText.h"

using namespace Qt::StringLiterals;

bool CStore::OpenStore(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
                       int32_t lStoreNo) {
    m_storeNo = lStoreNo;
    Baseline.Seen(oDB, u"zev_store"_s, QString::number(lStoreNo));
    return ReadFirstRow(
        m_errors, oDB, oError, u"OpenStore"_s, u"ZEV_SP_STORE_GetStore"_s,
        [&](StoredProcedureCall& call) { call.set(u"@store_no"_s, m_storeNo); },
        [&](const StoredProcedureCall& call) {
            m_description = call.readText(u"Description"_s);
            m_storeURL = call.readText(u"store_url"_s);
            m_storeLOGOURL = call.readText(u"store_logo_url"_s);
            m_defaultProductURL = call.readText(u"default_product_url"_s);
            m_registerId = call.readText(u"Register_id"_s);
            m_registerInstalled = call.readBool(u"register_installed"_s);
            m_errorNotifyEmail = call.readText(u"error_notify_email"_s);
            m_confirmationDocument = call.readText(u"confirmation_document"_s);
            m_shipDocument = call.readText(u"ship_document"_s);
            m_manualDocument = call.readText(u"manual_document"_s);
            m_emailFrom = call.readText(u"email_from"_s);
            LocationRegister = call.readBool(u"location_register"_s);
            SalesOrderType = call.readText(u"so_type"_s);
        });
}

bool CStore::Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Update"_s, [&] {
        CheckStorableText(u"Store description"_s, m_description, ColumnLength::StoreDescription);
        CheckStorableText(u"Store URL"_s, m_storeURL, ColumnLength::Address);
        CheckStorableText(u"Store logo URL"_s, m_storeLOGOURL, ColumnLength::Address);
        CheckStorableText(u"Default product URL"_s, m_defaultProductURL, ColumnLength::Address);
        CheckStorableText(u"Error notify email"_s, m_errorNotifyEmail, ColumnLength::Address);
        CheckStorableText(u"Email from"_s, m_emailFrom, ColumnLength::Address);
        CheckStorableText(u"Confirmation document"_s, m_confirmationDocument);
        CheckStorableText(u"Manual document"_s, m_manualDocument);
        CheckStorableText(u"Ship document"_s, m_shipDocument);
        StoredProcedureCall call(oDB, u"ZEV_SP_STORE_UpdateStore"_s);
        call.setNullIfZero(u"@store_no"_s, m_storeNo)
            .setNullIfEmpty(u"@description"_s, m_description)
            .setNullIfEmpty(u"@store_url"_s, m_storeURL)
            .setNullIfEmpty(u"@store_logo_url"_s, m_storeLOGOURL)
            .setNullIfEmpty(u"@default_product_url"_s, m_defaultProductURL)
            .setNullIfEmpty(u"@error_notify_email"_s, m_errorNotifyEmail)
            .setNullIfEmpty(u"@confirmation_document"_s, m_confirmationDocument)
            .setNullIfEmpty(u"@manual_document"_s, m_manualDocument)
            .setNullIfEmpty(u"@ship_document"_s, m_shipDocument)
            .setNullIfEmpty(u"@email_from"_s, m_emailFrom)
            .set(u"@so_type"_s, SalesOrderType)
            .setMinusOneOrZero(u"@location_register"_s, LocationRegister);
        // The register fields belong to the register installation, not to this save.
        if (!call.run())
            return false;
        m_storeNo = call.outputLong(u"@store_no"_s);
        return true;
    });
}

bool CStore::UpdatePayMethod(const std::shared_ptr<DBConnection>& oDB,
                             const std::shared_ptr<ErrorObject>& oError, const QString& sPayMethodId,
                             bool bActive) {
    return m_errors.Guard(oError, u"UpdatePayMethod"_s, [&] {
        StoredProcedureCall call(oDB, bActive ? u"ZEV_SP_STORE_UpdateStorePayMethod"_s
                                              : u"ZEV_SP_STORE_DeleteStorePayMethod"_s);
        call.set(u"@store_no"_s, m_storeNo).set(u"@pay_method_id"_s, sPayMethodId);
        return call.run();
    });
}

bool CStore::Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return OpenStore(oDB, oError, m_storeNo);
}
