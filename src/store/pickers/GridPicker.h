#pragma once

#include "store/pickers/PickerDialog.h"

#include <QStringList>
#include <functional>
#include <memory>

class DBConnection;
class FlexGrid;
class GridFilterBox;
class StoredProcedureCall;

// A picker of one grid filled from one stored procedure, with OK and (optionally) Cancel. Several rows may be
// selected at once, list-box style; the current row is kept apart from the selection.
class GridPicker : public PickerDialog {
    Q_OBJECT
public:
    // True from load on; false only after OK (or a confirming double-click).
    bool UserCancelled = true;

    int32_t CountSelected() const;

    GridFilterBox* picFilter; // the quick filter above the grid
    FlexGrid* gdItems;
    QPushButton* cmdOk;
    QPushButton* cmdCancel; // null where the picker only shows

protected:
    enum class Buttons { OkOnly, OkCancel };
    enum class DoubleClick { Ignored, Confirms };
    GridPicker(const QString& caption, Buttons buttons, DoubleClick doubleClick, QWidget* parent);

    void setCancelled(bool cancelled) override { UserCancelled = cancelled; }

    // The header row only, with the given columns.
    void ResetGrid(const QString& format);
    using Inputs = std::function<void(StoredProcedureCall&)>;
    using RowCells = std::function<QStringList(const StoredProcedureCall&)>;
    // Adds one row per record of the procedure, in the order returned, then fits the columns. A failure ends
    // the loading quietly with the rows read so far.
    void Load(const std::shared_ptr<DBConnection>& db, const QString& procedure, const Inputs& inputs,
              const RowCells& cells);

    // The grid's data row for a selection index (from 0); -1 when there is none.
    int32_t SelectedDataRow(int32_t index) const;
    // Cell readers of the result operations: a cell that does not convert leaves the out argument as it was.
    void ReadLong(int32_t row, int32_t col, int32_t& out) const;
    void ReadInteger(int32_t row, int32_t col, int16_t& out) const;
    void ReadText(int32_t row, int32_t col, QString& out) const;

    // Stops the grid from painting while it is filled.
    class QuietGrid {
    public:
        explicit QuietGrid(FlexGrid* grid);
        ~QuietGrid();
        QuietGrid(const QuietGrid&) = delete;
        QuietGrid& operator=(const QuietGrid&) = delete;

    private:
        FlexGrid* m_grid;
    };

private slots:
    void on_cmdOk_clicked();
    void on_cmdCancel_clicked();
    void on_gdItems_DblClick();

private:
    bool IsDataRow(int32_t row) const;

    DoubleClick m_doubleClick;
};
