#pragma once

#include "store/pickers/PricePicker.h"

class ErrorObject;

// Shows the store's prices of an item, a package or an extension item.
class frmShowPrices : public PricePicker {
    Q_OBJECT
public:
    explicit frmShowPrices(QWidget* parent = nullptr);

    // Lists the store's prices; an item, package or child item number of 0 is not used to narrow the list.
    void Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
               int32_t lItemNo, int32_t lStoreNo, int32_t lPackageNo, int32_t lChildItemNo);
};
