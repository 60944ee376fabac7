#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
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

    // The same for an opened record of the module (its Baseline, Update and Reopen); show puts the record
    // read anew into the editor.
    template <typename Record>
    static bool RunFor(Record& record, const std::shared_ptr<DBConnection>& db,
                       const std::shared_ptr<ErrorObject>& errors, const Reload& show) {
        return Run(
            record.Baseline, db, [&] { return record.Update(db, errors); },
            [&] {
                record.Reopen(db, errors);
                show();
            });
    }

    // The message for the user: who, what and when, and what each answer does.
    static QString Message(const ChangedMeanwhile& change);
};
