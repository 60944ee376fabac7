#include "store/data/EditBaseline.h"

#include "sdk/ChangeGuard.h"

namespace {

ChangeGuard* GuardOf(const std::shared_ptr<DBConnection>& db) {
    return dynamic_cast<ChangeGuard*>(db.get());
}

} // namespace

void EditBaseline::Seen(const std::shared_ptr<DBConnection>& db, const QString& table, const QString& key) {
    m_table = table;
    m_key = key;
    Refresh(db);
}

void EditBaseline::Refresh(const std::shared_ptr<DBConnection>& db) {
    m_seen.clear();
    if (ChangeGuard* guard = GuardOf(db)) {
        try {
            m_seen = guard->ChangesSeen();
        } catch (const std::exception&) {
            // A history this login may not read guards nothing; the save goes ahead as it always did.
        }
    }
}

EditBaseline::Scope::Scope(const std::shared_ptr<DBConnection>& db, const EditBaseline& baseline) {
    if (ChangeGuard* guard = GuardOf(db); guard && !baseline.m_seen.isEmpty()) {
        guard->GuardWritesSince(baseline.m_seen, baseline.m_table, baseline.m_key);
        m_db = db;
    }
}

EditBaseline::Scope::~Scope() {
    if (ChangeGuard* guard = GuardOf(m_db))
        guard->GuardWritesSince({}, {}, {});
}
