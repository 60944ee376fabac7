#include "store/editors/store/frmSelectRegister.h"

#include "sdk/DBConnection.h"
#include "sdk/Version.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/NamedControl.h"
#include "widgets/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int InitialWidth = 7200;
constexpr int InitialHeight = 4200;
constexpr int LabelHeight = 255;

// The register picker belongs to the register product, so its failures are reported under that name.
QString RegisterErrorSource() {
    return QStringLiteral("ZevRegister.frmSelectRegister (%1.%2.%3)")
        .arg(zev::VersionMajor)
        .arg(zev::VersionMinor)
        .arg(zev::VersionRevision);
}

// Closes the record set on every path; a failing close changes nothing.
class ClosedAtEnd {
public:
    explicit ClosedAtEnd(const std::shared_ptr<Recordset>& rows) : m_rows(rows) {}
    ~ClosedAtEnd() {
        try {
            if (m_rows && m_rows->State() != Recordset::StateClosed)
                m_rows->Close();
        } catch (...) {
        }
    }
    ClosedAtEnd(const ClosedAtEnd&) = delete;
    ClosedAtEnd& operator=(const ClosedAtEnd&) = delete;

private:
    std::shared_ptr<Recordset> m_rows;
};

} // namespace

frmSelectRegister::frmSelectRegister(QWidget* parent)
    : PickerDialog(parent),
      Label1(NamedControl<QLabel>(
          "Label1", QStringLiteral("Select one of the following available registers to install:"), this)),
      dbgRegisters(NamedControl<FlexGrid>("dbgRegisters", this)),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"), this)),
      cmdCancel(NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"), this)),
      m_errors(ErrorState::WithSource(RegisterErrorSource())) {
    setWindowTitle(QStringLiteral("Select Register"));
    dbgRegisters->setFormatString(QStringLiteral("Register|Group|RevenueCenter|Location"));
    dbgRegisters->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    dbgRegisters->setSortable(true);
    cmdOk->setDefault(true);
    Label1->setGeometry(TwipsRect(Margin, Margin, InitialWidth - 2 * Margin, LabelHeight, this));
    setLayoutControls(dbgRegisters, cmdOk, cmdCancel, 2 * Margin + LabelHeight);
    auto* filter = new GridFilterBox(dbgRegisters, this);
    setFilterBox(filter);
    setTabOrder(filter->txtFilter, dbgRegisters);
    resize(TwipsToPixels(InitialWidth, this), TwipsToPixels(InitialHeight, this));
    connect(cmdOk, &QPushButton::clicked, this, &frmSelectRegister::on_cmdOk_clicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmSelectRegister::on_cmdCancel_clicked);
    connect(dbgRegisters, &FlexGrid::DblClick, this, &frmSelectRegister::on_dbgRegisters_DblClick);
}

QString frmSelectRegister::FreeRegistersQuery() {
    return QStringLiteral("SELECT * FROM zev_register") +
           QStringLiteral(" WHERE (status_id = 'Avail' OR status_id IS NULL)") +
           QStringLiteral(" AND (check_out_computer IS NULL") +
           QStringLiteral(" OR check_out_computer = '' OR check_out_computer = 'Avail')") +
           QStringLiteral(" order by register_id");
}

void frmSelectRegister::Setup(const std::shared_ptr<DBConnection>& oDB,
                              const std::shared_ptr<ErrorObject>& oError) {
    dbgRegisters->setRows(1);
    m_errors.Guard(oError, QStringLiteral("Setup"), [&] {
        AddFreeRegisters(oDB);
        return true;
    });
    dbgRegisters->AutoSize();
}

void frmSelectRegister::AddFreeRegisters(const std::shared_ptr<DBConnection>& oDB) {
    if (!oDB)
        return;
    const std::shared_ptr<Recordset> rows = oDB->OpenRecordset(FreeRegistersQuery(), 0);
    const ClosedAtEnd closer(rows);
    if (!rows)
        return;
    for (; !rows->Eof(); rows->MoveNext()) {
        QStringList cells;
        for (const char* column : {"Register_id", "Register_Group_ID", "Revenue_Center_ID", "location_id"})
            cells << rows->Fields(QLatin1String(column))->Value().toText();
        dbgRegisters->AddItem(cells.join(QLatin1Char('\t')));
    }
}

QString frmSelectRegister::RegisterId() const {
    const int32_t row = dbgRegisters->Row();
    return row >= 1 ? dbgRegisters->TextMatrix(row, 0) : QString();
}

void frmSelectRegister::on_cmdOk_clicked() {
    Confirm();
}

void frmSelectRegister::on_cmdCancel_clicked() {
    Cancel();
}

void frmSelectRegister::on_dbgRegisters_DblClick() {
    Confirm();
}
