#include "store/viewers/frmRecordHistory.h"

#include "sdk/ChangedColumns.h"
#include "store/data/StoredProcedureCall.h"
#include "store/host/CStoreMaint.h"
#include "widgets/BusyPointer.h"
#include "widgets/ChangeRows.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedControl.h"
#include "widgets/ShowModal.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

frmRecordHistory::frmRecordHistory(QWidget* parent)
    : QDialog(parent), gdChanges(NamedControl<FlexGrid>("gdChanges", this)),
      cmdClose(NamedControl<QPushButton>("cmdClose", QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("frmRecordHistory"));
    gdChanges->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdChanges->setEditable(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gdChanges, 1);
    layout->addLayout(buttons);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
    setMinimumSize(480, 240);
    resize(900, 480);
}

bool frmRecordHistory::Setup(CStoreMaint& service, const Record& record) {
    setWindowTitle(QStringLiteral("History - %1").arg(record.caption));
    gdChanges->setRedraw(false);
    gdChanges->setRows(1);
    gdChanges->setFormatString(
        QStringLiteral("<When|<Who|<Table|<Record|<Action|<Column|<Old Value|<New Value"));
    gdChanges->setRowBold(0, true);
    const bool read = m_errors.Guard(service.ErrorObject(), QStringLiteral("Setup"), [&] {
        StoredProcedureCall call(service.DBConnection(), QStringLiteral("ZEV_SP_STORE_GetChangeHistory"));
        call.set(QStringLiteral("@store_no"), record.storeNo)
            .setNullIfEmpty(QStringLiteral("@table_name"), record.table)
            .setNullIfEmpty(QStringLiteral("@record_key"), record.recordKey);
        if (!call.openRows())
            return false;
        for (; !call.atEnd(); call.next())
            AddChangeRows(
                *gdChanges,
                {call.readText(QStringLiteral("changed_at")), call.readText(QStringLiteral("changed_by")),
                 call.readText(QStringLiteral("table_name")), call.readText(QStringLiteral("record_key")),
                 call.readText(QStringLiteral("action"))},
                ChangedColumns(call.readText(QStringLiteral("old_values")),
                               call.readText(QStringLiteral("new_values"))));
        return true;
    });
    gdChanges->AutoSize();
    gdChanges->setRedraw(true);
    return read;
}

void frmRecordHistory::ShowFor(QWidget* owner, CStoreMaint& service, const Record& record) {
    frmRecordHistory viewer(owner);
    {
        const BusyPointer busy;
        if (!viewer.Setup(service, record))
            return;
    }
    ShowModal(&viewer, owner);
}
