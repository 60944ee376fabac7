#include "database/ChangeHistory.h"

#include "database/Schema.h"
#include "database/Transaction.h"

int ChangeHistory::Prune(SqlSession& session, const QDate& before) {
    Transaction transaction(session);
    // "yyyy-MM-dd HH:mm:ss" text sorts as the time it is; the day alone sorts before its first second.
    QSqlQuery removed =
        session.run(QStringLiteral("DELETE FROM %1 WHERE changed_at < ?").arg(Schema::History),
                    {before.toString(QStringLiteral("yyyy-MM-dd"))});
    const int count = removed.numRowsAffected();
    transaction.commit();
    return count;
}
