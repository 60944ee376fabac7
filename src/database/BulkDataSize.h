#pragma once

#include <cstdint>

// How much data the bulk generator makes.
struct BulkDataSize {
    int32_t stores = 1;
    int32_t productsPerStore = 100;
    int32_t itemsPerProduct = 3;
    int64_t orders = 1000; // spread over the stores in turn
    int32_t customers = 100;
    bool cartXml = false; // give every order a small cart document
};
