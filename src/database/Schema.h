#pragma once

#include "database/SqlSession.h"

// The host database's tables. The schema carries its version in zev_schema_version; Prepare creates a
// new database and upgrades an older one in place, one step at a time, each step in its own transaction.
namespace Schema {

constexpr int CurrentVersion = 7;

// Creates or upgrades to the current version. Raises when the database is newer than this program.
void Prepare(SqlSession& session);
// Creates or upgrades up to the given version (older versions are for upgrade tests).
void UpgradeTo(SqlSession& session, int version);
// 0 for a database without the version table.
int Version(SqlSession& session);
// Every table, parents before children.
QStringList Tables();

// The change history: one row per insert, update and delete of a kept table, written by the database's
// triggers in the changing transaction. record_key is the key columns' values joined by "/"; old_values and
// new_values are JSON objects of the columns that changed (all of them for an insert or a delete).
inline const QString History = QStringLiteral("zev_change_history");
// The tables whose changes the history keeps: the store tables, users and rights.
QStringList HistoryTables();
// A kept table's key columns, in the order record_key joins them; empty for any other table.
QStringList HistoryKey(const QString& table);

// What a table lets the group roles of a PostgreSQL database do.
enum class Access {
    // Users and rights: each login reads its own rows; only the administering login writes.
    Directory,
    // The schema's version: readable by every login, so that any of them can open the database.
    Version,
    // Read and written by STORE and STOREADMIN.
    StoreData,
    // Read by STORE and STOREADMIN; the register's status is written when a register is installed.
    HostData,
    // Orders: their cart data in full only with STORE_VIEW_CARD, otherwise through MaskedCarts.
    Carts,
    // The change history: read by STORE and STOREADMIN, written by the triggers alone.
    History,
};
Access AccessOf(const QString& table);

// Every order with every card number of its cart but the last four digits as X, for the logins that may
// not see card numbers; owned by the administering login.
inline const QString MaskedCarts = QStringLiteral("zev_shopping_cart_masked");

// The group roles of a PostgreSQL database. Role names are shared by the whole server, so they carry the
// database's name, and the schema's when it is not "public".
struct GroupRoles {
    QString users; // every ZevStore user
    QString store;
    QString storeAdmin;
    QString viewCard;
    // The group role of a right; empty for an unknown right.
    QString ofRight(const QString& right) const;
    QStringList all() const { return {users, store, storeAdmin, viewCard}; }
};
GroupRoles Groups(SqlSession& session);
// The group roles exist: the database keeps a login per person.
bool HasGroups(SqlSession& session);
// PostgreSQL: creates the missing group roles and grants the tables to them as AccessOf says, and the
// masked orders; what it changed, for a person (nothing when all was there). Needs a login that owns the
// tables and may create roles. SQLite: nothing, the file's permissions guard it.
QStringList Secure(SqlSession& session);
// A name quoted for PostgreSQL.
QString Quoted(const QString& name);

} // namespace Schema
