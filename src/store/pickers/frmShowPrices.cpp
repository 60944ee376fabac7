#include "store/pickers/frmShowPrices.h"

#include "store/data/StoredProcedureCall.h"

frmShowPrices::frmShowPrices(QWidget* parent)
    : PricePicker(QStringLiteral("Store Prices"), Buttons::OkOnly, DoubleClick::Ignored, {3, 5}, parent) {}

void frmShowPrices::Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>&,
                          int32_t lItemNo, int32_t lStoreNo, int32_t lPackageNo, int32_t lChildItemNo) {
    const QuietGrid quiet(gdItems);
    ResetGrid(QStringLiteral("Price #|Season|Unit|UnitQty|Unit Price|Price"));
    FormatPriceColumns();
    Load(
        oDB, QStringLiteral("ZEV_SP_STORE_GetStorePrices"),
        [&](StoredProcedureCall& call) {
            call.set(QStringLiteral("@store_no"), lStoreNo)
                .setNullIfZero(QStringLiteral("@item_no"), lItemNo)
                .setNullIfZero(QStringLiteral("@package_no"), lPackageNo)
                .setNullIfZero(QStringLiteral("@child_item_no"), lChildItemNo);
        },
        PriceCells);
}
