#pragma once

#include "database/ConflictCheck.h"
#include "database/ProcedureCatalog.h"
#include "database/RowCursor.h"
#include "database/SqlSession.h"
#include "sdk/ChangeGuard.h"
#include "sdk/DBConnection.h"

// The host's database connection over Qt SQL: runs the catalog's procedures in one transaction each and
// plain queries as SQL, and streams their rows. Every failure is raised as a RuntimeError; a failed call
// leaves nothing written. A guarded write that would overwrite someone else's newer change is refused whole.
class SqlConnection : public DBConnection, public ChangeGuard {
public:
    // Opens a SQLite file (created when missing) or a "postgresql://" URL, creating or upgrading the
    // schema. On a SQLite file it signs in as user; on PostgreSQL as the login the connection was made with
    // (session_user), and user is not used.
    static std::shared_ptr<SqlConnection> Open(const QString& target, const QString& user);
    SqlConnection(std::shared_ptr<SqlSession> session, QString user,
                  const ProcedureCatalog& catalog = ProcedureCatalog::Standard());

    std::shared_ptr<Command> CreateCommand(int16_t flag) override;
    std::shared_ptr<Recordset> ExecuteRecordset(const std::shared_ptr<Command>& command, int16_t& failed,
                                                int16_t option) override;
    void ExecuteCommand(const std::shared_ptr<Command>& command, int16_t flag, int16_t& succeeded) override;
    std::shared_ptr<Recordset> OpenRecordset(const QString& sql, int16_t flag) override;
    QString CurrentUser() const override { return m_user; }
    std::shared_ptr<Object> NativeConnection() const override { return m_native; }
    QString ChangesSeen() override;
    void GuardWritesSince(const QString& seen, const QString& table, const QString& key) override {
        m_guard = {seen, table, key};
    }

    const std::shared_ptr<SqlSession>& session() const { return m_session; }
    Backend backend() const { return m_session->backend(); }

private:
    // Streams a query's rows.
    std::shared_ptr<RowCursor> openRows(const QString& sql, const QVariantList& values);
    // Runs a procedure command; returns its rows (closed when the procedure hands back none).
    std::shared_ptr<Recordset> runProcedure(const std::shared_ptr<Command>& command, bool wantRows);
    // SQLite: the record index of the history catches up on this connection's first save and every 64th.
    void keepHistoryIndexed();

    std::shared_ptr<SqlSession> m_session;
    QString m_user;
    const ProcedureCatalog& m_catalog;
    std::shared_ptr<Object> m_native;
    ConflictCheck::Guard m_guard;
    int m_savesUntilIndexed = 0;
};
