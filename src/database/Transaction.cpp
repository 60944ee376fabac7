#include "database/Transaction.h"

Transaction::Transaction(SqlSession& session, bool write) : m_session(session) {
    m_session.begin(write);
}

Transaction::~Transaction() {
    if (!m_done)
        m_session.rollback();
}

void Transaction::commit() {
    m_session.commit();
    m_done = true;
}
