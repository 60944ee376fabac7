#pragma once

#include "database/SqlSession.h"

// Runs a procedure body in one transaction: commit() makes it stick, leaving the scope without it (a
// refusal that changed nothing, or a raised error) rolls everything back.
class Transaction {
public:
    // A reading transaction sees one state of the database without blocking other writers' queue.
    explicit Transaction(SqlSession& session, bool write = true);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();

private:
    SqlSession& m_session;
    bool m_done = false;
};
