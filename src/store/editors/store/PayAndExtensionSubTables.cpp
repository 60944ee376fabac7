// Pay methods (switched on and off for the store) and extension items (added through the item picker, their
// extension lists written at once).

#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/editors/store/SubTableEngine.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectItem.h"
#include "store/records/CStore.h"
#include "widgets/FlexGrid.h"
#include "widgets/ShowModal.h"

using namespace SubTableCells;

namespace {

constexpr int32_t AvailField = 1;
constexpr int32_t ExtensionsField = 2;

// ---- pay methods

void ReadPayMethod(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t storeNo) {
    const bool available =
        storeNo != 0 && NullToZero(call.column(QStringLiteral("store_no"))).toInt32() == storeNo;
    t.setValue(AvailField, row, available);
    t.setValue(2, row, call.readText(QStringLiteral("pay_method_id")));
    t.setValue(3, row,
               call.readText(QStringLiteral("pay_method_type_id")) + QLatin1Char('-') +
                   call.readText(QStringLiteral("Description")));
}

bool SavePayMethod(SubTableEngine& engine, VariantTable& t, int32_t row) {
    if (Status(t, row) != stModified)
        return true;
    CStoreMaint& service = engine.Service();
    return engine.Store().UpdatePayMethod(service.DBConnection(), service.ErrorObject(), Text(t, 2, row),
                                          Flag(t, AvailField, row));
}

// ---- extension items

void ReadExtendable(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t) {
    t.setValue(1, row, NullToZero(call.column(QStringLiteral("item_no"))));
    t.setValue(ExtensionsField, row, NullToZero(call.column(QStringLiteral("num_ext"))));
    t.setValue(3, row, call.readText(QStringLiteral("long_description")));
}

bool AddExtendables(SubTableEngine& engine, VariantTable& t) {
    CStoreMaint& service = engine.Service();
    frmSelectItem picker(engine.Owner());
    picker.Setup(service, service.DBConnection(), service.ErrorObject(), true, engine.StoreNo(), 0);
    ShowModal(&picker, engine.Owner());
    if (picker.UserCancelled)
        return false;
    bool added = false;
    for (int32_t i = 0; i < picker.CountSelected(); ++i) {
        int32_t itemNo = 0;
        QString description;
        picker.getSelectedItemNo(i, itemNo, description);
        AppendNew(t, {{1, Variant(itemNo)}, {3, Variant(description)}});
        added = true;
    }
    return added;
}

// Lets the user tick the item's extension items and writes the ticks at once.
void ViewExtensions(SubTableEngine& engine, int32_t gridRow) {
    if (engine.Grid().Rows() < 2 || gridRow < 1)
        return;
    VariantTable& t = engine.Table(SubTableKeys::Extensions);
    const int32_t itemNo = LongOrZero(t, 1, gridRow - 1);
    CStoreMaint& service = engine.Service();
    frmSelectItem picker(engine.Owner());
    picker.Setup(service, service.DBConnection(), service.ErrorObject(), true, engine.StoreNo(), itemNo);
    ShowModal(&picker, engine.Owner());
    if (picker.UserCancelled)
        return;
    int32_t selected = 0;
    engine.Errors().Guard(service.ErrorObject(), QStringLiteral("ViewExtensions"), [&] {
        for (int32_t row = 1; row <= picker.Rows(); ++row) {
            int32_t extensionNo = 0;
            bool available = false;
            picker.getItemNoSelected(row, extensionNo, available);
            StoredProcedureCall call(service.DBConnection(),
                                     QStringLiteral("ZEV_SP_STORE_STORE_EXTENSION_update"));
            call.set(QStringLiteral("@store_no"), engine.StoreNo())
                .set(QStringLiteral("@item_no"), itemNo)
                .set(QStringLiteral("@extension_item_no"), extensionNo)
                .set(QStringLiteral("@available"), available);
            call.run();
            selected += available ? 1 : 0;
        }
        return true;
    });
    t.setValue(ExtensionsField, gridRow - 1, selected);
    engine.Grid().Refresh();
}

bool SaveExtendable(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const StatusTypes status = Status(t, row);
    const int32_t itemNo = LongOrZero(t, 1, row);
    if (status == stDelete) {
        if (!engine.Service().DeleteStoreExt(engine.StoreNo(), itemNo))
            setStatus(t, row, stUnchanged);
    } else if (status == stNew || status == stModified) {
        if (engine.Service().UpdateStoreExt(engine.StoreNo(), itemNo))
            setStatus(t, row, stUnchanged);
    }
    return true;
}

} // namespace

SubTableDescription PayMethodsTable() {
    SubTableDescription d;
    d.key = SubTableKeys::PayMethods;
    d.caption = QStringLiteral("Payments");
    d.loadFailure = QStringLiteral("LoadPaymethods");
    d.saveOrder = 3;
    d.fields = 4;
    d.format = QStringLiteral("Status|Avail|Pay Method|<Description");
    d.procedure = QStringLiteral("ZEV_SP_STORE_GetPayMethods");
    d.loadsWithoutStore = true;
    d.readRow = ReadPayMethod;
    d.hiddenFields = {0};
    d.boundWhenEmpty = true;
    d.columns = [](FlexGrid& grid, const SubTableEngine&) {
        grid.setColDataType(AvailField, FlexGrid::DataType::Boolean);
    };
    d.editable = [](const VariantTable&, int32_t, int32_t field) { return field == AvailField; };
    d.deletable = false;
    d.appliable = false;
    d.saveRow = SavePayMethod;
    return d;
}

SubTableDescription ExtensionsTable() {
    SubTableDescription d;
    d.key = SubTableKeys::Extensions;
    d.caption = QStringLiteral("Extensions");
    d.loadFailure = QStringLiteral("LoadExtensions");
    d.saveOrder = 5;
    d.fields = 4;
    d.format = QStringLiteral("Status|ItemNo|^View Extensions|Description");
    d.procedure = QStringLiteral("ZEV_SP_STORE_STORE_EXTENDABLE_Get");
    d.readRow = ReadExtendable;
    d.hiddenFields = {0};
    d.columns = [](FlexGrid& grid, const SubTableEngine&) {
        grid.setColComboList(ExtensionsField, QStringLiteral("..."));
    };
    d.editable = [](const VariantTable&, int32_t, int32_t field) { return field == ExtensionsField; };
    d.editsMarkRows = false;
    d.addRows = AddExtendables;
    d.appliable = false;
    d.cellButton = [](SubTableEngine& engine, int32_t row, int32_t field) {
        if (field == ExtensionsField)
            ViewExtensions(engine, row);
    };
    d.doubleClick = ViewExtensions;
    d.saveRow = SaveExtendable;
    return d;
}
