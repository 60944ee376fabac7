#pragma once

#include "sdk/DBConnection.h"
#include "store/data/SuccessTest.h"

#include <QString>
#include <memory>

// One call of a stored procedure over the host's connection: create the command, name the procedure, let the
// provider describe its parameters, set inputs by name, run for rows or for status, read columns and outputs.
// The destructor closes the rows and releases the command on every path, ignoring errors.
// Everything else raises RuntimeError, which the operation's ErrorState turns into a report.
class StoredProcedureCall {
public:
    StoredProcedureCall(const std::shared_ptr<DBConnection>& db, const QString& procedure);
    ~StoredProcedureCall();
    StoredProcedureCall(const StoredProcedureCall&) = delete;
    StoredProcedureCall& operator=(const StoredProcedureCall&) = delete;

    StoredProcedureCall& set(const QString& name, const Variant& value);
    // Null for an empty text, the text otherwise.
    StoredProcedureCall& setNullIfEmpty(const QString& name, const QString& value);
    // Null for 0, the number otherwise.
    StoredProcedureCall& setNullIfZero(const QString& name, int32_t value);
    StoredProcedureCall& setNullIfZero(const QString& name, double value);
    // Flags as 16-bit integers: prompts go out as 1/0, active and register flags as -1/0.
    StoredProcedureCall& setOneOrZero(const QString& name, bool value);
    StoredProcedureCall& setMinusOneOrZero(const QString& name, bool value);

    // Runs for rows; false when the connection reports the call failed (nothing may be read then).
    // With outputsFirst the output parameters are readable while the rows are open.
    bool openRows(bool outputsFirst = false);
    // Runs for the return status; false when the call did not complete (nothing may be read then).
    bool run();

    bool atEnd() const;
    void next();
    const std::shared_ptr<Recordset>& rows() const { return m_rows; }
    Variant column(const QString& name) const;
    // Column readers of the current row: texts are value & empty text; numbers and flags go through
    // NullToZero.
    QString readText(const QString& name) const;
    int32_t readLong(const QString& name) const;
    int16_t readInteger(const QString& name) const;
    double readDouble(const QString& name) const;
    bool readBool(const QString& name) const;

    Variant output(const QString& name) const;
    // Output readers with the same null rules as the column readers.
    QString outputText(const QString& name) const;
    int32_t outputLong(const QString& name) const;
    bool outputBool(const QString& name) const;
    Variant returnValue() const;
    // Applies the success test to "@RETURN_VALUE"; when refused shows the procedure's message (the parameter
    // messageParameter, "@message" or "@Message") in an information box with the operation's caption.
    bool accepted(SuccessTest test, const QString& messageParameter, const QString& caption) const;
    // run() followed by accepted(): false, silently, when the call did not complete.
    bool runAccepted(SuccessTest test, const QString& messageParameter, const QString& caption);

private:
    std::shared_ptr<DBConnection> m_db;
    std::shared_ptr<Command> m_command;
    std::shared_ptr<Recordset> m_rows;
};
