#include "store/records/CProduct.h"

#include "store/data/ColumnLengths.h"
#include "store/data/ReadFirstRow.h"
#include "store/data/StorableText.h"
#include "store/data/modDataTypes.h"

using namespace Qt::StringLiterals;

namespace {

const QString NoPhotoFamily = u"<None>"_s;

} // namespace

bool CProduct::OpenProduct(const std::shared_ptr<DBConnection>& oDB,
                           const std::shared_ptr<ErrorObject>& oError, int32_t lStoreNo, int32_t lProductNo) {
    m_storeNo = lStoreNo;
    m_originalProductNo = lProductNo;
    m_productNo = lProductNo;
    Baseline.Seen(oDB, u"zev_store_product"_s, u"%1/%2"_s.arg(lStoreNo).arg(lProductNo));
    return ReadFirstRow(
        m_errors, oDB, oError, u"OpenProduct"_s, u"ZEV_SP_STORE_GetProduct"_s,
        [&](StoredProcedureCall& call) {
            call.set(u"@store_no"_s, m_storeNo).set(u"@product_no"_s, m_productNo);
        },
        [&](const StoredProcedureCall& call) { readRow(call); });
}

void CProduct::readRow(const StoredProcedureCall& call) {
    m_productType = call.readText(u"product_type"_s);
    m_shortDescription = call.readText(u"short_description"_s);
    m_longDescription = call.readText(u"long_description"_s);
    m_productName = call.readText(u"product_name"_s);
    m_productURL = call.readText(u"product_url"_s);
    m_productGroupNo = call.readLong(u"product_group_no"_s);
    m_productGroupDescription = call.readText(u"group_description"_s);
    IsActive = call.readBool(u"is_active"_s);
    PhotoFamily = call.readText(u"photo_family"_s);
    ItemDisplayType = call.readText(u"item_display_type"_s);
    ImageWidth = call.readLong(u"image_width"_s);
    ImageHeight = call.readLong(u"image_height"_s);
    // A product without a column count shows its items in one column.
    NumCols = NullToDefault(call.column(u"num_cols"_s), 1).toInt32();
    ManualInvoice = call.readInteger(u"manual_invoice"_s);
    GroupManualInvoice = call.readBool(u"group_manual_invoice"_s);
}

bool CProduct::Update(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return m_errors.Guard(oError, u"Update"_s, [&] {
        CheckStorableText(u"Product type"_s, m_productType, ColumnLength::ProductType);
        CheckStorableText(u"Product name"_s, m_productName, ColumnLength::ProductName);
        CheckStorableText(u"Product description"_s, m_shortDescription, ColumnLength::ProductDescription);
        CheckStorableText(u"Long description"_s, m_longDescription);
        CheckStorableText(u"Product URL"_s, m_productURL, ColumnLength::Address);
        StoredProcedureCall call(oDB, m_originalProductNo != 0 ? u"ZEV_SP_STORE_UpdateProduct"_s
                                                               : u"ZEV_SP_STORE_InsertProduct"_s);
        setParameters(call);
        // The original number stays as it was: only reopening the product moves its key.
        return call.runAccepted(SuccessTest::AtLeastZero, u"@Message"_s, u"Product Update Error"_s);
    });
}

void CProduct::setParameters(StoredProcedureCall& call) const {
    call.set(u"@store_no"_s, m_storeNo).setNullIfZero(u"@product_no"_s, m_productNo);
    if (m_originalProductNo != 0)
        call.setNullIfZero(u"@product_no_key"_s, m_originalProductNo);
    const bool noPhotoFamily = PhotoFamily.isEmpty() || PhotoFamily == NoPhotoFamily;
    call.setNullIfEmpty(u"@product_type"_s, m_productType)
        .setNullIfEmpty(u"@product_name"_s, m_productName)
        .setNullIfEmpty(u"@short_description"_s, m_shortDescription)
        .setNullIfEmpty(u"@long_description"_s, m_longDescription)
        .setNullIfZero(u"@product_group_no"_s, m_productGroupNo)
        .setNullIfEmpty(u"@product_url"_s, m_productURL)
        .set(u"@image_width"_s, ImageWidth)
        .set(u"@image_height"_s, ImageHeight)
        .set(u"@is_active"_s, IsActive)
        .set(u"@item_display_type"_s, ItemDisplayType)
        .set(u"@photo_family"_s, noPhotoFamily ? Variant::Null() : Variant(PhotoFamily.toUpper()))
        .set(u"@num_cols"_s, NumCols)
        .set(u"@manual_invoice"_s, GroupManualInvoice ? Variant::Null() : Variant(ManualInvoice));
}

bool CProduct::Reopen(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError) {
    return OpenProduct(oDB, oError, m_storeNo, m_originalProductNo);
}
