#pragma once

#include "store/editors/Refusal.h"
#include "store/editors/product/ProductItemFormRules.h"

#include <QString>
#include <cstdint>

class CListItem;

// What the list item editor decides: the chosen product item and price, the label texts, the checks of a
// save in order and the values into the record.
class ListItemFormRules {
public:
    struct Values {
        QString seqNo;
        int32_t productNo = 0, productItemSeqNo = 0;
        QString productItemName;
        ProductItemFormRules::Price price;
    };

    static Values Show(const CListItem& item);
    // "100-2 : Adult Day Ticket"
    static QString ProductItemText(const Values& values);
    static CheckResult Check(const Values& values);
    // False, with the record untouched, when the sequence number does not convert.
    static bool Fill(const Values& values, CListItem& item);
};
