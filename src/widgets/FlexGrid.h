#pragma once

#include "widgets/FlexGridModel.h"

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringList>
#include <QTableView>

class FlexGridDelegate;

// The forms' grid: a table whose row 0 is the header row, so grid row numbers match the forms' logic.
// Rows are added as tab-separated text or come from a bound VariantTable; rows and columns can be hidden;
// columns can be check boxes, dates, formatted numbers, drop-down lists or cell buttons; rows can be
// outline nodes that fold the rows under them. Columns can be resized by the user; a sortable grid sorts by a
// column whose title is clicked (FlexGridModel::Sort). Ctrl+C
// copies the selected rows as tab-separated text; a grid that takes pastes hands Ctrl+V's rows (and Ctrl+Z)
// to its form. Tab and Shift+Tab leave the grid for the next control; while the grid has the focus its
// current row is framed.
//
// Editing (when Editable) goes through three events: BeforeEdit may refuse to start, ValidateEdit may refuse
// the new value (the editor stays open and the cell keeps its old value), AfterEdit follows a stored value.
// An editor closed on the text it opened with raises neither ValidateEdit nor AfterEdit.
// Ticking a check box and pressing a cell button go through BeforeEdit too.
class FlexGrid : public QTableView {
    Q_OBJECT
public:
    using DataType = FlexGridModel::DataType;
    enum class SelectionMode {
        Free,   // single cells
        ByRow,  // one whole row
        ListBox // several whole rows: click, shift-click and control-click; the current row stays apart
    };

    explicit FlexGrid(QWidget* parent = nullptr);

    FlexGridModel* gridModel() const { return m_model; }

    // Shape and text. Row 0 is the header row; "|" separates the format string's headers, a leading "<", "^"
    // or ">" aligns the column left, centred or right.
    void setFormatString(const QString& format);
    int32_t Rows() const { return m_model->Rows(); }
    // Unbinds a bound grid first: its table keeps all its rows.
    void setRows(int32_t rows);
    int32_t Cols() const { return m_model->Cols(); }
    void setCols(int32_t cols);
    QString TextMatrix(int32_t row, int32_t col) const { return m_model->TextMatrix(row, col); }
    void setTextMatrix(int32_t row, int32_t col, const QString& text) {
        m_model->setTextMatrix(row, col, text);
    }
    // Appends (or inserts before row index) a row whose cells are separated by tab characters.
    void AddItem(const QString& text, int32_t index = -1) { m_model->AddItem(text, index); }
    // Appends a row from its cells: the fast way to fill a long grid.
    void AddRow(std::initializer_list<QString> cells) { m_model->AddRow({cells.begin(), cells.size()}); }
    void AddRow(std::span<const QString> cells) { m_model->AddRow(cells); }
    void RemoveItem(int32_t row) { m_model->RemoveItem(row); }
    // Rewrites a row's cells from text separated by tab characters, as AddItem takes it.
    void setRowText(int32_t row, const QString& text);

    Variant RowData(int32_t row) const { return m_model->RowData(row); }
    void setRowData(int32_t row, const Variant& data) { m_model->setRowData(row, data); }
    Variant CellData(int32_t row, int32_t col) const { return m_model->CellData(row, col); }
    void setCellData(int32_t row, int32_t col, const Variant& data) { m_model->setCellData(row, col, data); }
    QColor CellBackColor(int32_t row, int32_t col) const { return m_model->CellBackColor(row, col); }
    void setCellBackColor(int32_t row, int32_t col, const QColor& color) {
        m_model->setCellBackColor(row, col, color);
    }
    // Bold text for a row; row 0 makes the header bold.
    bool RowBold(int32_t row) const { return m_model->RowBold(row); }
    void setRowBold(int32_t row, bool bold) { m_model->setRowBold(row, bold); }
    bool RowHidden(int32_t row) const { return m_model->RowHidden(row); }
    void setRowHidden(int32_t row, bool hidden) { m_model->setRowHidden(row, hidden); }

    // Columns.
    bool ColHidden(int32_t col) const { return m_model->column(col).hidden; }
    void setColHidden(int32_t col, bool hidden);
    int ColWidth(int32_t col) const;
    void setColWidth(int32_t col, int pixels);
    // Qt::AlignLeft, AlignHCenter or AlignRight; -1 puts numbers right and other text left.
    int ColAlignment(int32_t col) const { return m_model->column(col).alignment; }
    void setColAlignment(int32_t col, int alignment) { m_model->setColAlignment(col, alignment); }
    DataType ColDataType(int32_t col) const { return m_model->column(col).type; }
    void setColDataType(int32_t col, DataType type) { m_model->setColDataType(col, type); }
    // "Currency", "#.00", "0.00", date patterns such as "MM/DD/YYYY hh:nn AMPM".
    QString ColFormat(int32_t col) const { return m_model->column(col).format; }
    void setColFormat(int32_t col, const QString& format) { m_model->setColFormat(col, format); }
    // "a|b|c" a drop-down list; "|a|b" one that also takes typed text; "#0; |#5;Groups" a data-mapped list
    // (the cell stores 5 and shows "Groups"); "..." a cell button (CellButtonClick).
    QString ColComboList(int32_t col) const { return m_model->column(col).comboList; }
    void setColComboList(int32_t col, const QString& list) { m_model->setColComboList(col, list); }

    // Outline: nodes with levels; the rows after a node, up to the next node of its level or above, fold
    // under it.
    bool IsSubtotal(int32_t row) const { return m_model->IsSubtotal(row); }
    void setIsSubtotal(int32_t row, bool node) { m_model->setIsSubtotal(row, node); }
    int32_t RowOutlineLevel(int32_t row) const { return m_model->RowOutlineLevel(row); }
    void setRowOutlineLevel(int32_t row, int32_t level) { m_model->setRowOutlineLevel(row, level); }
    bool IsCollapsed(int32_t row) const { return m_model->IsCollapsed(row); }
    void setIsCollapsed(int32_t row, bool collapsed) { m_model->setIsCollapsed(row, collapsed); }
    // Folds every node at the level or deeper and opens the shallower ones; Outline(0) shows only the
    // level-0 nodes; a negative level opens everything.
    void Outline(int32_t level) { m_model->Outline(level); }
    // Whether the outline column shows levels and the symbols that fold and open nodes.
    bool OutlineBar() const { return m_outlineBar; }
    void setOutlineBar(bool on);
    int32_t OutlineCol() const { return m_outlineCol; }
    void setOutlineCol(int32_t col);
    // Neither hidden nor folded away.
    bool RowShown(int32_t row) const { return m_model->RowShown(row); }

    // Selection. The current cell (Row, Col) is kept apart from the selected rows.
    SelectionMode gridSelectionMode() const { return m_selectionMode; }
    void setSelectionMode(SelectionMode mode);
    int32_t Row() const; // -1 when there is no current row
    // The current row when it is a data row of a grid that has some, else 0: the row a command may work on.
    int32_t DataRow() const;
    void setRow(int32_t row);
    int32_t Col() const;
    void setCol(int32_t col);
    int32_t SelectedRows() const;
    // The index-th selected row (from 0), in grid order.
    int32_t SelectedRow(int32_t index) const;
    bool IsSelected(int32_t row) const;
    void setIsSelected(int32_t row, bool selected);
    // The selected rows' shown text, tab-separated, one line per row, after a line of the column titles when
    // asked; CopySelection puts it on the clipboard.
    QString SelectedText(bool withHeaders = false) const;
    void CopySelection() const;
    void CopyWithHeaders() const;
    // Shift-click and control-click select several cells or rows (not in a list box, which always does).
    void setExtendedSelection(bool extended);

    // Pasting rows: a grid that takes them offers "Paste" on its context menu and raises PasteRows for Ctrl+V
    // (outside an open cell, which pastes into itself) and UndoPaste for Ctrl+Z.
    bool Pasteable() const { return m_pasteable; }
    void setPasteable(bool pasteable);
    // Raises PasteRows with the text's rows, less a first row of the visible column titles.
    void PasteText(const QString& text);
    void PasteClipboard();
    // The columns shown, left to right: the order of a copied or pasted row's cells.
    std::vector<int32_t> VisibleCols() const;

    // Quick filter (FlexGridModel::setFilter). When the current row no longer shows, the first shown row
    // becomes current, so the commands on the current row work on a row the user sees.
    void setFilter(const QString& text);
    QString Filter() const { return m_model->Filter(); }
    // The rows holding the filter text, and the data rows in all.
    int32_t FilterMatches() const { return m_model->FilterMatches(); }
    // "Export..." on the context menu: whether it is offered, and what it does (a grid in a dialog may turn
    // it off); the default writes the grid as CSV (ExportDialog).
    QAction* ExportAction() const { return m_export; }
    void ShowCell(int32_t row, int32_t col);

    // Clicking a column title sorts the rows by that column, a second click the other way, a third puts them
    // back in the order they came in; the current and selected rows stay with their records. A new format,
    // column count or row count ends the sort.
    bool Sortable() const { return m_sortable; }
    void setSortable(bool sortable);
    // Sorts as clicking the column's title does.
    void SortBy(int32_t col);
    int32_t SortCol() const { return m_sortCol; } // -1 when the rows are in the order they came in
    FlexGridModel::SortOrder SortOrder() const { return m_sortOrder; }

    // Sizes columns first..last (-1: the last column) to their content plus extra space in twips. A huge
    // grid is measured on a sample of its rows. Until the columns are set again, rows added or changed later
    // widen the columns their texts need.
    void AutoSize(int32_t first = 0, int32_t last = -1, int extraTwips = 0);

    // While Redraw is false the grid neither paints nor tracks changes; setting it true shows everything.
    bool Redraw() const { return !m_model->Suspended(); }
    void setRedraw(bool redraw);

    // Appending in blocks: while appending, rows added at the end reach the screen only at ShowAppended, all
    // at once; rows already shown must not change meanwhile. EndAppend shows the rest.
    void BeginAppend() { m_model->BeginAppend(); }
    void ShowAppended() { m_model->ShowAppended(); }
    void EndAppend() { m_model->EndAppend(); }

    // Binding: the grid shows the table (field f of table row r in grid row r + 1, column f) and edits land
    // in it. Binding the same table again, or Refresh, shows rows added or values set by the caller.
    void BindTo(std::shared_ptr<VariantTable> table) { m_model->BindTo(std::move(table)); }
    void Unbind() { m_model->Unbind(); }
    const std::shared_ptr<VariantTable>& Table() const { return m_model->Table(); }
    void Refresh() { m_model->Refresh(); }

    bool Editable() const { return m_model->Editable(); }
    void setEditable(bool editable);
    // Starts editing the current cell (through BeforeEdit).
    void EditCell();
    // A cell's editor is open.
    bool Editing() const { return state() == EditingState; }
    using QTableView::edit;
    // The text being validated.
    QString EditText() const { return m_editText; }

signals:
    void BeforeEdit(int32_t row, int32_t col, bool& cancel);
    void ValidateEdit(int32_t row, int32_t col, const QString& text, bool& cancel);
    void AfterEdit(int32_t row, int32_t col);
    void CellButtonClick(int32_t row, int32_t col);
    void DblClick();
    void PasteRows(const QList<QStringList>& rows);
    void UndoPaste();

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void applyColumns();
    void holdCurrent();
    void restoreCurrent();
    void makeCurrent(int32_t row, int32_t col);
    void toggleCheck(int32_t row, int32_t col);
    void pressButton(int32_t row, int32_t col);
    std::vector<std::pair<int, int>> selectedRanges() const;
    void FitRows(int firstViewRow, int lastViewRow);
    void EndSort();
    void SizeColumns(int32_t first, int32_t last, int extraTwips, const std::vector<int32_t>& sample,
                     bool growOnly);

    FlexGridModel* m_model;
    FlexGridDelegate* m_delegate;
    QAction* m_export;
    QAction* m_paste;
    bool m_pasteable = false;
    bool m_extendedSelection = false;
    SelectionMode m_selectionMode = SelectionMode::Free;
    bool m_outlineBar = false;
    int32_t m_outlineCol = 0;

    // The current cell while the model is being reset (Redraw false, binding, new columns).
    bool m_holding = false;
    int32_t m_heldRow = -1;
    int32_t m_heldCol = 0;
    bool m_applyingColumns = false;
    bool m_sortable = false;
    int32_t m_sortCol = -1;
    FlexGridModel::SortOrder m_sortOrder = FlexGridModel::SortOrder::None;
    // The last AutoSize, which rows added or changed later follow.
    struct {
        bool on = false;
        int32_t first = 0;
        int32_t last = -1;
        int extraTwips = 0;
    } m_autoSize;

    QPersistentModelIndex m_editIndex;
    QString m_startText; // the editor's text when it opened
    QString m_editText;
    bool m_validating = false;
    bool m_committed = false;
    QPointer<QWidget> m_refused;       // the editor whose value was just refused: it stays open
    QPointer<QWidget> m_refusedEditor; // with m_refusedText: what was refused, until a key is typed
    QString m_refusedText;
};
