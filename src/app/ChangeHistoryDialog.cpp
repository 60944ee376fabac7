#include "app/ChangeHistoryDialog.h"

#include "database/ChangeHistory.h"
#include "database/Schema.h"
#include "widgets/ChangeRows.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A day box that may be left empty: its lowest day reads as blank and does not filter.
QDateEdit* DayBox(QWidget* parent) {
    auto* box = new QDateEdit(parent);
    box->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    box->setMinimumDate(QDate(2000, 1, 1));
    box->setSpecialValueText(QStringLiteral(" "));
    box->setCalendarPopup(true);
    box->setDate(box->minimumDate());
    return box;
}

QDate DayOf(const QDateEdit* box) {
    return box->date() == box->minimumDate() ? QDate() : box->date();
}

} // namespace

ChangeHistoryDialog::ChangeHistoryDialog(std::shared_ptr<SqlSession> session, QWidget* parent)
    : QDialog(parent), cboStore(new QComboBox(this)), txtUser(new QLineEdit(this)),
      cboTable(new QComboBox(this)), dtpFrom(DayBox(this)), dtpTo(DayBox(this)),
      cmdShow(new QPushButton(tr("&Show"), this)), gdChanges(new FlexGrid(this)),
      cmdOlder(new QPushButton(tr("&Older"), this)), cmdClose(new QPushButton(tr("Close"), this)),
      m_session(std::move(session)) {
    setObjectName(QStringLiteral("dlgChangeHistory"));
    setWindowTitle(tr("Change History"));
    cboStore->setObjectName(QStringLiteral("cboStore"));
    txtUser->setObjectName(QStringLiteral("txtUser"));
    cboTable->setObjectName(QStringLiteral("cboTable"));
    dtpFrom->setObjectName(QStringLiteral("dtpFrom"));
    dtpTo->setObjectName(QStringLiteral("dtpTo"));
    gdChanges->setObjectName(QStringLiteral("gdChanges"));

    cboStore->addItem(tr("(all)"));
    for (QSqlQuery stores =
             m_session->run(QStringLiteral("SELECT store_no, description FROM zev_store ORDER BY store_no"));
         stores.next();)
        cboStore->addItem(
            QStringLiteral("%1 - %2").arg(stores.value(0).toString(), stores.value(1).toString()),
            stores.value(0));
    cboTable->addItem(tr("(all)"));
    for (const QString& table : Schema::HistoryTables())
        cboTable->addItem(table, table);

    auto* filters = new QHBoxLayout;
    const auto labelled = [&](const QString& text, QWidget* field) {
        auto* label = new QLabel(text, this);
        label->setBuddy(field);
        filters->addWidget(label);
        filters->addWidget(field);
    };
    labelled(tr("S&tore:"), cboStore);
    labelled(tr("&User:"), txtUser);
    labelled(tr("T&able:"), cboTable);
    labelled(tr("&From:"), dtpFrom);
    labelled(tr("T&o:"), dtpTo);
    filters->addWidget(cmdShow);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdOlder);
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(gdChanges, 1);
    layout->addLayout(buttons);
    resize(1000, 560);

    gdChanges->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    connect(cmdShow, &QPushButton::clicked, this, &ChangeHistoryDialog::Show);
    connect(cmdOlder, &QPushButton::clicked, this, &ChangeHistoryDialog::ShowOlder);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    Show();
}

void ChangeHistoryDialog::Show() {
    gdChanges->setRedraw(false);
    gdChanges->setRows(1);
    gdChanges->setFormatString(
        QStringLiteral("<When|<Who|<Table|<Record|<Action|<Column|<Old Value|<New Value"));
    gdChanges->setRowBold(0, true);
    m_oldest = 0;
    AddPage();
}

void ChangeHistoryDialog::ShowOlder() {
    gdChanges->setRedraw(false);
    AddPage();
}

void ChangeHistoryDialog::AddPage() {
    HistoryFilter filter;
    if (cboStore->currentData().isValid())
        filter.storeNo = cboStore->currentData().toInt();
    filter.user = txtUser->text().trimmed();
    filter.table = cboTable->currentData().toString();
    filter.from = DayOf(dtpFrom);
    filter.to = DayOf(dtpTo);
    const auto changes = ChangeHistory::Read(*m_session, filter, m_oldest, PageSize);
    for (const HistoryChange& change : changes) {
        AddChangeRows(*gdChanges, {change.when, change.who, change.table, change.recordKey, change.action},
                      change.columns);
        m_oldest = change.no;
    }
    cmdOlder->setEnabled(changes.size() == size_t(PageSize));
    gdChanges->AutoSize();
    gdChanges->setRedraw(true);
}
