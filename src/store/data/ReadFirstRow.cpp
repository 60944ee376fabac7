#include "store/data/ReadFirstRow.h"

bool ReadFirstRow(ErrorState& errors, const std::shared_ptr<DBConnection>& oDB,
                  const std::shared_ptr<ErrorObject>& oError, const QString& operation,
                  const QString& procedure, const std::function<void(StoredProcedureCall&)>& setInputs,
                  const std::function<void(const StoredProcedureCall&)>& readRow) {
    return errors.Guard(oError, operation, [&] {
        if (!oDB)
            return false;
        StoredProcedureCall call(oDB, procedure);
        setInputs(call);
        if (!call.openRows() || call.atEnd())
            return false;
        readRow(call);
        return true;
    });
}
