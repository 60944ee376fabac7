#include "database/Transaction.h"

Transaction::Transaction(SqlSession& session) : m_session(session) {
    m_session.begin();
}

Transaction::~Transaction() {
    if (!m_done)
        m_session.rollback();
}

void Transaction::commit() {
    m_session.commit();
    m_done = true;
}
