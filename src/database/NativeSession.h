#pragma once

#include "database/SqlSession.h"
#include "sdk/Object.h"

// The connection underneath, as the host hands it to error reports.
class NativeSession : public Object {
public:
    explicit NativeSession(std::shared_ptr<SqlSession> session) : m_session(std::move(session)) {}
    const std::shared_ptr<SqlSession>& session() const { return m_session; }

private:
    std::shared_ptr<SqlSession> m_session;
};
