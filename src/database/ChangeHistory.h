#pragma once

#include "database/SqlSession.h"

#include <QDate>

// The change history the database's triggers keep (Schema::History), kept small.
class ChangeHistory {
public:
    // Removes every change made before the day, in one transaction; how many. PostgreSQL: the owner of the
    // tables only.
    static int Prune(SqlSession& session, const QDate& before);
};
