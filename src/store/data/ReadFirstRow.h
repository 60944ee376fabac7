#pragma once

#include "store/data/ErrorState.h"
#include "store/data/StoredProcedureCall.h"

#include <functional>

// Reads one record: runs the procedure for rows and hands the first row to readRow.
// False without a report when the connection is empty, the call failed or no row came back;
// false with a report under operation when anything raised an error.
bool ReadFirstRow(ErrorState& errors, const std::shared_ptr<DBConnection>& oDB,
                  const std::shared_ptr<ErrorObject>& oError, const QString& operation,
                  const QString& procedure, const std::function<void(StoredProcedureCall&)>& setInputs,
                  const std::function<void(const StoredProcedureCall&)>& readRow);
