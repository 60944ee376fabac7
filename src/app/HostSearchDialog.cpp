#include "app/HostSearchDialog.h"

#include "database/SqlSession.h"
#include "sdk/ErrorObject.h"
#include "sdk/RuntimeError.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HostSearchDialog::HostSearchDialog(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors,
                                   QWidget* parent)
    : QDialog(parent), txtSearch(new QLineEdit(this)), gdList(new FlexGrid(this)), lblCount(new QLabel(this)),
      cmdOK(new QPushButton(tr("OK"), this)), cmdCancel(new QPushButton(tr("Cancel"), this)),
      m_session(std::move(session)), m_errors(std::move(errors)) {
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    gdList->setObjectName(QStringLiteral("gdList"));
    lblCount->setObjectName(QStringLiteral("lblCount"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    txtSearch->setPlaceholderText(tr("Type to search by number or name"));
    txtSearch->setClearButtonEnabled(true);
    gdList->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdList->setSortable(true);
    cmdOK->setDefault(true);

    LayOut();

    connect(txtSearch, &QLineEdit::textChanged, this, &HostSearchDialog::Search);
    connect(gdList, &FlexGrid::DblClick, this, [this] { Choose(gdList->Row()); });
    connect(cmdOK, &QPushButton::clicked, this, &HostSearchDialog::on_cmdOK_clicked);
    connect(cmdCancel, &QPushButton::clicked, this, &HostSearchDialog::on_cmdCancel_clicked);
}

void HostSearchDialog::LayOut() {
    auto* searchLabel = new QLabel(tr("&Search:"), this);
    searchLabel->setBuddy(txtSearch);
    auto* search = new QHBoxLayout;
    search->addWidget(searchLabel);
    search->addWidget(txtSearch, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblCount, 1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(gdList, 1);
    layout->addLayout(buttons);
    resize(640, 420);
}

void HostSearchDialog::Start(const QString& caption) {
    setWindowTitle(caption);
    gdList->setFormatString(FormatString());
    gdList->setRowBold(0, true);
    Search({});
    txtSearch->setFocus();
}

void HostSearchDialog::Search(const QString& text) {
    BusyPointer busy;
    gdList->setRedraw(false);
    gdList->setRows(1);
    int32_t count = 0;
    try {
        QSqlQuery rows = Rows(*m_session, QLatin1Char('%') + text.trimmed().toLower() + QLatin1Char('%'));
        while (count < MaxRows && rows.next()) {
            gdList->AddItem(RowText(rows));
            ++count;
        }
    } catch (const RuntimeError& error) {
        gdList->setRows(1);
        count = 0;
        m_errors->ReportError(error.number, QStringLiteral("ZevStore.%1 Search").arg(objectName()),
                              error.description);
    }
    if (gdList->Rows() > 1)
        gdList->setRow(1);
    gdList->AutoSize();
    gdList->setRedraw(true);
    lblCount->setText(count >= MaxRows ? tr("The first %1 shown; type to narrow the search.").arg(MaxRows)
                                       : tr("%n found", nullptr, count));
    cmdOK->setEnabled(count > 0);
}

void HostSearchDialog::Choose(int32_t row) {
    if (row < 1 || row >= gdList->Rows())
        return;
    gdList->setRow(row);
    on_cmdOK_clicked();
}

int32_t HostSearchDialog::ChosenNo() const {
    return m_chosenRow > 0 ? gdList->TextMatrix(m_chosenRow, 0).toInt() : 0;
}

QString HostSearchDialog::ChosenText(int32_t col) const {
    return m_chosenRow > 0 ? gdList->TextMatrix(m_chosenRow, col) : QString();
}

void HostSearchDialog::on_cmdOK_clicked() {
    const int32_t row = gdList->Row();
    if (row < 1 || row >= gdList->Rows())
        return;
    m_chosenRow = row;
    m_cancelled = false;
    accept();
}

void HostSearchDialog::on_cmdCancel_clicked() {
    m_cancelled = true;
    reject();
}
