#include "database/ProcedureCatalog.h"
#include "database/ProcedureSupport.h"

using namespace ProcedureSupport;
using SqlValue::Bind;
using SqlValue::BindFlag;

namespace {

const QString StoreNo = QStringLiteral("@store_no");

// Groups

void GetGroups(ProcedureContext& ctx) {
    ctx.result(
        QStringLiteral("SELECT store_no, product_group_no, description, product_display_type, image_width, "
                       "image_height, num_cols, manual_invoice FROM zev_store_product_group "
                       "WHERE store_no = ? ORDER BY product_group_no"),
        {Bind(ctx.integer(StoreNo))});
}

// Insert and update share the checks; key is the group number the row had (nullopt for a new group).
void WriteGroup(ProcedureContext& ctx, const std::optional<int32_t>& key) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    auto groupNo = ctx.integer(QStringLiteral("@product_group_no"));
    if (groupNo && *groupNo <= 0) {
        ctx.refuse(-1, QStringLiteral("Zero or a negative number is not a valid group number."));
        return;
    }
    if (key && !GroupExists(ctx, *storeNo, *key)) {
        ctx.refuse(-1, QStringLiteral("Group %1 does not exist in store %2.").arg(*key).arg(*storeNo));
        return;
    }
    if (!groupNo)
        groupNo = key ? *key
                      : ctx.nextNumber(QStringLiteral("zev_store_product_group"),
                                       QStringLiteral("product_group_no"), QStringLiteral("store_no = ?"),
                                       {*storeNo});
    if (groupNo != key && GroupExists(ctx, *storeNo, *groupNo)) {
        ctx.refuse(-1, QStringLiteral("Group %1 already exists in store %2.").arg(*groupNo).arg(*storeNo));
        return;
    }
    const auto description = ctx.text(QStringLiteral("@description"));
    if (description && description->size() > 50) {
        ctx.refuse(-1, QStringLiteral("Description can not be longer than 50 characters."));
        return;
    }
    const auto displayType = ctx.textOrNull(QStringLiteral("@product_display_type"));
    const QVariantList values{
        *groupNo,
        Bind(description),
        Bind(displayType ? std::optional<QString>(displayType->toUpper()) : std::nullopt),
        Bind(ctx.integer(QStringLiteral("@image_width"))),
        Bind(ctx.integer(QStringLiteral("@image_height"))),
        Bind(ctx.integer(QStringLiteral("@num_cols"))),
        int(ctx.flag(QStringLiteral("@manual_invoice")).value_or(false) ? 1 : 0),
        *storeNo};
    if (key) {
        // Products and fees of the group follow a changed number (the foreign keys cascade).
        QVariantList update = values;
        update << *key;
        ctx.run(QStringLiteral("UPDATE zev_store_product_group SET product_group_no = ?, description = ?, "
                               "product_display_type = ?, image_width = ?, image_height = ?, num_cols = ?, "
                               "manual_invoice = ? WHERE store_no = ? AND product_group_no = ?"),
                update);
    } else {
        ctx.run(QStringLiteral(
                    "INSERT INTO zev_store_product_group (product_group_no, description, "
                    "product_display_type, image_width, image_height, num_cols, manual_invoice, store_no) "
                    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                values);
    }
    ctx.setOutput(QStringLiteral("@product_group_no"), *groupNo);
    ctx.setReturn(0);
}

void InsertProductGroup(ProcedureContext& ctx) {
    WriteGroup(ctx, std::nullopt);
}

void UpdateProductGroup(ProcedureContext& ctx) {
    const auto key = ctx.integer(QStringLiteral("@product_group_no_key"));
    if (!key) {
        WriteGroup(ctx, std::nullopt);
        return;
    }
    WriteGroup(ctx, key);
}

void DeleteStoreGroup(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto groupNo = ctx.integer(QStringLiteral("@product_group_no"));
    if (!storeNo || !groupNo || !GroupExists(ctx, *storeNo, *groupNo)) {
        ctx.refuse(1, QStringLiteral("Group %1 does not exist in store %2.")
                          .arg(groupNo.value_or(0))
                          .arg(storeNo.value_or(0)));
        return;
    }
    const int products =
        ctx.scalar(QStringLiteral("SELECT COUNT(*) FROM zev_store_product WHERE store_no = ? AND "
                                  "product_group_no = ?"),
                   {*storeNo, *groupNo})
            .toInt();
    const int fees = ctx.scalar(QStringLiteral("SELECT COUNT(*) FROM zev_store_fee WHERE store_no = ? AND "
                                               "product_group_no = ?"),
                                {*storeNo, *groupNo})
                         .toInt();
    if (products > 0 || fees > 0) {
        QStringList uses;
        if (products > 0)
            uses << (products == 1 ? QStringLiteral("1 product")
                                   : QStringLiteral("%1 products").arg(products));
        if (fees > 0)
            uses << (fees == 1 ? QStringLiteral("1 fee") : QStringLiteral("%1 fees").arg(fees));
        ctx.refuse(2, QStringLiteral("Group %1 is still used by %2 and can not be deleted.")
                          .arg(*groupNo)
                          .arg(uses.join(QStringLiteral(" and "))));
        return;
    }
    ctx.run(QStringLiteral("DELETE FROM zev_store_product_group WHERE store_no = ? AND product_group_no = ?"),
            {*storeNo, *groupNo});
    ctx.setReturn(0);
}

// Lists

void GetLists(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT store_no, list_id, description FROM zev_store_list WHERE store_no = ? "
                              "ORDER BY list_id"),
               {Bind(ctx.integer(StoreNo))});
}

void UpdateStoreList(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    const auto key = ctx.textOrNull(QStringLiteral("@list_id_key"));
    const auto listId = ctx.textOrNull(QStringLiteral("@list_id"));
    const auto description = ctx.text(QStringLiteral("@description"));
    if (!listId || listId->trimmed().isEmpty()) {
        ctx.refuse(-1, QStringLiteral("A list needs a list id."));
        return;
    }
    if (listId->size() > 50 || (description && description->size() > 50)) {
        ctx.refuse(-1, QStringLiteral("List id and description can not be longer than 50 characters."));
        return;
    }
    const auto listExists = [&](const QString& id) {
        return ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_list WHERE store_no = ? AND list_id = ?"),
                          {*storeNo, id});
    };
    if (key && !listExists(*key)) {
        ctx.refuse(-1, QStringLiteral("List %1 does not exist in store %2.").arg(*key).arg(*storeNo));
        return;
    }
    if (listId != key && listExists(*listId)) {
        ctx.refuse(-1, QStringLiteral("List %1 already exists in store %2.").arg(*listId).arg(*storeNo));
        return;
    }
    if (key)
        ctx.run(
            QStringLiteral("UPDATE zev_store_list SET list_id = ?, description = ? WHERE store_no = ? AND "
                           "list_id = ?"),
            {*listId, Bind(description), *storeNo, *key});
    else
        ctx.run(
            QStringLiteral("INSERT INTO zev_store_list (store_no, list_id, description) VALUES (?, ?, ?)"),
            {*storeNo, *listId, Bind(description)});
    ctx.setReturn(0);
}

void DeleteStoreList(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto listId = ctx.text(QStringLiteral("@list_id"));
    // Success is the number of lists removed, so callers test for a positive value.
    QSqlQuery deleted =
        ctx.run(QStringLiteral("DELETE FROM zev_store_list WHERE store_no = ? AND list_id = ?"),
                {Bind(storeNo), Bind(listId)});
    const int count = deleted.numRowsAffected();
    if (count <= 0) {
        ctx.refuse(-1, QStringLiteral("List %1 does not exist in store %2.")
                           .arg(listId.value_or(QString()))
                           .arg(storeNo.value_or(0)));
        return;
    }
    ctx.setReturn(count);
}

// Fees

void GetFee(ProcedureContext& ctx) {
    ctx.result(
        QStringLiteral("SELECT f.store_no, f.fee_id, f.fee_amount, f.min_amount, f.fee_percent, f.item_no, "
                       "i.long_description AS item_desc, f.product_group_no, f.price_no, p.price "
                       "FROM zev_store_fee f LEFT JOIN zev_item i ON i.item_no = f.item_no "
                       "LEFT JOIN zev_price p ON p.price_no = f.price_no "
                       "WHERE f.store_no = ? ORDER BY f.fee_id"),
        {Bind(ctx.integer(StoreNo))});
}

void UpdateStoreFee(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    // A fee added in the store editor comes with "<New>" as its key: it was never stored.
    auto key = ctx.textOrNull(QStringLiteral("@fee_id_key"));
    if (key == QStringLiteral("<New>"))
        key.reset();
    const auto feeId = ctx.textOrNull(QStringLiteral("@fee_id"));
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    const auto groupNo = ctx.integer(QStringLiteral("@product_group_no"));
    const auto priceNo = ctx.integer(QStringLiteral("@price_no"));
    const auto percent = ctx.number(QStringLiteral("@fee_percent"));
    if (!feeId || feeId->size() > 50) {
        ctx.refuse(-1, QStringLiteral("A fee needs a fee id of at most 50 characters."));
        return;
    }
    const auto feeExists = [&](const QString& id) {
        return ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_fee WHERE store_no = ? AND fee_id = ?"),
                          {*storeNo, id});
    };
    if (key && !feeExists(*key)) {
        ctx.refuse(-1, QStringLiteral("Fee %1 does not exist in store %2.").arg(*key).arg(*storeNo));
        return;
    }
    if (feeId != key && feeExists(*feeId)) {
        ctx.refuse(-1, QStringLiteral("Fee %1 already exists in store %2.").arg(*feeId).arg(*storeNo));
        return;
    }
    if (!itemNo || !ItemExists(ctx, *itemNo)) {
        ctx.refuse(-1, QStringLiteral("Fee %1 must be tied to an existing item.").arg(*feeId));
        return;
    }
    if (groupNo && !GroupExists(ctx, *storeNo, *groupNo)) {
        ctx.refuse(-1, QStringLiteral("Group %1 does not exist in store %2.").arg(*groupNo).arg(*storeNo));
        return;
    }
    if (priceNo && !PriceFits(ctx, *priceNo, itemNo, std::nullopt, *storeNo)) {
        ctx.refuse(-1, QStringLiteral("Price %1 is not a price of item %2.").arg(*priceNo).arg(*itemNo));
        return;
    }
    if (percent && (*percent < 0 || *percent > 1)) {
        ctx.refuse(-1, QStringLiteral("A fee percentage must lie between 0 and 100."));
        return;
    }
    const QVariantList values{*feeId,
                              Bind(ctx.number(QStringLiteral("@fee_amount"))),
                              Bind(ctx.number(QStringLiteral("@min_amount"))),
                              Bind(percent),
                              *itemNo,
                              Bind(groupNo),
                              Bind(priceNo),
                              *storeNo};
    if (key) {
        QVariantList update = values;
        update << *key;
        ctx.run(QStringLiteral(
                    "UPDATE zev_store_fee SET fee_id = ?, fee_amount = ?, min_amount = ?, fee_percent = ?, "
                    "item_no = ?, product_group_no = ?, price_no = ? WHERE store_no = ? AND fee_id = ?"),
                update);
    } else {
        ctx.run(
            QStringLiteral("INSERT INTO zev_store_fee (fee_id, fee_amount, min_amount, fee_percent, item_no, "
                           "product_group_no, price_no, store_no) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            values);
    }
    ctx.setReturn(0);
}

void DeleteStoreFee(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto feeId = ctx.text(QStringLiteral("@fee_id"));
    QSqlQuery deleted = ctx.run(QStringLiteral("DELETE FROM zev_store_fee WHERE store_no = ? AND fee_id = ?"),
                                {Bind(storeNo), Bind(feeId)});
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("Fee %1 does not exist in store %2.")
                          .arg(feeId.value_or(QString()))
                          .arg(storeNo.value_or(0)));
        return;
    }
    ctx.setReturn(0);
}

// Pay methods: every pay method, with the store's number where the store accepts it.

void GetPayMethods(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT s.store_no, m.pay_method_id, m.pay_method_type_id, m.description "
                              "FROM zev_pay_method m LEFT JOIN zev_store_pay_method s "
                              "ON s.pay_method_id = m.pay_method_id AND s.store_no = ? "
                              "ORDER BY m.pay_method_id"),
               {Bind(ctx.integer(StoreNo))});
}

// Screens

void GetScreens(ProcedureContext& ctx) {
    ctx.result(QStringLiteral("SELECT store_no, screen_id, screen_title, screen_url FROM zev_store_screen "
                              "WHERE store_no = ? ORDER BY screen_id"),
               {Bind(ctx.integer(StoreNo))});
}

void WriteScreen(ProcedureContext& ctx, const std::optional<QString>& key) {
    const auto storeNo = ctx.integer(StoreNo);
    if (RefuseMissingStore(ctx, storeNo))
        return;
    auto screenId = ctx.textOrNull(QStringLiteral("@screen_id"));
    const auto screenExists = [&](const QString& id) {
        return ctx.exists(
            QStringLiteral("SELECT 1 FROM zev_store_screen WHERE store_no = ? AND screen_id = ?"),
            {*storeNo, id});
    };
    if (key && !screenExists(*key)) {
        ctx.refuse(-1, QStringLiteral("Screen %1 does not exist in store %2.").arg(*key).arg(*storeNo));
        return;
    }
    if (!screenId) {
        if (key) {
            screenId = key;
        } else {
            int number =
                ctx.scalar(QStringLiteral("SELECT COUNT(*) FROM zev_store_screen WHERE store_no = ?"),
                           {*storeNo})
                    .toInt() +
                1;
            while (screenExists(QStringLiteral("SCREEN%1").arg(number)))
                ++number;
            screenId = QStringLiteral("SCREEN%1").arg(number);
        }
    }
    if (screenId->size() > 50) {
        ctx.refuse(-1, QStringLiteral("Screen id can not be longer than 50 characters."));
        return;
    }
    if (screenId != key && screenExists(*screenId)) {
        ctx.refuse(-1, QStringLiteral("Screen %1 already exists in store %2.").arg(*screenId).arg(*storeNo));
        return;
    }
    const QVariantList values{*screenId, Bind(ctx.text(QStringLiteral("@screen_title"))),
                              Bind(ctx.text(QStringLiteral("@screen_url"))), *storeNo};
    if (key) {
        QVariantList update = values;
        update << *key;
        ctx.run(QStringLiteral("UPDATE zev_store_screen SET screen_id = ?, screen_title = ?, screen_url = ? "
                               "WHERE store_no = ? AND screen_id = ?"),
                update);
    } else {
        ctx.run(QStringLiteral("INSERT INTO zev_store_screen (screen_id, screen_title, screen_url, store_no) "
                               "VALUES (?, ?, ?, ?)"),
                values);
    }
    ctx.setOutput(QStringLiteral("@screen_id"), *screenId);
    ctx.setReturn(0);
}

void InsertScreen(ProcedureContext& ctx) {
    WriteScreen(ctx, std::nullopt);
}

void UpdateScreen(ProcedureContext& ctx) {
    WriteScreen(ctx, ctx.textOrNull(QStringLiteral("@original_screen_id")));
}

void DeleteScreen(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto screenId = ctx.text(QStringLiteral("@screen_id"));
    QSqlQuery deleted =
        ctx.run(QStringLiteral("DELETE FROM zev_store_screen WHERE store_no = ? AND screen_id = ?"),
                {Bind(storeNo), Bind(screenId)});
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("Screen %1 does not exist in store %2.")
                          .arg(screenId.value_or(QString()))
                          .arg(storeNo.value_or(0)));
        return;
    }
    ctx.setReturn(0);
}

// Extendable items and their extensions

void GetExtendables(ProcedureContext& ctx) {
    ctx.result(
        QStringLiteral("SELECT e.store_no, e.item_no, (SELECT COUNT(*) FROM zev_store_extension x "
                       "WHERE x.store_no = e.store_no AND x.item_no = e.item_no) AS num_ext, "
                       "i.long_description FROM zev_store_extendable e "
                       "JOIN zev_item i ON i.item_no = e.item_no WHERE e.store_no = ? ORDER BY e.item_no"),
        {Bind(ctx.integer(StoreNo))});
}

void UpdateExtendable(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    if (RefuseMissingStore(ctx, storeNo))
        return;
    if (!itemNo || !ItemExists(ctx, *itemNo)) {
        ctx.refuse(-1, QStringLiteral("Item %1 does not exist.").arg(itemNo.value_or(0)));
        return;
    }
    if (!ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_extendable WHERE store_no = ? AND item_no = ?"),
                    {*storeNo, *itemNo}))
        ctx.run(QStringLiteral("INSERT INTO zev_store_extendable (store_no, item_no) VALUES (?, ?)"),
                {*storeNo, *itemNo});
    ctx.setReturn(0);
}

void DeleteExtendable(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    QSqlQuery deleted =
        ctx.run(QStringLiteral("DELETE FROM zev_store_extendable WHERE store_no = ? AND item_no = ?"),
                {Bind(storeNo), Bind(itemNo)});
    if (deleted.numRowsAffected() <= 0) {
        ctx.refuse(1, QStringLiteral("Item %1 is not an extendable item of store %2.")
                          .arg(itemNo.value_or(0))
                          .arg(storeNo.value_or(0)));
        return;
    }
    ctx.setReturn(0);
}

void UpdateExtension(ProcedureContext& ctx) {
    const auto storeNo = ctx.integer(StoreNo);
    const auto itemNo = ctx.integer(QStringLiteral("@item_no"));
    const auto extensionNo = ctx.integer(QStringLiteral("@extension_item_no"));
    const bool available = ctx.flag(QStringLiteral("@available")).value_or(false);
    if (!storeNo || !itemNo || !extensionNo ||
        !ctx.exists(QStringLiteral("SELECT 1 FROM zev_store_extendable WHERE store_no = ? AND item_no = ?"),
                    {*storeNo, *itemNo})) {
        ctx.refuse(-1, QStringLiteral("Item %1 is not an extendable item of store %2.")
                           .arg(itemNo.value_or(0))
                           .arg(storeNo.value_or(0)));
        return;
    }
    ctx.run(QStringLiteral("DELETE FROM zev_store_extension WHERE store_no = ? AND item_no = ? AND "
                           "extension_item_no = ?"),
            {*storeNo, *itemNo, *extensionNo});
    if (available) {
        if (!ItemExists(ctx, *extensionNo)) {
            ctx.refuse(-1, QStringLiteral("Item %1 does not exist.").arg(*extensionNo));
            return;
        }
        ctx.run(QStringLiteral("INSERT INTO zev_store_extension (store_no, item_no, extension_item_no) "
                               "VALUES (?, ?, ?)"),
                {*storeNo, *itemNo, *extensionNo});
    }
    ctx.setReturn(0);
}

} // namespace

void AddStoreTableProcedures(ProcedureCatalog& catalog) {
    using enum ParameterType;
    const auto store = In(StoreNo, Long);
    const auto message = Out(QStringLiteral("@message"), Text);
    const auto Message = Out(QStringLiteral("@Message"), Text);
    catalog.add(QStringLiteral("ZEV_SP_STORE_GetGroups"), {store}, GetGroups);
    const std::vector<ParameterDeclaration> groupValues{
        In(QStringLiteral("@description"), Text), In(QStringLiteral("@product_display_type"), Text),
        In(QStringLiteral("@image_width"), Long), In(QStringLiteral("@image_height"), Long),
        In(QStringLiteral("@num_cols"), Long),    In(QStringLiteral("@manual_invoice"), Boolean)};
    std::vector<ParameterDeclaration> insertGroup{store, InOut(QStringLiteral("@product_group_no"), Long)};
    insertGroup.insert(insertGroup.end(), groupValues.begin(), groupValues.end());
    insertGroup.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_InsertProductGroup"), insertGroup, InsertProductGroup);
    std::vector<ParameterDeclaration> updateGroup{store, InOut(QStringLiteral("@product_group_no"), Long),
                                                  In(QStringLiteral("@product_group_no_key"), Long)};
    updateGroup.insert(updateGroup.end(), groupValues.begin(), groupValues.end());
    updateGroup.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateProductGroup"), updateGroup, UpdateProductGroup);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStoreGroup"),
                {store, In(QStringLiteral("@product_group_no"), Long), message}, DeleteStoreGroup);

    catalog.add(QStringLiteral("ZEV_SP_STORE_GetLists"), {store}, GetLists);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateStoreList"),
                {store, In(QStringLiteral("@list_id_key"), Text), In(QStringLiteral("@list_id"), Text),
                 In(QStringLiteral("@description"), Text), Message},
                UpdateStoreList);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStoreList"),
                {store, In(QStringLiteral("@list_id"), Text), message}, DeleteStoreList);

    catalog.add(QStringLiteral("ZEV_SP_STORE_GetFee"), {store}, GetFee);
    catalog.add(QStringLiteral("ZEV_SP_STORE_UpdateStoreFee"),
                {store, In(QStringLiteral("@fee_id_key"), Text), In(QStringLiteral("@fee_id"), Text),
                 In(QStringLiteral("@fee_amount"), Double), In(QStringLiteral("@min_amount"), Double),
                 In(QStringLiteral("@fee_percent"), Double), In(QStringLiteral("@item_no"), Long),
                 In(QStringLiteral("@product_group_no"), Long), In(QStringLiteral("@price_no"), Long),
                 message},
                UpdateStoreFee);
    catalog.add(QStringLiteral("ZEV_SP_STORE_DeleteStoreFee"),
                {store, In(QStringLiteral("@fee_id"), Text), message}, DeleteStoreFee);

    catalog.add(QStringLiteral("ZEV_SP_STORE_GetPayMethods"), {store}, GetPayMethods);

    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Get"), {store}, GetScreens);
    const auto screenValues = {In(QStringLiteral("@screen_title"), Text),
                               In(QStringLiteral("@screen_url"), Text)};
    std::vector<ParameterDeclaration> insertScreen{store, InOut(QStringLiteral("@screen_id"), Text)};
    insertScreen.insert(insertScreen.end(), screenValues.begin(), screenValues.end());
    insertScreen.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Insert"), insertScreen, InsertScreen);
    std::vector<ParameterDeclaration> updateScreen{store, InOut(QStringLiteral("@screen_id"), Text),
                                                   In(QStringLiteral("@original_screen_id"), Text)};
    updateScreen.insert(updateScreen.end(), screenValues.begin(), screenValues.end());
    updateScreen.push_back(Message);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Update"), updateScreen, UpdateScreen);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Delete"),
                {store, In(QStringLiteral("@screen_id"), Text), message}, DeleteScreen);

    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_Get"), {store}, GetExtendables);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_Update"),
                {store, In(QStringLiteral("@item_no"), Long), Message}, UpdateExtendable);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_delete"),
                {store, In(QStringLiteral("@item_no"), Long), message}, DeleteExtendable);
    catalog.add(QStringLiteral("ZEV_SP_STORE_STORE_EXTENSION_update"),
                {store, In(QStringLiteral("@item_no"), Long), In(QStringLiteral("@extension_item_no"), Long),
                 In(QStringLiteral("@available"), Boolean), message},
                UpdateExtension);
}
