#pragma once

#include "store/pickers/PricePicker.h"

class ErrorObject;

// Lets the user choose one price of an item, a package or a product item.
class frmSelectPrice : public PricePicker {
    Q_OBJECT
public:
    explicit frmSelectPrice(QWidget* parent = nullptr);

    // Lists the prices; a key of 0 is not used to narrow the list.
    void Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
               int32_t lStoreNo, int32_t lItemNo, int32_t lProductNo, int32_t lSeqNo, int32_t lPackageNo);

private:
    // "<id>:<description>", empty for a price without a discount.
    static QString DiscountText(const StoredProcedureCall& row);
    static QStringList Cells(const StoredProcedureCall& row);
};
