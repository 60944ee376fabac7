#include "widgets/FlexGrid.h"

#include "widgets/ClipboardRows.h"
#include "widgets/ExportDialog.h"
#include "widgets/FlexGridDelegate.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <algorithm>

namespace {
// Rows measured by AutoSize in a huge grid: the first ones, the last ones and a spread in between.
constexpr int MeasureAll = 2000;
constexpr int MeasureHead = 1000;
constexpr int MeasureTail = 500;
constexpr int MeasureSpread = 500;
// Characters of a cell measured by AutoSize: wider than any screen, and measuring a huge text takes seconds.
constexpr int MeasureChars = 512;
constexpr int CellPadding = 10;
constexpr int HeaderPadding = 14;

int PlainWidth(QHash<QString, int>& widths, const QFontMetrics& metrics, const QString& text) {
    const auto found = widths.constFind(text);
    if (found != widths.cend())
        return *found;
    return *widths.insert(text, metrics.horizontalAdvance(text));
}
} // namespace

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent), m_model(new FlexGridModel(this)), m_delegate(new FlexGridDelegate(this)) {
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSortingEnabled(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    // Tab moves on to the buttons beside the grid; the arrow keys move between cells.
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setMinimumSectionSize(12);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    setSelectionMode(SelectionMode::Free);

    connect(m_model, &QAbstractItemModel::modelAboutToBeReset, this, &FlexGrid::holdCurrent);
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] {
        applyColumns();
        restoreCurrent();
    });
    connect(m_model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) {
                if (!currentIndex().isValid())
                    makeCurrent(m_model->GridRow(0), 0);
                FitRows(first, last);
            });
    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (topLeft.isValid() && bottomRight.isValid())
                    FitRows(topLeft.row(), bottomRight.row());
            });
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        if (m_sortable)
            SortBy(col);
    });
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int col, int, int size) {
        if (!m_applyingColumns && size > 0 && col < Cols())
            m_model->setColWidth(col, size);
    });

    auto* copy = new QAction(tr("&Copy"), this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut); // the key itself is handled in keyPressEvent
    connect(copy, &QAction::triggered, this, &FlexGrid::CopySelection);
    addAction(copy);
    m_paste = new QAction(tr("&Paste"), this);
    m_paste->setObjectName(QStringLiteral("mnuPaste"));
    m_paste->setShortcut(QKeySequence::Paste);
    m_paste->setShortcutContext(Qt::WidgetShortcut);
    m_paste->setVisible(false);
    connect(m_paste, &QAction::triggered, this, &FlexGrid::PasteClipboard);
    addAction(m_paste);
    auto* copyWithHeaders = new QAction(tr("Copy with &Headers"), this);
    copyWithHeaders->setObjectName(QStringLiteral("mnuCopyWithHeaders"));
    connect(copyWithHeaders, &QAction::triggered, this, &FlexGrid::CopyWithHeaders);
    addAction(copyWithHeaders);
    m_export = new QAction(tr("&Export..."), this);
    m_export->setObjectName(QStringLiteral("mnuExport"));
    connect(m_export, &QAction::triggered, this, [this] { ExportDialog::Export(this, window()); });
    addAction(m_export);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

// ---- shape ------------------------------------------------------------------------------------------------

void FlexGrid::setFormatString(const QString& format) {
    m_autoSize.on = false; // new columns are sized when the form sizes them
    EndSort();
    m_model->setFormatString(format);
}

void FlexGrid::setRows(int32_t rows) {
    EndSort();
    m_model->setRows(rows);
}

void FlexGrid::setCols(int32_t cols) {
    m_autoSize.on = false;
    EndSort();
    m_model->setCols(cols);
}

void FlexGrid::setColHidden(int32_t col, bool hidden) {
    m_model->setColHidden(col, hidden);
    applyColumns();
}

int FlexGrid::ColWidth(int32_t col) const {
    const int width = m_model->column(col).width;
    return width >= 0 ? width : horizontalHeader()->defaultSectionSize();
}

void FlexGrid::setColWidth(int32_t col, int pixels) {
    m_model->setColWidth(col, pixels);
    applyColumns();
}

void FlexGrid::applyColumns() {
    if (m_model->Suspended())
        return;
    m_applyingColumns = true;
    for (int32_t c = 0; c < Cols(); ++c) {
        const auto& column = m_model->column(c);
        if (column.width >= 0 && !column.hidden)
            setColumnWidth(c, column.width);
        setColumnHidden(c, column.hidden);
    }
    m_applyingColumns = false;
}

void FlexGrid::setOutlineBar(bool on) {
    m_outlineBar = on;
    viewport()->update();
}

void FlexGrid::setOutlineCol(int32_t col) {
    m_outlineCol = col;
    viewport()->update();
}

// ---- current cell and selection ---------------------------------------------------------------------------

void FlexGrid::setSelectionMode(SelectionMode mode) {
    m_selectionMode = mode;
    switch (mode) {
    case SelectionMode::Free:
        QTableView::setSelectionMode(m_extendedSelection ? QAbstractItemView::ExtendedSelection
                                                         : QAbstractItemView::SingleSelection);
        setSelectionBehavior(QAbstractItemView::SelectItems);
        break;
    case SelectionMode::ByRow:
        QTableView::setSelectionMode(m_extendedSelection ? QAbstractItemView::ExtendedSelection
                                                         : QAbstractItemView::SingleSelection);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        break;
    case SelectionMode::ListBox:
        QTableView::setSelectionMode(QAbstractItemView::ExtendedSelection);
        setSelectionBehavior(QAbstractItemView::SelectRows);
        break;
    }
}

void FlexGrid::setRowText(int32_t row, const QString& text) {
    const QStringList cells = text.split(QLatin1Char('\t'));
    for (int32_t col = 0; col < int32_t(cells.size()) && col < Cols(); ++col)
        setTextMatrix(row, col, cells[col]);
}

int32_t FlexGrid::DataRow() const {
    const int32_t row = Row();
    return row > 0 && Rows() > 1 ? row : 0;
}

int32_t FlexGrid::Row() const {
    if (m_holding)
        return m_heldRow;
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->GridRow(current.row()) : -1;
}

int32_t FlexGrid::Col() const {
    if (m_holding)
        return m_heldCol;
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.column() : 0;
}

void FlexGrid::setRow(int32_t row) {
    if (m_holding)
        m_heldRow = row;
    else
        makeCurrent(row, Col());
}

void FlexGrid::setCol(int32_t col) {
    if (m_holding)
        m_heldCol = col;
    else
        makeCurrent(Row(), col);
}

void FlexGrid::makeCurrent(int32_t row, int32_t col) {
    const int viewRow = m_model->ViewRow(row);
    if (viewRow < 0 || col < 0 || col >= Cols())
        return;
    const QModelIndex index = m_model->index(viewRow, col);
    // A list box moves its cursor without touching the selected rows.
    QItemSelectionModel::SelectionFlags command = QItemSelectionModel::NoUpdate;
    if (m_selectionMode == SelectionMode::ByRow)
        command = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    else if (m_selectionMode == SelectionMode::Free)
        command = QItemSelectionModel::ClearAndSelect;
    selectionModel()->setCurrentIndex(index, command);
}

void FlexGrid::holdCurrent() {
    if (m_holding)
        return;
    m_heldRow = Row();
    m_heldCol = Col();
    m_holding = true;
}

void FlexGrid::restoreCurrent() {
    if (m_model->Suspended())
        return;
    m_holding = false;
    if (m_model->ViewRow(m_heldRow) >= 0)
        makeCurrent(m_heldRow, m_heldCol);
    else if (m_model->rowCount() > 0)
        makeCurrent(m_model->GridRow(0), std::clamp(m_heldCol, 0, Cols() - 1));
}

std::vector<std::pair<int, int>> FlexGrid::selectedRanges() const {
    std::vector<std::pair<int, int>> ranges;
    if (m_holding)
        return ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.emplace_back(range.top(), range.bottom());
    std::sort(ranges.begin(), ranges.end());
    std::vector<std::pair<int, int>> merged;
    for (const auto& range : ranges) {
        if (!merged.empty() && range.first <= merged.back().second + 1)
            merged.back().second = std::max(merged.back().second, range.second);
        else
            merged.push_back(range);
    }
    return merged;
}

int32_t FlexGrid::SelectedRows() const {
    int32_t count = 0;
    for (const auto& [top, bottom] : selectedRanges())
        count += bottom - top + 1;
    return count;
}

int32_t FlexGrid::SelectedRow(int32_t index) const {
    for (const auto& [top, bottom] : selectedRanges()) {
        if (index <= bottom - top)
            return m_model->GridRow(top + index);
        index -= bottom - top + 1;
    }
    return -1;
}

bool FlexGrid::IsSelected(int32_t row) const {
    const int viewRow = m_model->ViewRow(row);
    return viewRow >= 0 && !m_holding && selectionModel()->rowIntersectsSelection(viewRow);
}

void FlexGrid::setIsSelected(int32_t row, bool selected) {
    const int viewRow = m_model->ViewRow(row);
    if (viewRow < 0 || m_holding)
        return;
    const QItemSelection rowCells(m_model->index(viewRow, 0), m_model->index(viewRow, Cols() - 1));
    selectionModel()->select(rowCells,
                             selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

QString FlexGrid::SelectedText(bool withHeaders) const {
    QString text;
    if (withHeaders) {
        QStringList titles;
        for (int32_t c = 0; c < Cols(); ++c)
            if (!ColHidden(c))
                titles << m_model->column(c).header;
        text = titles.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    for (const auto& [top, bottom] : selectedRanges()) {
        for (int viewRow = top; viewRow <= bottom; ++viewRow) {
            const int32_t row = m_model->GridRow(viewRow);
            QStringList cells;
            for (int32_t c = 0; c < Cols(); ++c) {
                if (ColHidden(c))
                    continue;
                cells << ClipboardRows::Cell(m_model->ShownText(row, c));
            }
            text += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
    }
    return text;
}

void FlexGrid::CopySelection() const {
    QApplication::clipboard()->setText(SelectedText());
}

void FlexGrid::CopyWithHeaders() const {
    QApplication::clipboard()->setText(SelectedText(true));
}

void FlexGrid::setExtendedSelection(bool extended) {
    m_extendedSelection = extended;
    setSelectionMode(m_selectionMode);
}

void FlexGrid::setPasteable(bool pasteable) {
    m_pasteable = pasteable;
    m_paste->setVisible(pasteable);
}

std::vector<int32_t> FlexGrid::VisibleCols() const {
    std::vector<int32_t> cols;
    for (int32_t c = 0; c < Cols(); ++c)
        if (!ColHidden(c))
            cols.push_back(c);
    return cols;
}

void FlexGrid::PasteText(const QString& text) {
    if (!m_pasteable || Editing())
        return;
    QStringList headers;
    for (const int32_t c : VisibleCols())
        headers << m_model->column(c).header;
    const QList<QStringList> rows = ClipboardRows::WithoutHeader(ClipboardRows::Parse(text), headers);
    if (!rows.isEmpty())
        emit PasteRows(rows);
}

void FlexGrid::PasteClipboard() {
    PasteText(QApplication::clipboard()->text());
}

void FlexGrid::setFilter(const QString& text) {
    if (text == Filter())
        return;
    m_model->setFilter(text);
    if (!currentIndex().isValid() && m_model->rowCount() > 0)
        makeCurrent(m_model->GridRow(0), std::max(0, Col()));
}

void FlexGrid::ShowCell(int32_t row, int32_t col) {
    const int viewRow = m_model->ViewRow(row);
    if (viewRow >= 0 && !m_holding && col >= 0 && col < Cols())
        scrollTo(m_model->index(viewRow, col));
}

// ---- sizing and drawing
// ----------------------------------------------------------------------------------------

void FlexGrid::AutoSize(int32_t first, int32_t last, int extraTwips) {
    m_autoSize = {true, first, last, extraTwips};
    if (last < 0 || last >= Cols())
        last = Cols() - 1;
    first = std::max(first, 0);
    // Grid rows, not the view's: the forms size columns while drawing is suspended.
    const int32_t rows = Rows() - 1;
    std::vector<int32_t> sample;
    if (rows <= MeasureAll) {
        for (int32_t r = 1; r <= rows; ++r)
            sample.push_back(r);
    } else {
        for (int32_t r = 1; r <= MeasureHead; ++r)
            sample.push_back(r);
        const int64_t middle = rows - MeasureHead - MeasureTail;
        for (int i = 0; i < MeasureSpread; ++i)
            sample.push_back(MeasureHead + 1 + int32_t(middle * i / MeasureSpread));
        for (int32_t r = rows - MeasureTail + 1; r <= rows; ++r)
            sample.push_back(r);
    }
    SizeColumns(first, last, extraTwips, sample, false);
}

// Rows added or changed after the columns were sized to their content: a column whose new texts are wider
// grows to show them whole.
void FlexGrid::FitRows(int firstViewRow, int lastViewRow) {
    if (!m_autoSize.on || m_model->Suspended() || m_model->Appending() ||
        lastViewRow - firstViewRow >= MeasureAll)
        return;
    std::vector<int32_t> sample;
    for (int viewRow = firstViewRow; viewRow <= lastViewRow; ++viewRow)
        sample.push_back(m_model->GridRow(viewRow));
    const int32_t last = m_autoSize.last < 0 || m_autoSize.last >= Cols() ? Cols() - 1 : m_autoSize.last;
    SizeColumns(std::max(m_autoSize.first, 0), last, m_autoSize.extraTwips, sample, true);
}

void FlexGrid::SizeColumns(int32_t first, int32_t last, int extraTwips, const std::vector<int32_t>& sample,
                           bool growOnly) {
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics plain(font());
    const QFontMetrics bold(boldFont);
    QFont headerFont = horizontalHeader()->font();
    headerFont.setBold(m_model->RowBold(0));
    const QFontMetrics headerMetrics(headerFont);
    const int checkWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
    const int extra = TwipsToPixels(extraTwips, this);
    // A sortable grid's titles leave room for the sort mark.
    const int sortMark = m_sortable ? style()->pixelMetric(QStyle::PM_HeaderMarkSize, nullptr, this) + 4 : 0;

    m_applyingColumns = true;
    for (int32_t c = first; c <= last; ++c) {
        const auto& column = m_model->column(c);
        int width = headerMetrics.horizontalAdvance(column.header) + HeaderPadding + sortMark;
        // Columns repeat their texts (a group, a status): each text is measured once.
        QHash<QString, int> plainWidths;
        for (const int32_t row : sample) {
            if (m_model->RowHidden(row))
                continue;
            int cell = CellPadding;
            if (column.type == DataType::Boolean)
                cell += checkWidth;
            else if (m_model->RowBold(row))
                cell += bold.horizontalAdvance(m_model->DisplayText(row, c).left(MeasureChars));
            else
                cell += PlainWidth(plainWidths, plain, m_model->DisplayText(row, c).left(MeasureChars));
            if (column.button)
                cell += FlexGridDelegate::ButtonRect({}).width();
            if (m_outlineBar && c == m_outlineCol)
                cell += FlexGridDelegate::OutlineIndent(m_model->RowOutlineLevel(row));
            width = std::max(width, cell);
        }
        width += extra;
        if (growOnly && width <= ColWidth(c))
            continue;
        m_model->setColWidth(c, width);
        if (!column.hidden && !m_model->Suspended()) {
            setColumnWidth(c, width);
            m_model->setColWidth(c, columnWidth(c)); // the header keeps a minimum width
        }
    }
    m_applyingColumns = false;
}

void FlexGrid::setRedraw(bool redraw) {
    if (redraw == Redraw())
        return;
    if (!redraw)
        holdCurrent();
    viewport()->setUpdatesEnabled(redraw);
    m_model->setSuspended(!redraw);
    if (redraw)
        viewport()->update();
}

// ---- editing
// ------------------------------------------------------------------------------------------------

void FlexGrid::setEditable(bool editable) {
    m_model->setEditable(editable);
    viewport()->update();
}

void FlexGrid::EditCell() {
    const QModelIndex current = currentIndex();
    if (current.isValid())
        edit(current, AllEditTriggers, nullptr);
}

bool FlexGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool starting = index.isValid() && Editable() &&
                          (trigger == AllEditTriggers || (editTriggers() & trigger)) &&
                          (m_model->flags(index) & Qt::ItemIsEditable) && state() != EditingState;
    if (!starting)
        return QTableView::edit(index, trigger, event);
    bool cancel = false;
    emit BeforeEdit(m_model->GridRow(index.row()), index.column(), cancel);
    if (cancel)
        return false;
    m_editIndex = index;
    m_refused = nullptr;
    m_refusedEditor = nullptr;
    if (!QTableView::edit(index, trigger, event))
        return false;
    if (QWidget* editor = indexWidget(index)) {
        editor->installEventFilter(this);
        m_startText = m_delegate->EditorValue(editor);
    }
    return true;
}

bool FlexGrid::eventFilter(QObject* watched, QEvent* event) {
    // Keys typed after a refusal make the next commit a new attempt, validated (and answered) again.
    if (event->type() == QEvent::KeyPress && watched == m_refusedEditor)
        m_refusedEditor = nullptr;
    return QTableView::eventFilter(watched, event);
}

void FlexGrid::commitData(QWidget* editor) {
    // A message box shown while validating takes the focus from the editor; that is no new commit.
    if (m_validating || !m_editIndex.isValid())
        return;
    const int32_t row = m_model->GridRow(m_editIndex.row());
    const int32_t col = m_editIndex.column();
    const QString text = m_delegate->EditorValue(editor);
    // Leaving a cell as it was is no edit: nothing to check, store or report.
    if (text == m_startText)
        return;
    if (editor == m_refusedEditor && text == m_refusedText) {
        // One gesture can commit twice (focus leaving, then the cursor moving): refuse again, quietly.
        m_refused = editor;
        return;
    }
    m_editText = text;
    bool cancel = false;
    m_validating = true;
    emit ValidateEdit(row, col, m_editText, cancel);
    m_validating = false;
    if (cancel) {
        m_refused = editor;
        m_refusedEditor = editor;
        m_refusedText = text;
        return;
    }
    m_model->CommitEdit(row, col, m_editText);
    m_committed = true;
}

void FlexGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (m_validating)
        return;
    if (editor == m_refused && hint != QAbstractItemDelegate::RevertModelCache) {
        // The value was refused: the editor stays open on its cell with the text the user typed.
        m_refused = nullptr;
        if (m_editIndex.isValid() && currentIndex() != QModelIndex(m_editIndex))
            selectionModel()->setCurrentIndex(m_editIndex, QItemSelectionModel::NoUpdate);
        editor->setFocus();
        return;
    }
    m_refused = nullptr;
    const int32_t row = m_editIndex.isValid() ? m_model->GridRow(m_editIndex.row()) : -1;
    const int32_t col = m_editIndex.column();
    const bool committed = m_committed;
    m_committed = false;
    m_editIndex = QPersistentModelIndex();
    // Tab in a cell stores the value and leaves the grid, as Tab on the grid does, rather than opening the
    // next cell.
    const bool leave =
        hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
    if (committed && row > 0)
        emit AfterEdit(row, col);
    if (leave && hasFocus())
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
}

void FlexGrid::toggleCheck(int32_t row, int32_t col) {
    bool cancel = false;
    emit BeforeEdit(row, col, cancel);
    if (cancel)
        return;
    m_editText = m_model->Checked(row, col) ? QStringLiteral("False") : QStringLiteral("True");
    emit ValidateEdit(row, col, m_editText, cancel);
    if (cancel)
        return;
    m_model->CommitEdit(row, col, m_editText);
    emit AfterEdit(row, col);
}

void FlexGrid::pressButton(int32_t row, int32_t col) {
    bool cancel = false;
    emit BeforeEdit(row, col, cancel);
    if (!cancel)
        emit CellButtonClick(row, col);
}

// ---- mouse and keys
// --------------------------------------------------------------------------------------------

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    const int32_t row = index.isValid() ? m_model->GridRow(index.row()) : -1;
    if (index.isValid() && m_outlineBar && index.column() == m_outlineCol && IsSubtotal(row) &&
        FlexGridDelegate::SymbolRect(visualRect(index), RowOutlineLevel(row))
            .adjusted(-2, -2, 2, 2)
            .contains(pos)) {
        setIsCollapsed(row, !IsCollapsed(row));
        return;
    }
    QTableView::mousePressEvent(event);
    if (!index.isValid() || event->button() != Qt::LeftButton || !Editable() || state() == EditingState)
        return;
    const auto& column = m_model->column(index.column());
    if (column.type == DataType::Boolean)
        toggleCheck(row, index.column());
    else if (column.button && FlexGridDelegate::ButtonRect(visualRect(index)).contains(pos))
        pressButton(row, index.column());
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        event->accept();
        return;
    }
    if (m_pasteable && (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Undo))) {
        event->accept();
        if (event->matches(QKeySequence::Paste))
            PasteClipboard();
        else
            emit UndoPaste();
        return;
    }
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Space && current.isValid() && Editable() && state() != EditingState) {
        const auto& column = m_model->column(current.column());
        const int32_t row = m_model->GridRow(current.row());
        if (column.type == DataType::Boolean) {
            toggleCheck(row, current.column());
            return;
        }
        if (column.button) {
            pressButton(row, current.column());
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

// ---- sorting
// -----------------------------------------------------------------------------------------------

void FlexGrid::setSortable(bool sortable) {
    m_sortable = sortable;
    horizontalHeader()->setSectionsClickable(sortable);
    horizontalHeader()->setSortIndicatorShown(sortable);
    if (!sortable && m_sortCol >= 0)
        SortBy(-1);
    EndSort();
}

void FlexGrid::SortBy(int32_t col) {
    using Order = FlexGridModel::SortOrder;
    if (Cols() == 0)
        return;
    Order order = Order::None;
    if (col >= 0 && col < Cols())
        order = col != m_sortCol                  ? Order::Ascending
                : m_sortOrder == Order::Ascending ? Order::Descending
                                                  : Order::None;
    m_model->Sort(order == Order::None ? 0 : col, order);
    m_sortCol = order == Order::None ? -1 : col;
    m_sortOrder = order;
    if (order == Order::None)
        horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    else
        horizontalHeader()->setSortIndicator(col, order == Order::Ascending ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
    const QModelIndex current = currentIndex();
    if (current.isValid())
        scrollTo(current);
}

// Rows that come anew arrive in their own order, with no column marked.
void FlexGrid::EndSort() {
    m_sortCol = -1;
    m_sortOrder = FlexGridModel::SortOrder::None;
    horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

// ---- the focused row
// ----------------------------------------------------------------------------------------------

// A frame round the current row shows where the keys act, also in grids that select single cells or keep the
// current row apart from the selected ones.
void FlexGrid::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!hasFocus() || !current.isValid())
        return;
    int first = -1;
    int last = -1;
    for (int col = 0; col < m_model->columnCount(); ++col) {
        if (isColumnHidden(col))
            continue;
        if (first < 0)
            first = col;
        last = col;
    }
    if (first < 0)
        return;
    const QRect row = visualRect(m_model->index(current.row(), first))
                          .united(visualRect(m_model->index(current.row(), last)));
    if (row.isEmpty())
        return;
    QPainter painter(viewport());
    QPen pen(palette().color(QPalette::Active, QPalette::Text));
    pen.setWidth(2);
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(row.adjusted(1, 1, -1, -1));
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update();
}

void FlexGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void FlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (hasFocus())
        viewport()->update();
}
