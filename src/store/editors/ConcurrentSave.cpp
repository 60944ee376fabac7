#include "store/editors/ConcurrentSave.h"

#include "sdk/ChangeGuard.h"
#include "widgets/MsgBox.h"

namespace {

const QString Caption = QStringLiteral("Changed Meanwhile");

QString Thing(const QString& table) {
    static const std::pair<const char*, const char*> Things[] = {
        {"zev_store", "store"},
        {"zev_store_product", "product"},
        {"zev_store_product_item", "product item"},
        {"zev_store_product_item_sell", "up-sell or cross-sell link"},
        {"zev_store_product_group", "product group"},
        {"zev_store_list", "list"},
        {"zev_store_list_item", "list item"},
        {"zev_store_fee", "fee"},
        {"zev_store_pay_method", "pay method"},
        {"zev_store_screen", "screen"},
        {"zev_store_extendable", "extension item"},
        {"zev_store_extension", "extension item"},
    };
    for (const auto& [name, thing] : Things)
        if (table == QLatin1String(name))
            return QString::fromLatin1(thing);
    return QStringLiteral("record");
}

// A store's records are shown within the store, so its number is left off the key.
QString Key(const ChangedMeanwhile& change) {
    if (change.table == QLatin1String("zev_store"))
        return change.key;
    return change.key.section(QLatin1Char('/'), 1);
}

// A deleted record is only told: saving it again would store it anew behind its deleter's back.
int32_t Ask(const ChangedMeanwhile& change) {
    if (change.deleted()) {
        MsgBox(ConcurrentSave::Message(change), MsgBoxStyle::OKOnly | MsgBoxStyle::Exclamation, Caption);
        return MsgBoxResult::Cancel;
    }
    const MsgBoxButtonNames names(QStringLiteral("Reload"), QStringLiteral("Save Over"));
    return MsgBox(ConcurrentSave::Message(change), MsgBoxStyle::YesNoCancel | MsgBoxStyle::Exclamation,
                  Caption);
}

} // namespace

QString ConcurrentSave::Message(const ChangedMeanwhile& change) {
    const QString what = Thing(change.table) + QLatin1Char(' ') + Key(change);
    if (change.deleted())
        return QStringLiteral("%1 deleted the %2 on %3, after you opened it, so your changes to it were not "
                              "saved.")
            .arg(change.changedBy, what, change.changedAt);
    return QStringLiteral(
               "%1 changed the %2 on %3, after you opened it.\n\n"
               "Reload shows their version and drops your changes here. Save Over saves yours in its "
               "place; theirs stays in the change history. Cancel goes back to your changes.")
        .arg(change.changedBy, what, change.changedAt);
}

bool ConcurrentSave::Run(EditBaseline& baseline, const std::shared_ptr<DBConnection>& db, const Write& write,
                         const Reload& reload) {
    bool saved = false;
    try {
        saved = baseline.Guarded(db, write);
    } catch (const ChangedMeanwhile& change) {
        // Yes reloads, No saves over, Cancel keeps the user's changes unsaved.
        switch (Ask(change)) {
        case MsgBoxResult::Yes:
            baseline.Refresh(db);
            reload();
            return false;
        case MsgBoxResult::No:
            saved = write();
            break;
        default:
            return false;
        }
    }
    if (saved)
        baseline.Refresh(db);
    return saved;
}
