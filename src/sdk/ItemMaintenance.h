#pragma once

#include "sdk/ItemTypes.h"
#include "sdk/Object.h"
#include "sdk/Variant.h"

#include <QString>

// The host's item maintenance: its item and package picker and its special offers window.
class ItemMaintenance : public Object {
public:
    // Lets the user pick an item of the given kind (ttoPackage for packages); fills itemNo and description
    // and returns true when something was chosen. The two flags are the host's own picker options.
    virtual Variant SelectItem(ItemTypes itemType, bool multiSelect, int32_t& itemNo, QString& description,
                               bool showInactive = false) = 0;
    virtual void ShowSpecialOffer() = 0;
    // The active item whose number is the text, else the first whose description is the text (without regard
    // to case): what a pasted row names. False when there is none.
    virtual bool FindItem(const QString& text, int32_t& itemNo, QString& description) = 0;
};
