#pragma once

#include <QString>
#include <cstdint>

// One price of an item or package, as the host's price lists and special offers show it.
struct PriceEntry {
    int32_t priceNo = 0;
    int32_t itemNo = 0;    // 0 for a package's price
    int32_t packageNo = 0; // 0 for an item's price
    int32_t storeNo = 0;   // 0 when every store sells at this price
    QString description;   // the item's or package's description
    QString season;        // empty when the price holds all year
    QString discountId;    // empty when not discounted
    QString discount;
    QString unitId;
    int16_t unitQty = 1;
    double unitPrice = 0;
    double price = 0;
};
