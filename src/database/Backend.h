#pragma once

#include <QString>

// The two database servers the host runs on: one SQLite file, or a PostgreSQL server.
enum class Backend { SQLite, PostgreSQL };

inline QString BackendName(Backend backend) {
    return backend == Backend::SQLite ? QStringLiteral("sqlite") : QStringLiteral("postgresql");
}
