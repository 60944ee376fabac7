#pragma once

#include <QString>
#include <cstdint>

// How a bound price is shown: units "@(" price number ") " and the amount in currency, "2@(15) $12.50".
// Empty text when no price is bound (price number 0).
QString PriceBindingText(int32_t unitQty, int32_t priceNo, double amount);

// Tool tips of the buttons that bind a price and clear it.
QString BindPriceToolTip();
QString ClearPriceToolTip();
