#pragma once

#include "database/RowCursor.h"
#include "database/SqlSession.h"

#include <QSqlQuery>

// Rows of a forward-only Qt SQL query, for what the streaming cursors do not take: on PostgreSQL the driver
// reads the whole result before the first row.
class QtRowCursor : public RowCursor {
public:
    QtRowCursor(std::shared_ptr<SqlSession> session, QSqlQuery query);
    ~QtRowCursor() override { close(); }

protected:
    Variant read(int column) const override;
    bool fetch() override;
    void release() noexcept override;

private:
    std::shared_ptr<SqlSession> m_session;
    QSqlQuery m_query;
};
