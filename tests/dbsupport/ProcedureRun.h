#pragma once

#include "sdk/DBConnection.h"

#include <QString>
#include <map>
#include <utility>
#include <vector>

// One call of a stored procedure with the values given, and everything it handed back, read the way the
// module reads it: every row's columns, every declared output, the return value and the message.
struct ProcedureRun {
    using Inputs = std::vector<std::pair<QString, Variant>>;
    using Columns = std::map<QString, Variant>; // by lower-case name

    // Runs for rows (ExecuteRecordset) or for status (ExecuteCommand).
    static ProcedureRun Rows(DBConnection& db, const QString& procedure, const Inputs& inputs = {});
    static ProcedureRun Command(DBConnection& db, const QString& procedure, const Inputs& inputs = {});

    std::vector<Columns> rows;
    bool rowsOpen = false; // the procedure handed back a result set (possibly empty)
    Variant returnValue;
    QString message;                    // "@message" or "@Message" as text
    std::map<QString, Variant> outputs; // every parameter after the call, by lower-case name

    Variant output(const QString& name) const;
    // The column of row i; fails the test when there is no such row or column.
    Variant at(size_t i, const QString& column) const;
};
