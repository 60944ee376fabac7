#include "CrashPlan.h"

#include "database/HostRights.h"
#include "database/UserAdmin.h"
#include "dbsupport/ProcedureRun.h"
#include "sdk/RuntimeError.h"

#include <algorithm>

namespace {

// Each step's procedure call: %1 the cycle's store, %2 the cycle, %3 the store of cycle k - 2. The users'
// steps (no call) go through the user administration.
const char* const Calls[CrashPlan::Steps] = {
    "UpdateStore: store_no=%1; description=Crash store %2; so_type=WEB",
    "InsertProductGroup: store_no=%1; product_group_no=1; description=Crash group %2",
    "UpdateStoreFee: store_no=%1; fee_id=BOOKING; fee_amount=2.5; item_no=6003",
    "UpdateStorePayMethod: store_no=%1; pay_method_id=VISA",
    "STORE_SCREEN_Insert: store_no=%1; screen_id=HOME; screen_title=Crash screen %2; screen_url=https://x/%2",
    "UpdateStoreList: store_no=%1; list_id=TOP; description=Crash list %2",
    "InstallRegister: store_no=%1; register_id=WEB01",
    "InsertProduct: store_no=%1; product_no=1; product_type=TICKET; product_name=Crash product %2; "
    "product_group_no=1",
    "InsertProductItem: store_no=%1; product_no=1; seq_no=1; product_item_name=Crash item %2.1; "
    "item_no=1004; "
    "price_no=109",
    "InsertProductItem: store_no=%1; product_no=1; seq_no=2; product_item_name=Crash item %2.2; "
    "item_no=1001; "
    "price_no=103",
    "UpdateProductItemSell: store_no=%1; product_no=1; seq_no=1; price_no=0; new_product_no=1; new_seq_no=2; "
    "new_price_no=0; sell_code=UPSELL; sell_text=Crash link %2",
    "InsertListItem: store_no=%1; list_id=TOP; seq_no=1; product_no=1; product_item_seq_no=1; price_no=109",
    "UnInstallRegister: store_no=%1; register_id=WEB01",
    nullptr, // the user, with STORE and STOREADMIN
    "UpdateProduct: store_no=%1; product_no=2; product_no_key=1; product_type=TICKET; "
    "product_name=Crash product %2 moved; product_group_no=1",
    nullptr, // the user's rights become STORE and STORE_VIEW_CARD
    "DeleteStore: store_no=%3",
    nullptr, // the user of cycle k - 2 is removed
};

enum Step {
    InstallRegister = 6,
    UninstallRegister = 12,
    AddUser = 13,
    MoveProduct = 14,
    SetRights = 15,
    DeleteOldStore = 16,
    RemoveOldUser = 17
};

QStringList RightsAfter(int made) {
    return made > SetRights ? QStringList{HostRights::Store, HostRights::ViewCardNumbers}
                            : QStringList{HostRights::Store, HostRights::StoreAdmin};
}

QString Row(const QStringList& cells) {
    return cells.join(u'|');
}

} // namespace

void CrashPlan::save(SqlConnection& connection, qint64 save) const {
    const qint64 cycle = save / Steps;
    const int step = int(save % Steps);
    const QString store = QString::number(FirstStore + cycle);
    if (step >= DeleteOldStore && cycle < 2)
        return; // no cycle k - 2 yet
    UserAdmin users(*connection.session());
    if (step == AddUser)
        users.Add(user(cycle), QStringLiteral("Crash user %1").arg(cycle), RightsAfter(AddUser + 1));
    else if (step == SetRights)
        users.SetRights(user(cycle), RightsAfter(SetRights + 1));
    else if (step == RemoveOldUser)
        users.Remove(user(cycle - 2));
    else {
        const QString call = QString::fromLatin1(Calls[step])
                                 .replace(QLatin1String("%1"), store)
                                 .replace(QLatin1String("%2"), QString::number(cycle))
                                 .replace(QLatin1String("%3"), QString::number(FirstStore + cycle - 2));
        const ProcedureRun run = ProcedureRun::Command(connection, call);
        if (!run.message.isEmpty() || run.returnValue.toInt32() != 0)
            throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                               QStringLiteral("Save %1 was refused: %2").arg(save).arg(run.message));
    }
}

QString CrashPlan::Describe(qint64 save) {
    const int step = int(save % Steps);
    const char* what = step == AddUser         ? "a user added"
                       : step == SetRights     ? "a user's rights"
                       : step == RemoveOldUser ? "a user removed"
                                               : Calls[step];
    return QStringLiteral("cycle %1, step %2: %3")
        .arg(save / Steps)
        .arg(step)
        .arg(QString::fromLatin1(what).section(u':', 0, 0));
}

qint64 CrashPlan::OldestKept(qint64 saves) {
    return std::max<qint64>(0, saves / Steps - 3);
}

std::set<QString> CrashPlan::expected(qint64 saves, qint64 oldest) const {
    const auto made = [&](qint64 cycle) { return int(std::clamp<qint64>(saves - cycle * Steps, 0, Steps)); };
    std::set<QString> rows;
    bool installed = false;
    const qint64 last = saves / Steps;
    // Every older cycle's store and user were deleted by a later cycle, and its history pruned.
    for (qint64 cycle = oldest; cycle <= last; ++cycle) {
        const int own = made(cycle), later = made(cycle + 2);
        cycleRows(rows, cycle, own, later > DeleteOldStore);
        if (later <= RemoveOldUser)
            userRows(rows, cycle, own);
        installed = installed || (own > InstallRegister && own <= UninstallRegister);
    }
    rows.insert(Row({"zev_register", "WEB01", installed ? "Installed" : "Avail"}));
    return rows;
}

void CrashPlan::cycleRows(std::set<QString>& rows, qint64 cycle, int made, bool deleted) const {
    if (made == 0)
        return;
    const QString s = QString::number(FirstStore + cycle), k = QString::number(cycle);
    // The store's own changes in its history, written in the same transactions.
    QStringList actions{"INSERT"};
    if (made > InstallRegister)
        actions << "UPDATE";
    if (made > UninstallRegister)
        actions << "UPDATE";
    if (deleted)
        actions << "DELETE";
    rows.insert(Row({"history", s, actions.join(u',')}));
    if (deleted)
        return;
    const bool installed = made > InstallRegister && made <= UninstallRegister;
    rows.insert(
        Row({"zev_store", s, "Crash store " + k, installed ? "WEB01" : "NULL", installed ? "1" : "0"}));
    const QString product = made > MoveProduct ? "2" : "1";
    const QStringList added[] = {
        {"zev_store_product_group", s, "1", "Crash group " + k},
        {"zev_store_fee", s, "BOOKING"},
        {"zev_store_pay_method", s, "VISA"},
        {"zev_store_screen", s, "HOME", "Crash screen " + k},
        {"zev_store_list", s, "TOP", "Crash list " + k},
        {}, // the register, above
        {"zev_store_product", s, product,
         made > MoveProduct ? "Crash product " + k + " moved" : "Crash product " + k, "1"},
        {"zev_store_product_item", s, product, "1", "Crash item " + k + ".1"},
        {"zev_store_product_item", s, product, "2", "Crash item " + k + ".2"},
        {"zev_store_product_item_sell", s, product, "1", product, "2", "UPSELL"},
        {"zev_store_list_item", s, "TOP", "1", product, "1"},
    };
    for (int step = 1; step < made && step <= int(std::size(added)); ++step)
        if (!added[step - 1].isEmpty())
            rows.insert(Row(added[step - 1]));
}

void CrashPlan::userRows(std::set<QString>& rows, qint64 cycle, int made) const {
    if (made <= AddUser)
        return;
    const QString name = user(cycle);
    rows.insert(Row({"zev_user", name, QStringLiteral("Crash user %1").arg(cycle)}));
    QStringList rights = RightsAfter(made);
    for (const QString& right : rights)
        rows.insert(Row({"zev_user_right", name, right}));
    if (m_logins) {
        rights << QStringLiteral("USERS");
        rights.sort();
        rows.insert(Row({"login", name, rights.join(u',')}));
    }
}
