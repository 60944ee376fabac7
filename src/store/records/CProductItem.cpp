#include "store/records/CProductItem.h"

#include "store/data/ColumnLengths.h"
#include "store/data/ReadFirstRow.h"
#include "store/data/StorableText.h"

using namespace Qt::StringLiterals;

QString CProductItem::ProductType() const {
    return m_packageNo != 0 ? u"PKG"_s : u"ITEM"_s;
}

int32_t CProductItem::IDValue() const {
    if (m_itemNo != 0)
        return m_itemNo;
    return m_productNo != 0 ? m_packageNo : 0;
}

bool CProductItem::OpenProductItem(const std::shared_ptr<DBConnection>& oDB,
                                   const std::shared_ptr<ErrorObject>& oError, int32_t lStoreNo,
                                   int32_t lProductNo, int32_t lSeqNo) {
    m_storeNo = lStoreNo;
    m_productNo = lProductNo;
    m_seq.open(lSeqNo);
    Baseline.Seen(oDB, u"zev_store_product_item"_s, u"%1/%2/%3"_s.arg(lStoreNo).arg(lProductNo).arg(lSeqNo));
    return ReadFirstRow(
        m_errors, oDB, oError, u"OpenProductItem"_s, u"ZEV_SP_STORE_GetProductItem"_s,
        [&](StoredProcedureCall& call) {
            call.set(u"@store_no"_s, m_storeNo)
                .set(u"@product_no"_s, m_productNo)
                .set(u"@seq_no"_s, m_seq.seqNo);
        },
        [&](const StoredProcedureCall& call) { readRow(call); });
}

void CProductItem::readRow(const StoredProcedureCall& call) {
    m_description = call.readText(u"Description"_s);
    m_allowBackorder = call.readBool(u"allow_backorder"_s);
    m_productItemName = call.readText(u"product_item_name"_s);
    m_packageNo = call.readLong(u"package_no"_s);
    m_itemNo = call.readLong(u"item_no"_s);
    m_priceNo = call.readLong(u"price_no"_s);
    m_price = call.readDouble(u"Price"_s);
    m_priceUnitQty = call.readInteger(u"price_unit_qty"_s);
    m_productURL = call.readText(u"product_url"_s);
    m_promptRental = call.readBool(u"prompt_rental"_s);
    m_promptLesson = call.readBool(u"prompt_lesson"_s);
    m_promptCustomer = call.readBool(u"prompt_customer"_s);
    m_promptPhoto = call.readBool(u"prompt_photo"_s);
    m_availableStartDate = call.column(u"available_start_date"_s);
    m_availableEndDate = call.column(u"available_end_date"_s);
    m_advancePurchaseDays = call.readLong(u"advance_purchase_days"_s);
    IsActive = call.readBool(u"is_active"_s);
    ManualInvoice = call.readInteger(u"manual_invoice"_s);
    ProductManualInvoice = call.readBool(u"product_manual_invoice"_s);
    GroupManualInvoice = call.readBool(u"group_manual_invoice"_s);
    MinAge = call.readDouble(u"min_age"_s);
    MaxAge = call.readDouble(u"max_age"_s);
    PromptAlert = call.readBool(u"prompt_alert"_s);
}

bool CProductItem::Update(const std::shared_ptr<DBConnection>& oDB,
                          const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Update"_s, [&] {
        CheckStorableText(u"Product item name"_s, m_productItemName, ColumnLength::ProductItemName);
        CheckStorableText(u"Product item description"_s, m_description, ColumnLength::ProductItemDescription);
        CheckStorableText(u"Product item URL"_s, m_productURL, ColumnLength::Address);
        StoredProcedureCall call(oDB, m_seq.isNew() ? u"ZEV_SP_STORE_InsertProductItem"_s
                                                    : u"ZEV_SP_STORE_UpdateProductItem"_s);
        setParameters(call);
        if (!call.runAccepted(SuccessTest::AtLeastZero, u"@message"_s, u"Update Product Item Error"_s))
            return false;
        m_seq.readBack(call);
        return true;
    });
}

void CProductItem::setParameters(StoredProcedureCall& call) const {
    call.set(u"@store_no"_s, m_storeNo).set(u"@product_no"_s, m_productNo);
    m_seq.send(call);
    // An item of a product or group invoiced by hand takes the invoicing from there.
    const bool invoicedAbove = ProductManualInvoice || GroupManualInvoice;
    call.setNullIfEmpty(u"@product_item_name"_s, m_productItemName)
        .setNullIfZero(u"@package_no"_s, m_packageNo)
        .setNullIfZero(u"@item_no"_s, m_itemNo)
        .setNullIfEmpty(u"@description"_s, m_description)
        .setNullIfZero(u"@price_no"_s, m_priceNo)
        .setNullIfEmpty(u"@product_url"_s, m_productURL)
        .setOneOrZero(u"@prompt_rental"_s, m_promptRental)
        .setOneOrZero(u"@prompt_lesson"_s, m_promptLesson)
        .setOneOrZero(u"@prompt_customer"_s, m_promptCustomer)
        .setOneOrZero(u"@prompt_photo"_s, m_promptPhoto)
        .set(u"@available_start_date"_s, m_availableStartDate)
        .set(u"@available_end_date"_s, m_availableEndDate)
        .set(u"@advance_purchase_days"_s, m_advancePurchaseDays)
        .setMinusOneOrZero(u"@is_active"_s, IsActive)
        .set(u"@manual_invoice"_s, invoicedAbove ? Variant::Null() : Variant(ManualInvoice))
        .setNullIfZero(u"@min_age"_s, MinAge)
        .setNullIfZero(u"@max_age"_s, MaxAge)
        .setOneOrZero(u"@prompt_alert"_s, PromptAlert);
}

bool CProductItem::GetDefaults(const std::shared_ptr<DBConnection>& oDB,
                               const std::shared_ptr<ErrorObject>& oError, int32_t lStoreNo,
                               int32_t lProductNo) {
    m_storeNo = lStoreNo;
    m_productNo = lProductNo;
    return m_errors.Guard(oError, u"GetDefaults"_s, [&] {
        if (!oDB)
            return false;
        StoredProcedureCall call(oDB, u"ZEV_SP_STORE_ProductItemDefaults"_s);
        call.set(u"@store_no"_s, m_storeNo)
            .set(u"@product_no"_s, m_productNo)
            .setNullIfZero(u"@item_no"_s, m_itemNo)
            .setNullIfZero(u"@price_no"_s, m_priceNo)
            .setNullIfZero(u"@package_no"_s, m_packageNo)
            .set(u"@description"_s, m_description);
        if (!call.run())
            return false;
        readDefaults(call);
        return true;
    });
}

void CProductItem::readDefaults(const StoredProcedureCall& call) {
    m_description = call.outputText(u"@Description"_s);
    m_productItemName = call.outputText(u"@product_item_name"_s);
    m_packageNo = call.outputLong(u"@package_no"_s);
    m_itemNo = call.outputLong(u"@item_no"_s);
    m_priceNo = call.outputLong(u"@price_no"_s);
    m_productURL = call.outputText(u"@product_url"_s);
    m_promptRental = call.outputBool(u"@prompt_rental"_s);
    m_promptLesson = call.outputBool(u"@prompt_lesson"_s);
    m_promptCustomer = call.outputBool(u"@prompt_customer"_s);
    m_promptPhoto = call.outputBool(u"@prompt_photo"_s);
    PromptAlert = call.outputBool(u"@prompt_alert"_s);
    m_availableStartDate = call.output(u"@available_start_date"_s);
    m_availableEndDate = call.output(u"@available_end_date"_s);
    m_advancePurchaseDays = call.outputLong(u"@advance_purchase_days"_s);
    IsActive = call.outputBool(u"@is_active"_s);
}

bool CProductItem::Reopen(const std::shared_ptr<DBConnection>& oDB,
                          const std::shared_ptr<ErrorObject>& oError) {
    return OpenProductItem(oDB, oError, m_storeNo, m_productNo, m_seq.original);
}
