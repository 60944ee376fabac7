#include "database/SqlConnection.h"

#include "database/ChangeHistory.h"
#include "database/DriverError.h"
#include "database/NativeSession.h"
#include "database/PostgresRowCursor.h"
#include "database/ProcedureContext.h"
#include "database/QtRowCursor.h"
#include "database/Schema.h"
#include "database/SqlCommand.h"
#include "database/SqlRecordset.h"
#include "database/SqliteRowCursor.h"
#include "database/Transaction.h"

std::shared_ptr<SqlConnection> SqlConnection::Open(const QString& target, const QString& user) {
    auto session = SqlSession::Open(target);
    Schema::Prepare(*session);
    // On a server the person is the login it let in, whatever name the client offers.
    const QString signedIn = session->backend() == Backend::PostgreSQL
                                 ? session->scalar(QStringLiteral("SELECT session_user")).toString()
                                 : user;
    return std::make_shared<SqlConnection>(std::move(session), signedIn);
}

SqlConnection::SqlConnection(std::shared_ptr<SqlSession> session, QString user,
                             const ProcedureCatalog& catalog)
    : m_session(std::move(session)), m_user(std::move(user)), m_catalog(catalog),
      m_native(std::make_shared<NativeSession>(m_session)) {
    // The change history names this person for what this connection changes.
    m_session->setUser(m_user);
}

std::shared_ptr<Command> SqlConnection::CreateCommand(int16_t) {
    return std::make_shared<SqlCommand>(m_catalog);
}

std::shared_ptr<Recordset> SqlConnection::runProcedure(const std::shared_ptr<Command>& command,
                                                       bool wantRows) {
    auto sqlCommand = std::dynamic_pointer_cast<SqlCommand>(command);
    if (!sqlCommand)
        throw ObjectVariableNotSet();
    if (sqlCommand->CommandType() != Command::StoredProcedure)
        return OpenRecordset(sqlCommand->CommandText(), 0);
    const ProcedureDefinition* definition = m_catalog.find(sqlCommand->CommandText());
    if (!definition)
        throw RuntimeError(
            ErrorNumbers::ProcedureNotFound,
            QStringLiteral("Could not find stored procedure '%1'.").arg(sqlCommand->CommandText()));

    const auto declared = [&](const std::shared_ptr<SqlParameter>& parameter) -> const ParameterDeclaration* {
        for (const auto& declaration : definition->parameters)
            if (declaration.name.compare(parameter->declaration().name, Qt::CaseInsensitive) == 0)
                return &declaration;
        return nullptr;
    };
    // The values as set by name; a parameter list never refreshed leaves every input unset.
    std::vector<Variant> values(definition->parameters.size());
    for (const auto& parameter : sqlCommand->sqlParameters()->list())
        if (const ParameterDeclaration* declaration = declared(parameter);
            declaration && (declaration->direction == ParameterDirection::Input ||
                            declaration->direction == ParameterDirection::InputOutput))
            values[size_t(declaration - definition->parameters.data())] = parameter->Value();
    values[0] = Variant(int32_t(0));

    ProcedureContext context(*m_session, *definition, values, m_user);
    {
        Transaction transaction(*m_session, !definition->readOnly);
        std::optional<ConflictCheck> conflicts;
        if (!m_guard.seen.isEmpty() && !definition->readOnly)
            conflicts.emplace(*m_session, m_guard);
        definition->body(context);
        if (conflicts)
            conflicts->verify(context.refused());
        if (!context.refused()) {
            if (!definition->readOnly)
                keepHistoryIndexed();
            transaction.commit();
        }
    }

    for (const auto& parameter : sqlCommand->sqlParameters()->list())
        if (const ParameterDeclaration* declaration = declared(parameter);
            declaration && declaration->direction != ParameterDirection::Input) {
            const Variant& out = values[size_t(declaration - definition->parameters.data())];
            parameter->setValue(out.isEmpty() ? Variant::Null() : out);
        }

    if (!wantRows || !context.hasResult())
        return std::make_shared<SqlRecordset>(std::make_shared<RowCursor>());
    return std::make_shared<SqlRecordset>(openRows(context.resultSql(), context.resultValues()));
}

void SqlConnection::keepHistoryIndexed() {
    if (m_session->backend() != Backend::SQLite || m_savesUntilIndexed-- > 0)
        return;
    ChangeHistory::IndexRecent(*m_session);
    m_savesUntilIndexed = 63;
}

std::shared_ptr<RowCursor> SqlConnection::openRows(const QString& sql, const QVariantList& values) {
    if (sqlite3* handle = SqliteRowCursor::Handle(*m_session))
        return std::make_shared<SqliteRowCursor>(m_session, handle, sql, values);
    if (PostgresRowCursor::Fits(*m_session, sql, values))
        return std::make_shared<PostgresRowCursor>(m_session, sql, values);
    return std::make_shared<QtRowCursor>(m_session, m_session->run(sql, values));
}

std::shared_ptr<Recordset> SqlConnection::ExecuteRecordset(const std::shared_ptr<Command>& command,
                                                           int16_t& failed, int16_t) {
    // Output parameters are set before the rows are opened, so they are readable at once either way.
    failed = -1;
    auto rows = runProcedure(command, true);
    failed = 0;
    return rows;
}

void SqlConnection::ExecuteCommand(const std::shared_ptr<Command>& command, int16_t, int16_t& succeeded) {
    succeeded = 0;
    runProcedure(command, false);
    succeeded = -1;
}

QString SqlConnection::ChangesSeen() {
    return ConflictCheck::Seen(*m_session);
}

std::shared_ptr<Recordset> SqlConnection::OpenRecordset(const QString& sql, int16_t) {
    return std::make_shared<SqlRecordset>(openRows(sql, {}));
}
