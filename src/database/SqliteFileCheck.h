#pragma once

#include <QString>

// Looks into an existing SQLite file, read-only, before ZevStore opens it as its own: another program's
// database must not silently receive ZevStore's tables.
class SqliteFileCheck {
public:
    // Empty when the file is a ZevStore database or holds no tables yet; otherwise the one sentence that says
    // what the file holds and how to add ZevStore's tables to it on purpose.
    static QString Refusal(const QString& path);
};
