#pragma once

#include "sdk/Command.h"
#include "sdk/Recordset.h"

#include <QString>
#include <cstdint>
#include <memory>

// The host's database connection. Flags are 16-bit truth values: 0 false, any other value (-1) true.
class DBConnection : public Object {
public:
    // A fresh command already bound to this connection.
    virtual std::shared_ptr<Command> CreateCommand(int16_t flag) = 0;
    // Runs the command and returns its first result set on the first row. failed comes back true when the
    // call did not run; with option true the output parameters are readable at once, while the rows are still
    // open.
    virtual std::shared_ptr<Recordset> ExecuteRecordset(const std::shared_ptr<Command>& command,
                                                        int16_t& failed, int16_t option) = 0;
    // Runs the command for its effects; succeeded comes back true when the return value and outputs may be
    // read.
    virtual void ExecuteCommand(const std::shared_ptr<Command>& command, int16_t flag,
                                int16_t& succeeded) = 0;
    // Runs a plain query.
    virtual std::shared_ptr<Recordset> OpenRecordset(const QString& sql, int16_t flag) = 0;
    virtual QString CurrentUser() const = 0;
    virtual std::shared_ptr<Object> NativeConnection() const = 0;
};
