#include "store/control/ListItemPaste.h"
#include "store/control/Store.h"

#include "store/control/StoreShared.h"
#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/records/CStore.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"

#include <QComboBox>

// The product view (an outline by group) and the list view (the items of the chosen list).

using namespace StoreShared;

void Store::LoadSearches(bool bListsOnly) {
    const QSignalBlocker quiet(cmbList);
    m_errors.Guard(
        m_error, QStringLiteral("LoadSearches"),
        [&] {
            if (!bListsOnly) {
                cmbStatus->clear();
                cmbStatus->addItem(Any);
                cmbStatus->setCurrentText(Any);
                StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetOrderStatus"));
                call.set(QStringLiteral("@store_no"), StoreNoOrNull());
                if (call.openRows())
                    for (; !call.atEnd(); call.next())
                        cmbStatus->addItem(call.readText(QStringLiteral("status_id")));
            }
            if (IsTab("LIST"))
                gdData->setRows(1);
            cmbList->Clear();
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetLists"));
            call.set(QStringLiteral("@store_no"), StoreNoOrNull());
            if (call.openRows())
                for (; !call.atEnd(); call.next())
                    cmbList->AddEntry(call.readText(QStringLiteral("Description")),
                                      QLatin1Char('\'') + call.readText(QStringLiteral("list_id")));
            cmbList->setSelectedIndex(-1);
            return true;
        },
        m_db ? m_db->NativeConnection() : nullptr);
}

void Store::DisplayProducts(bool bCollapse) {
    ResetGrid(QStringLiteral("Product Group|Product|Type|Product Name"));
    PlaceGrid(300 + 120, -400 - 240);
    gdData->setOutlineCol(0);
    gdData->setOutlineBar(true);
    gdData->setRowBold(0, true);
    Load(QStringLiteral("DisplayProducts"), [&] {
        if (m_store) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetProduct"));
            call.set(QStringLiteral("@store_no"), m_store->StoreNo());
            int32_t previousGroup = 0;
            QString groupNumber, groupDescription, groupCell;
            FillGrid(call, [&] {
                const Variant group = call.column(QStringLiteral("product_group_no"));
                const int32_t groupNo = NullToZero(group).toInt32();
                const QString number = group.toText();
                const QString description = call.readText(QStringLiteral("group_description"));
                // A group's products share one cell text rather than each making its own.
                if (groupCell.isNull() || number != groupNumber || description != groupDescription) {
                    groupNumber = number;
                    groupDescription = description;
                    groupCell = number + QLatin1Char(' ') + description;
                }
                const Variant productNo = call.column(QStringLiteral("product_no"));
                gdData->AddRow({groupCell, productNo.toText(), call.readText(QStringLiteral("product_type")),
                                call.readText(QStringLiteral("product_name"))});
                const int32_t row = gdData->Rows() - 1;
                gdData->setRowData(row, Variant(NullToZero(productNo).toInt32()));
                // The first product of a group is the group's node, at the outline's top level.
                if (groupNo != previousGroup) {
                    gdData->setIsSubtotal(row, true);
                    // Groups arrive folded when the view ends folded, so rows on screen never jump.
                    if (bCollapse)
                        gdData->setIsCollapsed(row, true);
                }
                previousGroup = groupNo;
            });
        } else {
            gdData->AutoSize();
        }
        if (bCollapse)
            gdData->Outline(0);
    });
}

void Store::DisplayLists() {
    ShowPanel(picLists);
    ResetGrid(QStringLiteral("Seq #|Product #|Item Seq #|Product Name|Price #|Price"));
    gdData->setPasteable(true);
    gdData->setRowBold(0, true);
    gdData->setColFormat(5, QStringLiteral("Currency"));
    LayoutControls();
    gdData->AutoSize();
    gdData->setRedraw(true);
    if (cmbList->SelectedIndex() >= 0)
        LoadListItems();
    else if (cmbList->count() > 0)
        cmbList->setSelectedIndex(0);
}

void Store::on_cmbList_currentIndexChanged(int index) {
    if (Deferred([this, index] { on_cmbList_currentIndexChanged(index); }))
        return;
    if (m_listPaste)
        m_listPaste->Forget();
    LoadListItems();
}

void Store::LoadListItems() {
    gdData->setRedraw(false);
    Load(QStringLiteral("LoadListItems"), [&] {
        if (IsTab("LIST"))
            gdData->setRows(1);
        const QString listId = cmbList->SelectedKey().mid(1);
        if (!listId.isEmpty()) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetListItems"));
            call.set(QStringLiteral("@store_no"), StoreNoOrNull()).set(QStringLiteral("@list_id"), listId);
            if (call.openRows())
                for (; !call.atEnd(); call.next())
                    gdData->AddRow({call.readText(QStringLiteral("seq_no")),
                                    call.readText(QStringLiteral("product_no")),
                                    call.readText(QStringLiteral("product_item_seq_no")),
                                    call.readText(QStringLiteral("product_item_name")),
                                    NullToZero(call.column(QStringLiteral("price_no"))).toText(),
                                    NullToZero(call.column(QStringLiteral("Price"))).toText()});
        }
        gdData->AutoSize();
    });
}
