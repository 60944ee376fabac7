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

    // "InsertProduct: store_no=1; product_name=Night": the procedure (ZEV_SP_STORE_ unless it names its own
    // prefix) and its inputs, each a whole number, a decimal, a yyyy-MM-dd date, NULL or a text.
    static std::pair<QString, Inputs> Parse(const QString& call);
    // Runs for rows (ExecuteRecordset) or for status (ExecuteCommand); inputs follow those of the call.
    static ProcedureRun Rows(DBConnection& db, const QString& call, const Inputs& inputs = {});
    static ProcedureRun Command(DBConnection& db, const QString& call, const Inputs& inputs = {});

    std::vector<Columns> rows;
    bool rowsOpen = false; // the procedure handed back a result set (possibly empty)
    Variant returnValue;
    QString message;                    // "@message" or "@Message" as text
    std::map<QString, Variant> outputs; // every parameter after the call, by lower-case name

    Variant output(const QString& name) const;
    // The column of row i; fails the test when there is no such row or column.
    Variant at(size_t i, const QString& column) const;
    // The columns of row i, or the outputs, named "a, b", as "text|text" with NULL for a null.
    std::string cells(size_t i, const QString& columns) const;
    std::string outputsOf(const QString& names) const;
};
