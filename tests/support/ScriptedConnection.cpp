#include "support/ScriptedConnection.h"

#include "database/ProcedureCatalog.h"

#include <gtest/gtest.h>

namespace {

QString Key(const QString& name) {
    return name.toLower();
}

using Log = std::vector<std::pair<QString, Variant>>;

struct ScriptedParameter : Parameter {
    ScriptedParameter(QString name, Log& log) : name(std::move(name)), log(log) {}
    Variant Value() const override { return value; }
    void setValue(const Variant& set) override { log.emplace_back(name, value = set); }

    QString name;
    Variant value;
    Log& log;
};

struct ScriptedParameters : Parameters {
    explicit ScriptedParameters(const ScriptedConnection& connection) : connection(connection) {}
    void Refresh() override {
        const QStringList* declared = connection.declaredParameters(procedure);
        if (!declared)
            throw RuntimeError(2812, QStringLiteral("Could not find stored procedure '%1'.").arg(procedure));
        list.clear();
        for (const QString& name : QStringList{QStringLiteral("@RETURN_VALUE")} + *declared)
            list.push_back(std::make_shared<ScriptedParameter>(name, log));
    }
    std::shared_ptr<Parameter> Item(const QString& name) override { return find(name); }
    std::shared_ptr<ScriptedParameter> find(const QString& name) const {
        for (const auto& parameter : list)
            if (parameter->name.compare(name, Qt::CaseInsensitive) == 0)
                return parameter;
        throw ItemNotFound(name);
    }

    const ScriptedConnection& connection;
    QString procedure;
    std::vector<std::shared_ptr<ScriptedParameter>> list;
    Log log;
};

struct ScriptedCommand : Command {
    explicit ScriptedCommand(const ScriptedConnection& connection)
        : parameters(std::make_shared<ScriptedParameters>(connection)) {}
    QString CommandText() const override { return parameters->procedure; }
    void setCommandText(const QString& text) override { parameters->procedure = text; }
    int32_t CommandType() const override { return type; }
    void setCommandType(int32_t set) override { type = set; }
    std::shared_ptr<::Parameters> Parameters() override { return parameters; }

    int32_t type = 0;
    std::shared_ptr<ScriptedParameters> parameters;
};

// A plain column: long text is read by value, as the viewers' chunked reading is tested on its own.
class ScriptedField : public Field {
public:
    explicit ScriptedField(Variant value) : m_value(std::move(value)) {}
    Variant Value() const override { return m_value; }
    int32_t ActualSize() const override { return m_value.isNull() ? 0 : int32_t(m_value.toText().size()); }
    int32_t Attributes() const override { return 0; }
    Variant GetChunk(int32_t) override { return Variant::Null(); }

private:
    Variant m_value;
};

class ScriptedRecordset : public Recordset {
public:
    ScriptedRecordset(std::vector<Row> rows, std::shared_ptr<bool> closed)
        : m_rows(std::move(rows)), m_closed(std::move(closed)) {}
    bool Eof() const override { return current(false) >= m_rows.size(); }
    std::shared_ptr<Field> Fields(const QString& name) override {
        for (const auto& [column, value] : m_rows[current(true)])
            if (column.compare(name, Qt::CaseInsensitive) == 0)
                return std::make_shared<ScriptedField>(value);
        throw ItemNotFound(name);
    }
    void MoveNext() override { m_position = current(true) + 1; }
    int32_t State() const override { return *m_closed ? StateClosed : StateOpen; }
    void Close() override { *m_closed = true; }

private:
    // The current row, checked open and, when a row is needed, not past the end.
    size_t current(bool rowNeeded) const {
        if (*m_closed)
            throw RuntimeError(3704, QStringLiteral("Operation is not allowed when the object is closed."));
        if (rowNeeded && m_position >= m_rows.size())
            throw RuntimeError(3021, QStringLiteral("Either BOF or EOF is True."));
        return m_position;
    }

    std::vector<Row> m_rows;
    std::shared_ptr<bool> m_closed;
    size_t m_position = 0;
};

} // namespace

std::optional<Variant> RecordedCall::value(const QString& name) const {
    for (auto it = sets.rbegin(); it != sets.rend(); ++it)
        if (it->first.compare(name, Qt::CaseInsensitive) == 0)
            return it->second;
    return std::nullopt;
}

QStringList RecordedCall::names() const {
    QStringList names;
    for (const auto& set : sets)
        if (!names.contains(set.first, Qt::CaseInsensitive))
            names << set.first;
    return names;
}

void ScriptedConnection::declare(const QString& procedure, const QStringList& parameters) {
    m_declared[Key(procedure)] = parameters;
}

ProcedureScript ScriptedConnection::script(const QString& procedure) {
    return ProcedureScript(m_results[Key(procedure)].emplace_back());
}

ProcedureScript ScriptedConnection::scriptQuery(const QString& sqlPart) {
    return ProcedureScript(m_queries[sqlPart].emplace_back());
}

const RecordedCall& ScriptedConnection::lastCall() const {
    static const RecordedCall none;
    if (m_calls.empty()) {
        ADD_FAILURE() << "no call was made";
        return none;
    }
    return m_calls.back();
}

std::vector<RecordedCall> ScriptedConnection::callsOf(const QString& procedure) const {
    std::vector<RecordedCall> found;
    for (const auto& call : m_calls)
        if (call.procedure.compare(procedure, Qt::CaseInsensitive) == 0)
            found.push_back(call);
    return found;
}

int ScriptedConnection::liveObjects() const {
    return int(std::count_if(m_handedOut.begin(), m_handedOut.end(), [](auto& o) { return !o.expired(); }));
}

int ScriptedConnection::recordsetsNotClosed() const {
    return int(
        std::count_if(m_closedFlags.begin(), m_closedFlags.end(), [](auto& closed) { return !*closed; }));
}

const QStringList* ScriptedConnection::declaredParameters(const QString& procedure) const {
    auto it = m_declared.find(Key(procedure));
    if (it != m_declared.end())
        return &it->second;
    const ProcedureDefinition* hosted =
        hostProcedures ? ProcedureCatalog::Standard().find(procedure) : nullptr;
    if (!hosted)
        return nullptr;
    QStringList names;
    for (const ParameterDeclaration& parameter : hosted->parameters)
        if (parameter.direction != ParameterDirection::ReturnValue)
            names << parameter.name;
    return &(m_declared[Key(procedure)] = names);
}

std::shared_ptr<Command> ScriptedConnection::CreateCommand(int16_t) {
    auto command = std::make_shared<ScriptedCommand>(*this);
    m_handedOut.push_back(command);
    return command;
}

ScriptedResult ScriptedConnection::takeResult(const QString& key,
                                              std::map<QString, std::deque<ScriptedResult>>& queues) {
    auto it = queues.find(key);
    if (it == queues.end() || it->second.empty())
        return {};
    ScriptedResult result = std::move(it->second.front());
    it->second.pop_front();
    return result;
}

ScriptedResult ScriptedConnection::run(const std::shared_ptr<Command>& command, RecordedCall::Kind kind) {
    auto scripted = std::dynamic_pointer_cast<ScriptedCommand>(command);
    if (!scripted)
        throw ObjectVariableNotSet();
    const auto& parameters = scripted->parameters;
    m_calls.push_back({command->CommandText(), kind, parameters->log});
    ScriptedResult result = takeResult(Key(command->CommandText()), m_results);
    if (result.raised)
        throw *result.raised;
    if (!result.outputs.empty() || kind == RecordedCall::Kind::Command)
        parameters->find(QStringLiteral("@RETURN_VALUE"))->value = 0; // unless scripted otherwise
    for (const auto& [name, value] : result.outputs) {
        try {
            parameters->find(name)->value = value;
        } catch (const RuntimeError&) {
            ADD_FAILURE() << "scripted output " << name.toStdString() << " is not a declared parameter of "
                          << command->CommandText().toStdString();
        }
    }
    return result;
}

std::shared_ptr<Recordset> ScriptedConnection::makeRows(const ScriptedResult& result) {
    auto closed = std::make_shared<bool>(false);
    m_closedFlags.push_back(closed);
    auto rows = std::make_shared<ScriptedRecordset>(result.rows, closed);
    m_handedOut.push_back(rows);
    return rows;
}

std::shared_ptr<Recordset> ScriptedConnection::ExecuteRecordset(const std::shared_ptr<Command>& command,
                                                                int16_t& failed, int16_t) {
    const ScriptedResult result = run(command, RecordedCall::Kind::Rows);
    if (result.failed) {
        failed = -1;
        return nullptr;
    }
    return makeRows(result);
}

void ScriptedConnection::ExecuteCommand(const std::shared_ptr<Command>& command, int16_t,
                                        int16_t& succeeded) {
    const ScriptedResult result = run(command, RecordedCall::Kind::Command);
    succeeded = result.succeeded ? -1 : 0;
}

std::shared_ptr<Recordset> ScriptedConnection::OpenRecordset(const QString& sql, int16_t) {
    m_calls.push_back({sql, RecordedCall::Kind::Query, {}});
    for (auto& [part, queue] : m_queries) {
        if (sql.contains(part, Qt::CaseInsensitive) && !queue.empty()) {
            ScriptedResult result = std::move(queue.front());
            queue.pop_front();
            if (result.raised)
                throw *result.raised;
            return makeRows(result);
        }
    }
    return makeRows({});
}
