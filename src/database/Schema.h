#pragma once

#include "database/SqlSession.h"

// The host database's tables. The schema carries its version in zev_schema_version; Prepare creates a
// new database and upgrades an older one in place, one step at a time, each step in its own transaction.
namespace Schema {

constexpr int CurrentVersion = 3;

// Creates or upgrades to the current version. Raises when the database is newer than this program.
void Prepare(SqlSession& session);
// Creates or upgrades up to the given version (older versions are for upgrade tests).
void UpgradeTo(SqlSession& session, int version);
// 0 for a database without the version table.
int Version(SqlSession& session);
// Every table, parents before children.
QStringList Tables();

} // namespace Schema
