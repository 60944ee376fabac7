#include "store/pickers/GridPicker.h"

#include "sdk/RuntimeError.h"
#include "store/data/StoredProcedureCall.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/NamedControl.h"
#include "widgets/Twips.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int InitialWidth = 9000;
constexpr int InitialHeight = 5400;

} // namespace

GridPicker::GridPicker(const QString& caption, Buttons buttons, DoubleClick doubleClick, QWidget* parent)
    : PickerDialog(parent), gdItems(NamedControl<FlexGrid>("gdItems", this)),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"), this)),
      cmdCancel(buttons == Buttons::OkCancel
                    ? NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"), this)
                    : nullptr),
      m_doubleClick(doubleClick) {
    setWindowTitle(caption);
    gdItems->setSelectionMode(FlexGrid::SelectionMode::ListBox);
    gdItems->setSortable(true);
    cmdOk->setDefault(true);
    setLayoutControls(gdItems, cmdOk, cmdCancel);
    picFilter = new GridFilterBox(gdItems, this);
    setFilterBox(picFilter);
    setTabOrder(picFilter->txtFilter, gdItems);
    resize(TwipsToPixels(InitialWidth, this), TwipsToPixels(InitialHeight, this));
    connect(cmdOk, &QPushButton::clicked, this, &GridPicker::on_cmdOk_clicked);
    if (cmdCancel)
        connect(cmdCancel, &QPushButton::clicked, this, &GridPicker::on_cmdCancel_clicked);
    connect(gdItems, &FlexGrid::DblClick, this, &GridPicker::on_gdItems_DblClick);
}

int32_t GridPicker::CountSelected() const {
    return gdItems->SelectedRows();
}

void GridPicker::on_cmdOk_clicked() {
    Confirm();
}

void GridPicker::on_cmdCancel_clicked() {
    Cancel();
}

void GridPicker::on_gdItems_DblClick() {
    if (m_doubleClick == DoubleClick::Confirms)
        Confirm();
}

void GridPicker::ResetGrid(const QString& format) {
    gdItems->setRows(1);
    gdItems->setFormatString(format);
}

void GridPicker::Load(const std::shared_ptr<DBConnection>& db, const QString& procedure, const Inputs& inputs,
                      const RowCells& cells) {
    try {
        StoredProcedureCall call(db, procedure);
        if (inputs)
            inputs(call);
        if (call.openRows()) {
            for (; !call.atEnd(); call.next())
                gdItems->AddItem(cells(call).join(QLatin1Char('\t')));
        }
    } catch (const std::exception&) {
        // a picker that cannot load shows what it has; its caller reports nothing either
    }
    gdItems->AutoSize();
}

int32_t GridPicker::SelectedDataRow(int32_t index) const {
    if (index < 0 || index >= gdItems->SelectedRows())
        return -1;
    return gdItems->SelectedRow(index);
}

bool GridPicker::IsDataRow(int32_t row) const {
    return row >= 1 && row < gdItems->Rows();
}

void GridPicker::ReadLong(int32_t row, int32_t col, int32_t& out) const {
    if (!IsDataRow(row))
        return;
    try {
        out = Variant(gdItems->TextMatrix(row, col)).toInt32();
    } catch (const RuntimeError&) {
    }
}

void GridPicker::ReadInteger(int32_t row, int32_t col, int16_t& out) const {
    if (!IsDataRow(row))
        return;
    try {
        out = Variant(gdItems->TextMatrix(row, col)).toInt16();
    } catch (const RuntimeError&) {
    }
}

void GridPicker::ReadText(int32_t row, int32_t col, QString& out) const {
    if (IsDataRow(row))
        out = gdItems->TextMatrix(row, col);
}

GridPicker::QuietGrid::QuietGrid(FlexGrid* grid) : m_grid(grid) {
    m_grid->setRedraw(false);
}

GridPicker::QuietGrid::~QuietGrid() {
    m_grid->setRedraw(true);
}
