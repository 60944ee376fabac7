#pragma once

#include "sdk/DBConnection.h"
#include "store/data/EditBaseline.h"

#include <QString>
#include <functional>
#include <memory>

struct ChangedMeanwhile;

// Saves an opened record without writing over someone else's newer change unseen. When another person
// changed or deleted it after it was read, nothing is written and the user chooses: reload their version,
// save over it (theirs stays in the change history), or go back to editing.
class ConcurrentSave {
public:
    using Write = std::function<bool()>;
    using Reload = std::function<void()>;

    // True when the save went ahead and succeeded; the baseline then moves to what was saved.
    static bool Run(EditBaseline& baseline, const std::shared_ptr<DBConnection>& db, const Write& write,
                    const Reload& reload);

    // The message for the user: who, what and when, and what each answer does.
    static QString Message(const ChangedMeanwhile& change);
};
