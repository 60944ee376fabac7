#include "store/viewers/frmCheckStore.h"

#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridKeys.h"
#include "widgets/NamedControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

frmCheckStore::frmCheckStore(QWidget* parent)
    : QDialog(parent), lblCount(NamedControl<QLabel>("lblCount", this)),
      gdFindings(NamedControl<FlexGrid>("gdFindings", this)),
      cmdOpen(NamedControl<QPushButton>("cmdOpen", QStringLiteral("&Open"), this)),
      cmdCheckAgain(NamedControl<QPushButton>("cmdCheckAgain", QStringLiteral("Check &Again"), this)),
      cmdClose(NamedControl<QPushButton>("cmdClose", QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("frmCheckStore"));
    gdFindings->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdFindings->setEditable(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOpen);
    buttons->addWidget(cmdCheckAgain);
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblCount);
    layout->addWidget(gdFindings, 1);
    layout->addLayout(buttons);
    cmdOpen->setDefault(true);
    QMetaObject::connectSlotsByName(this);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
    connect(gdFindings, &FlexGrid::DblClick, this, &frmCheckStore::on_cmdOpen_clicked);
    GridKeys::Attach(gdFindings, cmdOpen, nullptr, nullptr);
    setMinimumSize(480, 240);
    resize(900, 440);
}

bool frmCheckStore::Setup(CStoreMaint& service, int32_t storeNo, const QString& storeName, Opener opener) {
    m_service = &service;
    m_storeNo = storeNo;
    m_opener = std::move(opener);
    setWindowTitle(QStringLiteral("Check Store - %1").arg(storeName));
    return Check();
}

bool frmCheckStore::Check() {
    const BusyPointer busy;
    const int32_t row = gdFindings->DataRow();
    const bool checked = StoreCheck(*m_service).Run(m_storeNo, m_findings);
    ShowFindings(row);
    if (!checked)
        lblCount->setText(QStringLiteral("The store could not be checked."));
    return checked;
}

// The findings in the grid, with the row that was selected (or the last) selected again.
void frmCheckStore::ShowFindings(int32_t row) {
    gdFindings->setRedraw(false);
    gdFindings->setRows(1);
    gdFindings->setFormatString(QStringLiteral("<What|<Where|<Problem"));
    for (qsizetype i = 0; i < m_findings.size(); ++i) {
        const StoreCheck::Finding& found = m_findings.at(i);
        gdFindings->AddItem(found.What() + QLatin1Char('\t') + found.Where() + QLatin1Char('\t') +
                            found.description);
        gdFindings->setRowData(gdFindings->Rows() - 1, int32_t(i));
    }
    gdFindings->AutoSize();
    gdFindings->setRedraw(true);
    const auto count = m_findings.size();
    lblCount->setText(
        count == 0   ? QStringLiteral("No problems found: nothing in this store stands in a customer's way.")
        : count == 1 ? QStringLiteral("1 problem found.")
                     : QStringLiteral("%1 problems found.").arg(count));
    cmdOpen->setEnabled(count > 0);
    if (count > 0)
        gdFindings->setRow(std::clamp(row, 1, gdFindings->Rows() - 1));
}

void frmCheckStore::on_cmdOpen_clicked() {
    const int32_t row = gdFindings->DataRow();
    if (row == 0 || !m_opener)
        return;
    m_opener(m_findings.at(gdFindings->RowData(row).toInt32()));
    Check();
}

void frmCheckStore::on_cmdCheckAgain_clicked() {
    Check();
}
