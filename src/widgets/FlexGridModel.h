#pragma once

#include "sdk/Variant.h"
#include "widgets/RowTextStore.h"
#include "widgets/TextFinder.h"
#include "widgets/VariantTable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <map>
#include <memory>
#include <span>
#include <vector>

// The data behind a FlexGrid, addressed by grid row (0 is the header row) and column. Rows keep their text in
// a RowTextStore, or come from a bound VariantTable. The model's own rows are the data rows that are shown:
// rows hidden by the caller or folded under a collapsed outline node are left out, so a million hidden rows
// cost the view nothing.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class DataType { Text, Boolean, Date };

    struct ComboEntry {
        QString key;
        QString text;
    };

    struct Column {
        QString header;
        int alignment = -1; // -1: numbers right, other text left
        DataType type = DataType::Text;
        QString format;
        QString comboList;
        std::vector<ComboEntry> entries; // parsed drop-down list
        bool mapped = false;             // entries are "#value;text"
        bool editableList = false;       // a list starting with "|" also takes typed text
        bool button = false;             // the "..." cell button
        bool hidden = false;
        int width = -1; // pixels; -1 until sized
    };

    explicit FlexGridModel(QObject* parent = nullptr);

    int32_t Rows() const { return int32_t(m_rows.size()) + 1; }
    // Unbinds a bound grid first: its table keeps all its rows.
    void setRows(int32_t rows);
    int32_t Cols() const { return int32_t(m_cols.size()); }
    void setCols(int32_t cols);
    void setFormatString(const QString& format);

    QString TextMatrix(int32_t row, int32_t col) const;
    void setTextMatrix(int32_t row, int32_t col, const QString& text);
    // The cell's value: the bound table's variant, else the cell's text.
    Variant Value(int32_t row, int32_t col) const;
    // What the cell shows: the column's format, drop-down text or nothing for a check box.
    QString DisplayText(int32_t row, int32_t col) const;
    bool Checked(int32_t row, int32_t col) const;

    // Rows in order of a column's values: numbers as numbers, dates as dates, other text without regard to
    // letter case, empty cells first; None puts them back in the order they were added in. Rows keep their
    // data, flags and colours; a bound grid keeps its table's order.
    enum class SortOrder { None, Ascending, Descending };
    void Sort(int32_t col, SortOrder order);

    void AddItem(const QString& text, int32_t index = -1);
    // Appends a row from its cells, as AddItem does from their text joined by tab characters.
    void AddRow(std::span<const QString> cells);
    void RemoveItem(int32_t row);

    bool RowHidden(int32_t row) const;
    void setRowHidden(int32_t row, bool hidden);
    bool IsSubtotal(int32_t row) const;
    void setIsSubtotal(int32_t row, bool node);
    int32_t RowOutlineLevel(int32_t row) const;
    void setRowOutlineLevel(int32_t row, int32_t level);
    bool IsCollapsed(int32_t row) const;
    void setIsCollapsed(int32_t row, bool collapsed);
    void Outline(int32_t level);
    // Shown: neither hidden nor folded under a collapsed node (as of the last redraw while suspended).
    bool RowShown(int32_t row) const { return ViewRow(row) >= 0; }

    bool RowBold(int32_t row) const;
    void setRowBold(int32_t row, bool bold);
    Variant RowData(int32_t row) const;
    void setRowData(int32_t row, const Variant& data);
    Variant CellData(int32_t row, int32_t col) const;
    void setCellData(int32_t row, int32_t col, const Variant& data);
    QColor CellBackColor(int32_t row, int32_t col) const;
    void setCellBackColor(int32_t row, int32_t col, const QColor& color);

    const Column& column(int32_t col) const { return m_cols.at(size_t(col)); }
    void setColAlignment(int32_t col, int alignment);
    void setColDataType(int32_t col, DataType type);
    void setColFormat(int32_t col, const QString& format);
    void setColComboList(int32_t col, const QString& list);
    void setColHidden(int32_t col, bool hidden);
    void setColWidth(int32_t col, int width);

    void BindTo(std::shared_ptr<VariantTable> table);
    void Unbind();
    const std::shared_ptr<VariantTable>& Table() const { return m_table; }
    // Shows the bound table again after the caller changed it (rows added or values set).
    void Refresh();

    bool Editable() const { return m_editable; }
    void setEditable(bool editable);
    // Stores an accepted edit: as text, or into the bound table as a variant of the column's kind.
    void CommitEdit(int32_t row, int32_t col, const QString& value);

    // While suspended the model changes without telling views; resuming shows everything at once.
    void setSuspended(bool suspended);
    bool Suspended() const { return m_suspended; }

    // Appending in blocks: while appending, rows added at the end (and what is set on them) reach the views
    // only at ShowAppended, all at once. Rows the views already show must not change meanwhile.
    void BeginAppend() { m_appending = true; }
    void ShowAppended();
    void EndAppend();
    bool Appending() const { return m_appending; }

    // Quick filter: only the rows holding the text in a shown cell, without regard to letter case, show, each
    // below the outline nodes it folds under; folding is set aside while a filter is set, hidden rows stay
    // hidden. Rows added at the end are filtered as they arrive; a row put between others or changed in
    // place shows until the text changes. A longer text holding the last one only looks at the last matches.
    void setFilter(const QString& text);
    const QString& Filter() const { return m_finder.Text(); }
    // The data rows holding the filter text (all data rows without a filter).
    int32_t FilterMatches() const { return m_finder.Empty() ? Rows() - 1 : m_matches; }
    // Makes the shown text of formatted cells that the filter searches, for about the time given; true when
    // every row has it. Filtering does it anyway, but a million dates take a while: done in slices with the
    // event loop running in between, the window stays alive.
    bool PrepareFilter(int64_t budgetNs);
    // The filter's rule for one data row.
    bool RowHolds(int32_t gridRow, const TextFinder& finder);
    // A row's text as stored: UTF-8 cells separated by tab characters; empty for a bound grid.
    QByteArrayView StoredLine(int32_t gridRow) const;
    // What a cell shows, as the grid copies and exports it: check boxes as "True" or "False".
    QString ShownText(int32_t gridRow, int32_t col) const;

    // Grid row of a model row, and the model row of a grid row (-1 when not shown).
    int32_t GridRow(int viewRow) const;
    int ViewRow(int32_t gridRow) const;

    // Bytes the rows take: texts, row records and extras.
    size_t BytesUsed() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    enum RowFlag : uint16_t { Hidden = 1, Node = 2, Collapsed = 4, Bold = 8 };
    struct Row {
        RowTextStore::Span text;
        uint16_t flags = 0;
        uint8_t level = 0;
        uint8_t spare = 0;
    };
    struct CellExtras {
        Variant data;
        QColor back;
    };
    struct RowExtras {
        std::map<int32_t, CellExtras> cells;
    };

    const Column& checkedColumn(int32_t col) const;
    Row& row(int32_t gridRow);
    const Row& row(int32_t gridRow) const;
    const RowExtras* extras(int32_t gridRow) const;
    RowExtras& extrasFor(int32_t gridRow);
    void addRow(const Row& added, int32_t at);
    void setFlag(int32_t gridRow, RowFlag flag, bool on);
    void countFlags();
    bool identity() const { return m_hiddenRows == 0 && m_collapsedNodes == 0 && m_finder.Empty(); }
    // The filter: how each column is searched, the rows not looked at yet, a formatted cell's shown text.
    enum class Search : uint8_t { Skip, Stored, Shown };
    std::vector<Search> searchedColumns() const;
    bool holds(int32_t gridRow, const TextFinder& finder, const std::vector<Search>& searched);
    void catchUpFilter();
    QByteArrayView shownBytes(int32_t gridRow, int32_t col);
    void forgetShownText();
    // After sorting: order[i] is the index the row placed at i had before.
    void permuteFilter(const std::vector<int32_t>& order);

    QString cellText(const Row& row, int32_t col) const;
    void storeText(Row& row, const QString& lineWithTabs);
    QString joinCells(const QStringList& cells) const;
    QString formatted(const Variant& value, const Column& column) const;

    struct Shown {
        bool all = true;
        std::vector<int32_t> rows;
        int count = 0;
    };
    Shown computeShown();
    Shown filteredShown();
    void install(Shown shown);
    void updateShown();
    void insertRows(int32_t at, int32_t count, const std::vector<Row>& rows);
    void removeRows(int32_t first, int32_t count);
    void clearRows();
    void cellChanged(int32_t gridRow, int32_t col);
    // Puts the rows in a new order: order[i] is the index (from 0) the row placed at i had before.
    void reorder(const std::vector<int32_t>& order);
    void beginReset();
    void endReset();

    std::vector<Column> m_cols;
    bool m_headerBold = false;
    std::vector<Row> m_rows;                          // data rows: grid row g is m_rows[g - 1]
    std::vector<std::unique_ptr<RowExtras>> m_extras; // empty until a cell gets data or colours
    std::vector<Variant> m_rowData;                   // empty until a row gets data: no allocation per row
    std::vector<int32_t> m_origin;                    // empty until sorted: each row's place as added
    int32_t m_nextOrigin = 0;
    RowTextStore m_texts;
    std::shared_ptr<VariantTable> m_table;

    TextFinder m_finder;
    std::vector<uint8_t> m_matched; // per data row from the first, as far as looked at
    int32_t m_matches = 0;
    // The shown text of formatted cells, made once for the filter: per column, a span per data row.
    std::vector<std::vector<RowTextStore::Span>> m_shownText;
    RowTextStore m_shownStore;
    size_t m_shownMade = 0; // rows from the first whose shown text is made

    bool m_allShown = true;
    std::vector<int32_t> m_shown; // grid rows shown, when not every row is
    int m_shownCount = 0;         // rows the views know of
    int32_t m_hiddenRows = 0;
    int32_t m_collapsedNodes = 0;

    bool m_editable = false;
    bool m_suspended = false;
    bool m_appending = false;
    bool m_resetting = false;
};
