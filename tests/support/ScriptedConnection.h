#pragma once

#include "sdk/DBConnection.h"
#include "sdk/RuntimeError.h"

#include <QStringList>
#include <deque>
#include <map>
#include <optional>
#include <utility>
#include <vector>

using Row = std::vector<std::pair<QString, Variant>>;

// What one run of a procedure (or plain query) hands back.
struct ScriptedResult {
    std::vector<Row> rows;
    std::vector<std::pair<QString, Variant>> outputs; // "@RETURN_VALUE" and output parameters
    bool failed = false;                              // ExecuteRecordset's failed flag
    bool succeeded = true;                            // ExecuteCommand's succeeded flag
    std::optional<RuntimeError> raised;               // raised by the run itself
};

// Builds the next result of a procedure: conn.script("ZEV_SP_X").row({{"a", 1}}).returns(0);
class ProcedureScript {
public:
    explicit ProcedureScript(ScriptedResult& result) : r(result) {}
    ProcedureScript& row(Row columns) { return r.rows.push_back(std::move(columns)), *this; }
    ProcedureScript& output(const QString& name, const Variant& value) {
        return r.outputs.emplace_back(name, value), *this;
    }
    ProcedureScript& returns(const Variant& value) { return output(QStringLiteral("@RETURN_VALUE"), value); }
    ProcedureScript& failed() { return r.failed = true, *this; }
    ProcedureScript& notSucceeded() { return r.succeeded = false, *this; }
    ProcedureScript& raises(int32_t number, const QString& text) {
        return r.raised = RuntimeError(number, text), *this;
    }

private:
    ScriptedResult& r;
};

// One call as the connection saw it.
struct RecordedCall {
    enum class Kind { Rows, Command, Query };

    QString procedure; // or the SQL text of a plain query
    Kind kind = Kind::Command;
    std::vector<std::pair<QString, Variant>> sets; // every value set, in the order set

    // The last value set for the parameter; nullopt when it was never given one.
    std::optional<Variant> value(const QString& name) const;
    // Parameter names in the order they were first set.
    QStringList names() const;
};

// A DBConnection for unit tests: the host database's procedures with their parameters, scripted results,
// and a record of every call.
class ScriptedConnection : public DBConnection {
public:
    // Declares a procedure the host database does not have, or another parameter list for one it has;
    // "@RETURN_VALUE" comes first on its own.
    void declare(const QString& procedure, const QStringList& parameters);
    // When false only declared procedures exist: every other call raises "Could not find stored procedure".
    bool hostProcedures = true;
    // Queues a result for the procedure's next run. Runs without a queued result succeed with no rows and 0.
    ProcedureScript script(const QString& procedure);
    // Queues a result for the next plain query whose text contains sqlPart.
    ProcedureScript scriptQuery(const QString& sqlPart);

    const std::vector<RecordedCall>& calls() const { return m_calls; }
    const RecordedCall& lastCall() const;
    // Calls of one procedure, in order.
    std::vector<RecordedCall> callsOf(const QString& procedure) const;

    // Commands and record sets still referenced by anyone but the connection.
    int liveObjects() const;
    // Record sets handed out and never closed.
    int recordsetsNotClosed() const;

    QString currentUser = QStringLiteral("tester");

    std::shared_ptr<Command> CreateCommand(int16_t flag) override;
    std::shared_ptr<Recordset> ExecuteRecordset(const std::shared_ptr<Command>& command, int16_t& failed,
                                                int16_t option) override;
    void ExecuteCommand(const std::shared_ptr<Command>& command, int16_t flag, int16_t& succeeded) override;
    std::shared_ptr<Recordset> OpenRecordset(const QString& sql, int16_t flag) override;
    QString CurrentUser() const override { return currentUser; }
    std::shared_ptr<Object> NativeConnection() const override { return m_native; }

    // Used by the scripted command.
    const QStringList* declaredParameters(const QString& procedure) const;

private:
    ScriptedResult takeResult(const QString& key, std::map<QString, std::deque<ScriptedResult>>& queues);
    ScriptedResult run(const std::shared_ptr<Command>& command, RecordedCall::Kind kind);
    std::shared_ptr<Recordset> makeRows(const ScriptedResult& result);

    mutable std::map<QString, QStringList> m_declared;       // by lower-case name
    std::map<QString, std::deque<ScriptedResult>> m_results; // by lower-case name
    std::map<QString, std::deque<ScriptedResult>> m_queries; // by SQL part
    std::vector<RecordedCall> m_calls;
    std::vector<std::weak_ptr<Object>> m_handedOut;
    std::vector<std::shared_ptr<bool>> m_closedFlags;
    std::shared_ptr<Object> m_native = std::make_shared<Object>();
};
