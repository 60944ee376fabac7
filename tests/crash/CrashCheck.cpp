#include "CrashCheck.h"

#include "database/HostRights.h"
#include "database/Schema.h"
#include "sdk/RuntimeError.h"

#include <QMap>
#include <QSqlRecord>

namespace {

// Each table's columns the saves set, read for the test's stores.
const char* const StoreTables[][2] = {
    {"zev_store", "store_no, description, register_id, register_installed"},
    {"zev_store_product_group", "store_no, product_group_no, description"},
    {"zev_store_fee", "store_no, fee_id"},
    {"zev_store_pay_method", "store_no, pay_method_id"},
    {"zev_store_screen", "store_no, screen_id, screen_title"},
    {"zev_store_list", "store_no, list_id, description"},
    {"zev_store_product", "store_no, product_no, product_name, product_group_no"},
    {"zev_store_product_item", "store_no, product_no, seq_no, product_item_name"},
    {"zev_store_product_item_sell", "store_no, product_no, seq_no, new_product_no, new_seq_no, sell_code"},
    {"zev_store_list_item", "store_no, list_id, seq_no, product_no, product_item_seq_no"},
};

// Every foreign key of the schema as a query counting the rows whose parent is missing.
const char* const ForeignKeys = R"(SELECT cl.relname, pl.relname,
    (SELECT string_agg('c.' || a.attname || ' IS NOT NULL', ' AND ') FROM unnest(con.conkey) k(att)
        JOIN pg_attribute a ON a.attrelid = con.conrelid AND a.attnum = k.att),
    (SELECT string_agg('p.' || pa.attname || ' = c.' || ca.attname, ' AND ')
        FROM unnest(con.conkey, con.confkey) k(catt, patt)
        JOIN pg_attribute ca ON ca.attrelid = con.conrelid AND ca.attnum = k.catt
        JOIN pg_attribute pa ON pa.attrelid = con.confrelid AND pa.attnum = k.patt)
    FROM pg_constraint con JOIN pg_class cl ON cl.oid = con.conrelid JOIN pg_class pl ON pl.oid = con.confrelid
    JOIN pg_namespace n ON n.oid = cl.relnamespace WHERE con.contype = 'f' AND n.nspname = current_schema())";

QString Cell(const QVariant& value) {
    return value.isNull() ? QStringLiteral("NULL") : value.toString();
}

} // namespace

QStringList CrashCheck::health() {
    return m_session.backend() == Backend::SQLite ? sqliteHealth() : serverHealth();
}

QStringList CrashCheck::sqliteHealth() {
    QStringList problems;
    for (QSqlQuery rows = m_session.run(QStringLiteral("PRAGMA integrity_check")); rows.next();)
        if (rows.value(0).toString() != QLatin1String("ok"))
            problems << QStringLiteral("integrity: ") + rows.value(0).toString();
    for (QSqlQuery rows = m_session.run(QStringLiteral("PRAGMA foreign_key_check")); rows.next();)
        problems << QStringLiteral("foreign key: %1 row %2 has no %3")
                        .arg(rows.value(0).toString(), rows.value(1).toString(), rows.value(2).toString());
    return problems;
}

QStringList CrashCheck::serverHealth() {
    QStringList problems;
    m_amcheck =
        m_session.scalar(QStringLiteral("SELECT 1 FROM pg_extension WHERE extname = 'amcheck'")).isValid();
    if (m_amcheck) {
        QStringList indexes;
        for (QSqlQuery rows = m_session.run(QStringLiteral(
                 "SELECT c.oid::regclass::text FROM pg_index i JOIN pg_class c ON c.oid = i.indexrelid JOIN "
                 "pg_namespace n ON n.oid = c.relnamespace JOIN pg_am a ON a.oid = c.relam WHERE n.nspname = "
                 "current_schema() AND a.amname = 'btree'"));
             rows.next();)
            indexes << rows.value(0).toString();
        for (const QString& index : indexes)
            try {
                m_session.run(QStringLiteral("SELECT bt_index_check(?::regclass, true)"), {index});
            } catch (const RuntimeError& error) {
                problems << QStringLiteral("index %1: %2").arg(index, error.description);
            }
    }
    QStringList orphans;
    for (QSqlQuery keys = m_session.run(QString::fromLatin1(ForeignKeys)); keys.next();)
        orphans << QStringLiteral(
                       "SELECT '%1 -> %2', COUNT(*) FROM %1 c WHERE %3 AND NOT EXISTS (SELECT 1 FROM "
                       "%2 p WHERE %4)")
                       .arg(keys.value(0).toString(), keys.value(1).toString(), keys.value(2).toString(),
                            keys.value(3).toString());
    for (QSqlQuery rows = m_session.run(orphans.join(QStringLiteral(" UNION ALL "))); rows.next();)
        if (rows.value(1).toInt() != 0)
            problems << QStringLiteral("foreign key %1: %2 rows without a parent")
                            .arg(rows.value(0).toString(), rows.value(1).toString());
    return problems;
}

std::set<QString> CrashCheck::rows(int firstStore, int historyFrom) {
    std::set<QString> rows;
    for (const auto& [table, columns] : StoreTables)
        addRows(rows, QString::fromLatin1(table),
                QStringLiteral("SELECT %1 FROM %2 WHERE store_no >= ?").arg(columns, table), {firstStore});
    const QString users = m_users + u'%';
    addRows(rows, QStringLiteral("zev_user"),
            QStringLiteral("SELECT user_id, full_name FROM zev_user WHERE user_id LIKE ?"), {users});
    addRows(rows, QStringLiteral("zev_user_right"),
            QStringLiteral("SELECT user_id, right_id FROM zev_user_right WHERE user_id LIKE ?"), {users});
    addRows(rows, QStringLiteral("zev_register"),
            QStringLiteral("SELECT register_id, status_id FROM zev_register WHERE register_id = 'WEB01'"),
            {});
    addHistory(rows, historyFrom);
    if (m_session.backend() == Backend::PostgreSQL)
        addLogins(rows);
    return rows;
}

void CrashCheck::prune(int historyFrom) {
    m_session.run(QStringLiteral("DELETE FROM zev_change_history WHERE store_no IS NULL OR store_no < ?"),
                  {historyFrom});
}

void CrashCheck::addRows(std::set<QString>& rows, const QString& label, const QString& sql,
                         const QVariantList& values) {
    for (QSqlQuery query = m_session.run(sql, values); query.next();) {
        QStringList cells{label};
        for (int c = 0; c < query.record().count(); ++c)
            cells << Cell(query.value(c));
        rows.insert(cells.join(u'|'));
    }
}

void CrashCheck::addHistory(std::set<QString>& rows, int historyFrom) {
    QMap<QString, QStringList> actions;
    for (QSqlQuery query = m_session.run(
             QStringLiteral(
                 "SELECT store_no, action FROM zev_change_history WHERE table_name = 'zev_store' AND "
                 "store_no >= ? ORDER BY history_no"),
             {historyFrom});
         query.next();)
        actions[query.value(0).toString()] << query.value(1).toString();
    for (auto it = actions.cbegin(); it != actions.cend(); ++it)
        rows.insert(QStringLiteral("history|%1|%2").arg(it.key(), it.value().join(u',')));
}

void CrashCheck::addLogins(std::set<QString>& rows) {
    // The group roles by the right they stand for.
    const Schema::GroupRoles groups = Schema::Groups(m_session);
    const QMap<QString, QString> rights{{groups.users, QStringLiteral("USERS")},
                                        {groups.store, HostRights::Store},
                                        {groups.storeAdmin, HostRights::StoreAdmin},
                                        {groups.viewCard, HostRights::ViewCardNumbers}};
    QMap<QString, QStringList> logins;
    for (QSqlQuery query = m_session.run(
             QStringLiteral(
                 "SELECT u.rolname, g.rolname FROM pg_roles u LEFT JOIN pg_auth_members m ON "
                 "m.member = u.oid LEFT JOIN pg_roles g ON g.oid = m.roleid WHERE u.rolname LIKE ?"),
             {m_users + u'%'});
         query.next();) {
        QStringList& held = logins[query.value(0).toString()];
        if (!query.value(1).isNull())
            held << rights.value(query.value(1).toString(), query.value(1).toString());
    }
    for (auto it = logins.begin(); it != logins.end(); ++it) {
        it.value().sort();
        rows.insert(QStringLiteral("login|%1|%2").arg(it.key(), it.value().join(u',')));
    }
}
