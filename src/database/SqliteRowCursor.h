#pragma once

#include "database/RowCursor.h"
#include "database/SqlSession.h"

#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// Rows of a SQLite query read straight from the connection's own handle, one step at a time: a million
// orders cost the engine's work and one conversion per value read, nothing more.
class SqliteRowCursor : public RowCursor {
public:
    // The session's native handle; nullptr when its driver does not hand one out.
    static sqlite3* Handle(const SqlSession& session);

    SqliteRowCursor(std::shared_ptr<SqlSession> session, sqlite3* handle, const QString& sql,
                    const QVariantList& values);
    ~SqliteRowCursor() override { close(); }

protected:
    Variant read(int column) const override;
    bool fetch() override;
    void release() noexcept override;

private:
    [[noreturn]] void fail(int code) const;

    std::shared_ptr<SqlSession> m_session;
    sqlite3* m_handle;
    sqlite3_stmt* m_statement = nullptr;
};
