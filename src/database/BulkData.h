#pragma once

#include "database/BulkDataSize.h"
#include "database/SqlSession.h"

// Large data for benchmarks and load checks: stores with groups, products and product items, customers,
// and orders, numbered after whatever the database already holds. Runs in one transaction.
namespace BulkData {

struct Generated {
    int32_t firstStoreNo = 0;
    int64_t firstCartNo = 0;
};

Generated Generate(SqlSession& session, const BulkDataSize& size);

} // namespace BulkData
