// Groups, lists and screens: tables edited in the grid alone.

#include "sdk/Variant.h"
#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/editors/store/SubTableEngine.h"
#include "store/host/CStoreMaint.h"
#include "widgets/FlexGrid.h"
#include "widgets/MsgBox.h"

using namespace SubTableCells;

namespace {

const QString New = QStringLiteral("<New>");

bool LongerThan50(const QString& text) {
    return text.size() > 50;
}

FieldCheck DescriptionCheck(int32_t field) {
    return {field, LongerThan50, QStringLiteral("Description can not be longer than 50 characters."),
            QStringLiteral("Description Too Long")};
}

bool InvalidGroupNumber(const QString& text) {
    return text.isEmpty() || text.size() > 9 || !IsNumericText(text) || text == QLatin1String("0");
}

bool Pending(StatusTypes status) {
    return status == stNew || status == stModified;
}

// ---- groups

void ReadGroup(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t) {
    const Variant number = call.column(QStringLiteral("product_group_no"));
    t.setValue(1, row, number);
    t.setValue(2, row, number);
    t.setValue(3, row, NullToDefault(call.column(QStringLiteral("product_display_type")), Variant("<None>")));
    t.setValue(4, row, NullToDefault(call.column(QStringLiteral("image_width")), Variant("")));
    t.setValue(5, row, NullToDefault(call.column(QStringLiteral("image_height")), Variant("")));
    t.setValue(6, row, NullToDefault(call.column(QStringLiteral("num_cols")), Variant(int16_t(1))));
    t.setValue(7, row, NullToZero(call.column(QStringLiteral("manual_invoice"))));
    t.setValue(8, row, call.readText(QStringLiteral("Description")));
}

bool SaveGroup(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const StatusTypes status = Status(t, row);
    const int32_t original = LongOrZero(t, 1, row);
    int32_t groupNo = LongOrZero(t, 2, row);
    const int32_t storeNo = engine.StoreNo();
    if (status == stDelete) {
        if (original != 0 && groupNo != 0 && !engine.Service().DeleteStoreGroup(storeNo, original))
            setStatus(t, row, stUnchanged);
    } else if (Pending(status)) {
        if (groupNo == 0) {
            MsgBox(QStringLiteral("Zero is not a valid group number."), MsgBoxStyle::Information,
                   QStringLiteral("Cancel update of group with zero."));
        } else if (engine.Service().UpdateStoreGroup(storeNo, original, groupNo, Text(t, 8, row),
                                                     Text(t, 3, row), Text(t, 4, row), Text(t, 5, row),
                                                     LongOrZero(t, 6, row), Flag(t, 7, row))) {
            t.setValue(1, row, groupNo);
            t.setValue(2, row, groupNo);
            setStatus(t, row, stUnchanged);
        }
    }
    return true;
}

// ---- lists

void ReadList(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t) {
    const QString id = call.readText(QStringLiteral("list_id"));
    t.setValue(1, row, id);
    t.setValue(2, row, id);
    t.setValue(3, row, call.readText(QStringLiteral("Description")));
}

bool SaveList(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const StatusTypes status = Status(t, row);
    const QString original = Text(t, 1, row);
    const QString id = Text(t, 2, row);
    if (status == stDelete) {
        if (original.isEmpty() || original == New)
            return true;
        if (engine.Service().DeleteStoreList(engine.StoreNo(), original))
            engine.MarkListsChanged();
        else
            setStatus(t, row, stUnchanged);
    } else if (Pending(status)) {
        // A list never given an id is dropped.
        if (id == New) {
            setStatus(t, row, stDelete);
        } else if (engine.Service().UpdateStoreList(engine.StoreNo(), original, id, Text(t, 3, row))) {
            t.setValue(1, row, id);
            engine.MarkListsChanged();
            setStatus(t, row, stUnchanged);
        }
    }
    return true;
}

// ---- screens

void ReadScreen(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t) {
    const QString id = call.readText(QStringLiteral("screen_id"));
    t.setValue(1, row, id);
    t.setValue(2, row, id);
    t.setValue(3, row, call.readText(QStringLiteral("screen_title")));
    t.setValue(4, row, call.readText(QStringLiteral("screen_url")));
}

bool SaveScreen(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const StatusTypes status = Status(t, row);
    const QString original = Text(t, 1, row);
    QString id = Text(t, 2, row);
    if (status == stDelete) {
        if (!original.isEmpty() && !id.isEmpty() &&
            !engine.Service().DeleteStoreScreen(engine.StoreNo(), original))
            setStatus(t, row, stUnchanged);
    } else if (Pending(status)) {
        if (id.isEmpty()) {
            MsgBox(QStringLiteral("Empty string is not a valid screen id."), MsgBoxStyle::Information,
                   QStringLiteral("Cancel update of screen without screen id."));
        } else if (engine.Service().UpdateStoreScreen(engine.StoreNo(), original, id, Text(t, 3, row),
                                                      Text(t, 4, row))) {
            t.setValue(1, row, id);
            t.setValue(2, row, id);
            setStatus(t, row, stUnchanged);
        }
    }
    return true;
}

template <typename Fill> std::function<bool(SubTableEngine&, VariantTable&)> AppendRow(Fill fill) {
    return [fill](SubTableEngine&, VariantTable& t) {
        fill(t);
        return true;
    };
}

} // namespace

SubTableDescription GroupsTable() {
    SubTableDescription d;
    d.key = SubTableKeys::Groups;
    d.caption = QStringLiteral("Groups");
    d.loadFailure = QStringLiteral("LoadGroups");
    d.saveOrder = 0;
    d.fields = 9;
    d.format = QStringLiteral(
        "Status|OrigGroupNo|<GroupNo|Display Product As|Display Width|Display Height|^Num Cols|^Manual Inv|"
        "<Description");
    d.procedure = QStringLiteral("ZEV_SP_STORE_GetGroups");
    d.readRow = ReadGroup;
    d.hiddenFields = {0, 1};
    d.columns = [](FlexGrid& grid, const SubTableEngine&) {
        grid.setColComboList(3, QStringLiteral("<None>|Button|Hyperlink|Picture|Picture&Desc"));
        grid.setColDataType(7, FlexGrid::DataType::Boolean);
    };
    d.checks = {{2, InvalidGroupNumber, QStringLiteral("You must supply a valid group number."),
                 QStringLiteral("Invalid group number")},
                DescriptionCheck(8)};
    d.addRows = AppendRow([](VariantTable& t) {
        AppendNew(t, {{2, Variant(int32_t(0))}, {8, Variant(New)}});
    });
    d.reloadsAfterFailedApply = false;
    d.pasteable = true;
    d.saveRow = SaveGroup;
    return d;
}

SubTableDescription ListsTable() {
    SubTableDescription d;
    d.key = SubTableKeys::Lists;
    d.caption = QStringLiteral("Lists");
    d.loadFailure = QStringLiteral("LoadLists");
    d.saveOrder = 2;
    d.fields = 4;
    d.format = QStringLiteral("Status|OrigiList|<List Id|<Description");
    d.procedure = QStringLiteral("ZEV_SP_STORE_GetLists");
    d.readRow = ReadList;
    d.hiddenFields = {0, 1};
    d.checks = {DescriptionCheck(3)};
    d.addRows = AppendRow([](VariantTable& t) { AppendNew(t, {{2, Variant(New)}, {3, Variant(New)}}); });
    d.pasteable = true;
    d.saveRow = SaveList;
    return d;
}

SubTableDescription ScreensTable() {
    SubTableDescription d;
    d.key = SubTableKeys::Screens;
    d.caption = QStringLiteral("Screens");
    d.loadFailure = QStringLiteral("LoadScreens");
    d.saveOrder = 4;
    d.fields = 5;
    d.format = QStringLiteral("Status|Original Screen Id|Screen Id|Description|URL");
    d.procedure = QStringLiteral("ZEV_SP_STORE_STORE_SCREEN_Get");
    d.readRow = ReadScreen;
    d.hiddenFields = {0, 1};
    d.addRows = AppendRow([](VariantTable& t) { AppendNew(t, {{2, Variant(New)}}); });
    d.pasteable = true;
    d.saveRow = SaveScreen;
    return d;
}
