#pragma once

#include "store/editors/Refusal.h"

#include <QString>
#include <cstdint>

class CStoreProductItemSell;

// What the up-sell and cross-sell editor decides: its controls as values (each price label with its price
// number as a tag), the checks of a save with the cross-sell question, and the values into the record.
class SellFormRules {
public:
    struct PriceLabel {
        QString text;
        QString tag; // the price number, "0" or empty for none
        int32_t PriceNo() const;
    };
    struct Values {
        QString fromName, toName;
        PriceLabel from, to;
        bool upSell = false;
        QString sellText;
    };

    static Values Show(const CStoreProductItemSell& link);
    static PriceLabel Label(int16_t unitQty, int32_t priceNo, double amount);

    // A price on one side only is refused.
    static CheckResult Check(const Values& values);
    // A cross-sell with prices on both sides is asked about.
    static bool NeedsConfirmation(const Values& values);
    // The values into the record; prices are read back from the labels. Raises, before anything is set,
    // when a label cannot be read.
    static void Fill(const Values& values, CStoreProductItemSell& link);

    static const QString ConfirmText;
    static const QString ConfirmCaption;
    static const int32_t ConfirmButtons;
};
