#pragma once

#include "sdk/Variant.h"
#include "store/editors/Refusal.h"

#include <QString>
#include <cstdint>

class CProductItem;
class CStoreProductItemSell;

// What the product item editor decides, apart from its widgets: its controls as values, the bound price,
// the checks of a save in order, copying the record into the values and back, and the links grid rows.
class ProductItemFormRules {
public:
    // The price the item is bound to; price number 0 for none.
    struct Price {
        int32_t priceNo = 0;
        double amount = 0;
        int16_t unitQty = 0;
        QString Text() const;
    };
    struct Values {
        QString seqNo, idValue, productType, description, productItemName, productURL;
        Price price;
        int32_t itemNo = 0, packageNo = 0;
        Variant startDate, endDate;
        QString advancePurchaseDays;
        bool isActive = true;
        int manualInvoice = 0; // 2 grey: inherited from the product or its group
        bool manualInvoiceEnabled = true;
        bool promptAlert = false, promptCustomer = false, promptLesson = false, promptPhoto = false,
             promptRental = false;
        QString minAge, maxAge;
    };

    static QString Caption(const QString& productName, int32_t seqNo);
    static Values Show(const CProductItem& item);
    static CheckResult Check(const Values& values);
    // The values into the record; false, with the record untouched, when a number does not convert.
    static bool Fill(const Values& values, CProductItem& item);

    // Another item or package was picked: a price bound to the one before no longer fits.
    static void ItemPicked(Values& values, int32_t number, const QString& description);

    // Links grid: one row per link, the price numbers travel as the data of cells 1 and 2.
    static QString SellGridFormat();
    static QString SellGridRow(const QString& sellCode, const QString& fromText, const QString& toText,
                               int32_t newProductNo, int32_t newSeqNo, const QString& newProductItemName);
    static QString SellGridRow(const CStoreProductItemSell& link);
};
