#include "store/editors/product/PriceBinding.h"

#include "sdk/Format.h"

QString PriceBindingText(int32_t unitQty, int32_t priceNo, double amount) {
    if (priceNo == 0)
        return {};
    return QStringLiteral("%1@(%2) %3")
        .arg(unitQty)
        .arg(priceNo)
        .arg(Format(amount, QStringLiteral("Currency")));
}

QString BindPriceToolTip() {
    return QStringLiteral("Bind this item to a specific item or package's price");
}

QString ClearPriceToolTip() {
    return QStringLiteral("Clear any specific price");
}
