#include "store/host/CStoreMaint.h"

#include "store/data/ColumnLengths.h"
#include "store/data/StorableText.h"
#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/editors/store/frmSelectRegister.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmShowPrices.h"
#include "store/records/CStore.h"
#include "store/viewers/frmLogDetail.h"
#include "store/viewers/frmOrderDetail.h"
#include "store/viewers/modChunk.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"

namespace {

const QString StoreNo = QStringLiteral("@store_no");
const QString Message = QStringLiteral("@message");
const QString MessageCapital = QStringLiteral("@Message");

// The display type goes out in upper case; "<None>" means no display type at all.
Variant DisplayTypeValue(const QString& displayType) {
    return displayType == QLatin1String("<None>") ? Variant::Null() : Variant(displayType.toUpper());
}

// An image size is sent only when it is a number; otherwise the parameter keeps no value.
void SetImageSize(StoredProcedureCall& call, const QString& name, const QString& size) {
    if (!size.isEmpty() && IsNumericText(size))
        call.set(name, Variant(size).toInt32());
}

// The named long text column of the first row, read in chunks; false when there is no row, the column is null
// (a null is no data, not an empty document) or the read failed.
bool ReadLongColumn(const StoredProcedureCall& call, const QString& column,
                    const std::shared_ptr<ErrorObject>& errorObject, QString& text) {
    const auto& rows = call.rows();
    if (!rows || rows->State() == Recordset::StateClosed || rows->Eof())
        return false;
    const std::shared_ptr<Field> field = rows->Fields(column);
    if (field && field->Value().isNull())
        return false;
    return ReadChunkedField(errorObject, text, field, 0);
}

} // namespace

std::shared_ptr<ItemMaintenance> CStoreMaint::ItemMaint() const {
    if (!m_appServer)
        throw ObjectVariableNotSet();
    return m_appServer->ItemMaint();
}

void CStoreMaint::setAppServer(const std::shared_ptr<::AppServer>& appServer) {
    m_appServer = appServer;
    if (!m_appServer)
        throw ObjectVariableNotSet();
    m_db = m_appServer->GetDBConnection(QString());
    m_error = m_appServer->ErrorObject();
}

bool CStoreMaint::write(const QString& operation, const QString& procedure, const Inputs& inputs,
                        SuccessTest test, const QString& messageParameter, const QString& caption,
                        const std::function<void(const StoredProcedureCall&)>& onSuccess) {
    return m_errors.Guard(m_error, operation, [&] {
        StoredProcedureCall call(m_db, procedure);
        inputs(call);
        if (!call.runAccepted(test, messageParameter, caption))
            return false;
        if (onSuccess)
            onSuccess(call);
        return true;
    });
}

bool CStoreMaint::DeleteStoreProduct(int32_t lStoreNo, int32_t lProductNo) {
    return write(
        QStringLiteral("DeleteStoreProduct"), QStringLiteral("ZEV_SP_STORE_DeleteProduct"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@product_no"), lProductNo);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Product Error"));
}

bool CStoreMaint::DeleteStoreGroup(int32_t lStoreNo, int32_t lGroupNo) {
    return write(
        QStringLiteral("DeleteStoreGroup"), QStringLiteral("ZEV_SP_STORE_DeleteStoreGroup"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@product_group_no"), lGroupNo);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Store Group Error"));
}

bool CStoreMaint::DeleteStoreFee(int32_t lStoreNo, const QString& sFeeId) {
    return write(
        QStringLiteral("DeleteStoreFee"), QStringLiteral("ZEV_SP_STORE_DeleteStoreFee"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@fee_id"), sFeeId);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Store Fee Error"));
}

bool CStoreMaint::DeleteStoreList(int32_t lStoreNo, const QString& sListId) {
    return write(
        QStringLiteral("DeleteStoreList"), QStringLiteral("ZEV_SP_STORE_DeleteStoreList"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@list_id"), sListId);
        },
        SuccessTest::NegativeRefuses, Message, QStringLiteral("Delete Store List Error"));
}

bool CStoreMaint::UpdateStoreGroup(int32_t lStoreNo, int32_t lOriginalGroupNo, int32_t& lGroupNo,
                                   const QString& sDescription, const QString& sDisplayType,
                                   const QString& sImageWidth, const QString& sImageHeight, int32_t lNumCols,
                                   bool bManualInvoice) {
    const bool update = lOriginalGroupNo != 0;
    return write(
        QStringLiteral("UpdateStoreGroup"),
        update ? QStringLiteral("ZEV_SP_STORE_UpdateProductGroup")
               : QStringLiteral("ZEV_SP_STORE_InsertProductGroup"),
        [&](StoredProcedureCall& call) {
            CheckStorableText(QStringLiteral("Group description"), sDescription,
                              ColumnLength::GroupDescription);
            call.set(StoreNo, lStoreNo).setNullIfZero(QStringLiteral("@product_group_no"), lGroupNo);
            if (update)
                call.set(QStringLiteral("@product_group_no_key"), lOriginalGroupNo);
            call.set(QStringLiteral("@description"), sDescription)
                .set(QStringLiteral("@product_display_type"), DisplayTypeValue(sDisplayType));
            SetImageSize(call, QStringLiteral("@image_width"), sImageWidth);
            SetImageSize(call, QStringLiteral("@image_height"), sImageHeight);
            call.set(QStringLiteral("@num_cols"), lNumCols)
                .set(QStringLiteral("@manual_invoice"), bManualInvoice);
        },
        SuccessTest::AtLeastZero, MessageCapital, QStringLiteral("Update Store Group Failed"),
        // No null check: a null group number is a conversion failure although the procedure succeeded.
        [&](const StoredProcedureCall& call) {
            lGroupNo = call.output(QStringLiteral("@product_group_no")).toInt32();
        });
}

bool CStoreMaint::UpdateStoreList(int32_t lStoreNo, const QString& sOriginalId, const QString& sListId,
                                  const QString& sDescription) {
    return write(
        QStringLiteral("UpdateStoreList"), QStringLiteral("ZEV_SP_STORE_UpdateStoreList"),
        [&](StoredProcedureCall& call) {
            CheckStorableText(QStringLiteral("List id"), sListId, ColumnLength::ListId);
            CheckStorableText(QStringLiteral("List description"), sDescription,
                              ColumnLength::ListDescription);
            call.set(StoreNo, lStoreNo)
                .setNullIfEmpty(QStringLiteral("@list_id_key"), sOriginalId)
                .set(QStringLiteral("@list_id"), sListId)
                .set(QStringLiteral("@description"), sDescription);
        },
        SuccessTest::AtLeastZero, MessageCapital, QStringLiteral("Update Store List Error"));
}

bool CStoreMaint::UpdateStoreFee(int32_t lStoreNo, const QString& sOriginalFeeId, const QString& sFeeId,
                                 double dAmount, double dMinAmount, double dPercent, int32_t lItemNo,
                                 int32_t lProductGroupNo, int32_t lPriceNo) {
    return write(
        QStringLiteral("UpdateStoreFee"), QStringLiteral("ZEV_SP_STORE_UpdateStoreFee"),
        [&](StoredProcedureCall& call) {
            CheckStorableText(QStringLiteral("Fee id"), sFeeId, ColumnLength::FeeId);
            call.set(StoreNo, lStoreNo)
                .setNullIfEmpty(QStringLiteral("@fee_id_key"), sOriginalFeeId)
                .set(QStringLiteral("@fee_id"), sFeeId)
                .setNullIfZero(QStringLiteral("@fee_amount"), dAmount)
                .setNullIfZero(QStringLiteral("@min_amount"), dMinAmount)
                .setNullIfZero(QStringLiteral("@fee_percent"), dPercent)
                .setNullIfZero(QStringLiteral("@item_no"), lItemNo)
                .setNullIfZero(QStringLiteral("@product_group_no"), lProductGroupNo)
                .setNullIfZero(QStringLiteral("@price_no"), lPriceNo);
        },
        SuccessTest::AtLeastZero, Message, QStringLiteral("Update Store Fee Error"));
}

bool CStoreMaint::DeleteStoreListItem(int32_t lStoreNo, const QString& sListId, int32_t lSeqNo) {
    return write(
        QStringLiteral("DeleteStoreListItem"), QStringLiteral("ZEV_SP_STORE_DeleteStoreListItem"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo)
                .set(QStringLiteral("@list_id"), sListId)
                .set(QStringLiteral("@seq_no"), lSeqNo);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Store List Item Error"));
}

bool CStoreMaint::UnInstallRegister(CStore& oStore) {
    if (!oStore.RegisterInstalled() || oStore.RegisterId().isEmpty())
        return false;
    return write(
        QStringLiteral("UnInstallRegister"), QStringLiteral("ZEV_SP_STORE_UnInstallRegister"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, oStore.StoreNo()).set(QStringLiteral("@register_id"), oStore.RegisterId());
        },
        SuccessTest::AtLeastZero, Message, QStringLiteral("Register UnInstall Failed"),
        [&](const StoredProcedureCall&) {
            oStore.setRegisterInstalled(false);
            oStore.setRegisterId(QString());
        });
}

bool CStoreMaint::DeleteStore(int32_t lStoreNo) {
    return write(
        QStringLiteral("DeleteStore"), QStringLiteral("ZEV_SP_STORE_DeleteStore"),
        [&](StoredProcedureCall& call) { call.set(StoreNo, lStoreNo); }, SuccessTest::NonZeroRefuses, Message,
        QStringLiteral("Delete Store Error"));
}

bool CStoreMaint::DeleteStoreScreen(int32_t lStoreNo, const QString& sScreenId) {
    return write(
        QStringLiteral("DeleteStoreScreen"), QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Delete"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@screen_id"), sScreenId);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Store Screen Error"));
}

bool CStoreMaint::UpdateStoreScreen(int32_t lStoreNo, const QString& sOrigScreenId, QString& sScreenId,
                                    const QString& sScreenTitle, const QString& sScreenURL) {
    const bool update = !sOrigScreenId.isEmpty();
    return write(
        QStringLiteral("UpdateStoreScreen"),
        update ? QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Update")
               : QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Insert"),
        [&](StoredProcedureCall& call) {
            CheckStorableText(QStringLiteral("Screen id"), sScreenId, ColumnLength::ScreenId);
            CheckStorableText(QStringLiteral("Screen title"), sScreenTitle, ColumnLength::ScreenTitle);
            CheckStorableText(QStringLiteral("Screen URL"), sScreenURL, ColumnLength::Address);
            call.set(StoreNo, lStoreNo).setNullIfEmpty(QStringLiteral("@screen_id"), sScreenId);
            if (update)
                call.set(QStringLiteral("@original_screen_id"), sOrigScreenId);
            call.set(QStringLiteral("@screen_title"), sScreenTitle)
                .set(QStringLiteral("@screen_url"), sScreenURL);
        },
        SuccessTest::AtLeastZero, MessageCapital, QStringLiteral("Update Store Screen Failed"),
        [&](const StoredProcedureCall& call) {
            const Variant screenId = call.output(QStringLiteral("@screen_id"));
            if (screenId.isNull())
                throw InvalidUseOfNull();
            sScreenId = screenId.toText();
        });
}

bool CStoreMaint::DeleteStoreExt(int32_t lStoreNo, int32_t lExtNo) {
    return write(
        QStringLiteral("DeleteStoreExt"), QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_delete"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@item_no"), lExtNo);
        },
        SuccessTest::NonZeroRefuses, Message, QStringLiteral("Delete Extendable Error"));
}

bool CStoreMaint::UpdateStoreExt(int32_t lStoreNo, int32_t lItemNo) {
    return write(
        QStringLiteral("UpdateStoreExt"), QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_Update"),
        [&](StoredProcedureCall& call) {
            call.set(StoreNo, lStoreNo).set(QStringLiteral("@item_no"), lItemNo);
        },
        SuccessTest::AtLeastZero, MessageCapital, QStringLiteral("Update Extendable Failed"));
}

void CStoreMaint::DisplayOrderDetail(int32_t lStoreNo, double dOrderNo) {
    m_errors.Guard(m_error, QStringLiteral("DisplayOrderDetail"), [&] {
        bool shown = false;
        {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetOrderData"));
            call.set(StoreNo, lStoreNo)
                .set(QStringLiteral("@shopping_cart_no"), dOrderNo)
                .set(QStringLiteral("@zev_user"), m_db->CurrentUser());
            call.openRows(true);
            const bool viewCard = NullToZero(call.output(QStringLiteral("@view_card"))).toBool();
            QString cart;
            if (ReadLongColumn(call, QStringLiteral("shopping_cart_data"), m_error, cart)) {
                frmOrderDetail viewer;
                viewer.Setup(m_db, m_error, lStoreNo, dOrderNo, cart, viewCard);
                ShowModal(&viewer);
                shown = true;
            }
        }
        if (!shown)
            MsgBox(QStringLiteral("Either the data could not be found or you do not have permission to view"),
                   MsgBoxStyle::Information, QStringLiteral("No Cart Data"));
        return shown;
    });
}

void CStoreMaint::DisplayCustomerLogDetail(double dLogNo) {
    m_errors.Guard(m_error, QStringLiteral("DisplayCustomerLogDetail"), [&] {
        StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetCustomerLogData"));
        call.set(QStringLiteral("@log_no"), dLogNo);
        call.openRows();
        QString newData;
        QString oldData;
        if (!ReadLongColumn(call, QStringLiteral("customer_data"), m_error, newData))
            return false;
        if (!call.column(QStringLiteral("old_customer_data")).isNull())
            ReadLongColumn(call, QStringLiteral("old_customer_data"), m_error, oldData);
        frmLogDetail viewer;
        viewer.Setup(dLogNo, newData, oldData);
        ShowModal(&viewer);
        return true;
    });
}

bool CStoreMaint::InstallRegister(CStore& oStore) {
    return m_errors.Guard(m_error, QStringLiteral("InstallRegister"), [&] {
        if (oStore.RegisterInstalled()) {
            MsgBox(oStore.RegisterId() + QStringLiteral(" is already installed on this store"),
                   MsgBoxStyle::Critical, QStringLiteral("Install Register Canceled"));
            return false;
        }
        frmSelectRegister picker;
        picker.Setup(m_db, m_error);
        ShowModal(&picker);
        const QString registerId = picker.RegisterId();
        if (picker.UserCanceled || registerId.isEmpty())
            return false;
        StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_InstallRegister"));
        call.set(StoreNo, oStore.StoreNo()).set(QStringLiteral("@register_id"), registerId);
        if (!call.runAccepted(SuccessTest::AtLeastZero, Message,
                              QStringLiteral("Register Installation Failed")))
            return false;
        oStore.setRegisterInstalled(true);
        oStore.setRegisterId(registerId);
        return true;
    });
}

bool CStoreMaint::SelectPrice(int32_t lItemNo, int32_t lStoreNo, int32_t lProductNo, int32_t lSeqNo,
                              int32_t& lPriceNo, QString& sPrice, int16_t& iUnitQty, int32_t lPackageno) {
    // The price picker ends silently on any failure.
    try {
        frmSelectPrice picker;
        picker.Setup(m_db, m_error, lStoreNo, lItemNo, lProductNo, lSeqNo, lPackageno);
        ShowModal(&picker);
        if (picker.UserCancelled)
            return false;
        picker.getSelectedPriceNo(lPriceNo, sPrice, iUnitQty);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

void CStoreMaint::ShowPrices(int32_t lItemNo, int32_t lStoreNo, int32_t lPackageno, int32_t lExtensionNo) {
    try {
        frmShowPrices viewer;
        viewer.Setup(m_db, m_error, lItemNo, lStoreNo, lPackageno, lExtensionNo);
        ShowModal(&viewer);
    } catch (const RuntimeError&) {
        // the price viewer ends silently
    }
}
