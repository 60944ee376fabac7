#pragma once

#include <QString>
#include <cstdint>

// One catalogue item or package, as the host's item picker lists it.
struct CatalogueEntry {
    int32_t number = 0; // item number, or package number when kind is ttoPackage
    int16_t kind = 0;   // the item's ItemTypes value (ttoPhoto ... ttoTicket), or ttoPackage
    QString description;
    bool active = true;
};
