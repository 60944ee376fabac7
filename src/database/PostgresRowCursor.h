#pragma once

#include "database/RowCursor.h"
#include "database/SqlSession.h"
#include "sdk/RuntimeError.h"

#include <QSqlQuery>
#include <QVariantList>
#include <optional>

// Rows of a PostgreSQL query read through a server-side cursor in growing batches, so the first rows arrive
// before the server has produced the last. The cursor's read-only transaction lives while rows remain; any
// other statement on the session first has the rest read here, so it never meets an open transaction.
class PostgresRowCursor : public RowCursor {
public:
    // A query this way suits: a PostgreSQL session outside any transaction, and values whose text is their
    // meaning (numbers, text, nulls).
    static bool Fits(const SqlSession& session, const QString& sql, const QVariantList& values);

    PostgresRowCursor(std::shared_ptr<SqlSession> session, const QString& sql, const QVariantList& values);
    ~PostgresRowCursor() override { close(); }

protected:
    Variant read(int column) const override;
    bool fetch() override;
    void release() noexcept override;

private:
    void declare(const QString& sql, const QVariantList& values);
    // The next count rows (all that remain for 0), held on this side; the transaction ends with the last.
    QSqlQuery fetchRows(int count);
    void finish();
    void readRest() noexcept;

    std::shared_ptr<SqlSession> m_session;
    QSqlQuery m_rows;
    QSqlQuery m_rest;
    int m_batch;
    bool m_open = false;
    std::optional<RuntimeError> m_lost;
};
