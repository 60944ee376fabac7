#pragma once

#include "sdk/DBConnection.h"

#include <QString>
#include <memory>

// Which changes the database held when a record was read, so that saving it cannot write over a change
// someone else made since without the user seeing it. A record never read (a new one) has none.
class EditBaseline {
public:
    // Notes the database's changes and the record (its table and its key columns joined by "/"); called
    // before the record is read, so nothing read is newer.
    void Seen(const std::shared_ptr<DBConnection>& db, const QString& table, const QString& key);
    // Notes the changes again, after the record was saved or read anew.
    void Refresh(const std::shared_ptr<DBConnection>& db);

    // Runs a save with the connection refusing to write over newer changes (ChangedMeanwhile); the guard is
    // lifted on every path. Without a baseline or a guarding connection the save simply runs.
    template <typename Write> bool Guarded(const std::shared_ptr<DBConnection>& db, Write&& write) const {
        const Scope scope(db, *this);
        return write();
    }

private:
    class Scope {
    public:
        Scope(const std::shared_ptr<DBConnection>& db, const EditBaseline& baseline);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        std::shared_ptr<DBConnection> m_db;
    };

    QString m_seen;
    QString m_table;
    QString m_key;
};
