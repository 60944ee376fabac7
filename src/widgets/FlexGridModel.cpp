#include "widgets/FlexGridModel.h"

#include "sdk/Format.h"
#include "sdk/RuntimeError.h"

#include <QBrush>
#include <QFont>
#include <algorithm>
#include <numeric>

namespace {

RuntimeError OutOfRange() {
    return RuntimeError(9, QStringLiteral("Subscript out of range"));
}

QString NoTabs(QString text) {
    return text.replace(QLatin1Char('\t'), QLatin1Char(' '));
}

} // namespace

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {
    m_cols.resize(1);
}

// ---- rows and cells -------------------------------------------------------------------------------------

FlexGridModel::Row& FlexGridModel::row(int32_t gridRow) {
    if (gridRow < 1 || gridRow >= Rows())
        throw OutOfRange();
    return m_rows[size_t(gridRow - 1)];
}

const FlexGridModel::Row& FlexGridModel::row(int32_t gridRow) const {
    if (gridRow < 1 || gridRow >= Rows())
        throw OutOfRange();
    return m_rows[size_t(gridRow - 1)];
}

const FlexGridModel::RowExtras* FlexGridModel::extras(int32_t gridRow) const {
    row(gridRow);
    return m_extras.empty() ? nullptr : m_extras[size_t(gridRow - 1)].get();
}

FlexGridModel::RowExtras& FlexGridModel::extrasFor(int32_t gridRow) {
    row(gridRow);
    if (m_extras.empty())
        m_extras.resize(m_rows.size());
    auto& slot = m_extras[size_t(gridRow - 1)];
    if (!slot)
        slot = std::make_unique<RowExtras>();
    return *slot;
}

QString FlexGridModel::cellText(const Row& row, int32_t col) const {
    const QByteArrayView line = m_texts.View(row.text);
    qsizetype start = 0;
    for (int32_t i = 0; i < col; ++i) {
        const qsizetype tab = line.indexOf('\t', start);
        if (tab < 0)
            return {};
        start = tab + 1;
    }
    qsizetype end = line.indexOf('\t', start);
    if (end < 0)
        end = line.size();
    return QString::fromUtf8(line.sliced(start, end - start));
}

void FlexGridModel::storeText(Row& row, const QString& lineWithTabs) {
    // Cells beyond the last column are dropped, as the grid has nowhere to show them.
    qsizetype end = -1;
    for (int32_t i = 0; i < Cols(); ++i) {
        end = lineWithTabs.indexOf(QLatin1Char('\t'), end + 1);
        if (end < 0)
            break;
    }
    row.text = m_texts.Append(end < 0 ? QStringView(lineWithTabs) : QStringView(lineWithTabs).left(end));
}

QString FlexGridModel::joinCells(const QStringList& cells) const {
    return cells.join(QLatin1Char('\t'));
}

void FlexGridModel::cellChanged(int32_t gridRow, int32_t col) {
    if (m_suspended)
        return;
    if (gridRow == 0) {
        emit headerDataChanged(Qt::Horizontal, col, col);
        return;
    }
    const int viewRow = ViewRow(gridRow);
    if (viewRow >= 0)
        emit dataChanged(index(viewRow, col), index(viewRow, col));
}

QString FlexGridModel::TextMatrix(int32_t gridRow, int32_t col) const {
    return Value(gridRow, col).toText();
}

Variant FlexGridModel::Value(int32_t gridRow, int32_t col) const {
    if (col < 0 || col >= Cols())
        throw OutOfRange();
    if (gridRow == 0)
        return m_cols[size_t(col)].header;
    const Row& r = row(gridRow);
    if (m_table)
        return col < m_table->Fields() ? m_table->Value(col, gridRow - 1) : Variant();
    return cellText(r, col);
}

void FlexGridModel::setTextMatrix(int32_t gridRow, int32_t col, const QString& text) {
    if (col < 0 || col >= Cols())
        throw OutOfRange();
    forgetShownText();
    if (gridRow == 0) {
        m_cols[size_t(col)].header = text;
    } else if (m_table) {
        row(gridRow);
        m_table->setValue(col, gridRow - 1, text);
    } else {
        Row& r = row(gridRow);
        QStringList cells;
        for (int32_t c = 0; c < Cols(); ++c)
            cells << (c == col ? NoTabs(text) : cellText(r, c));
        storeText(r, joinCells(cells));
    }
    cellChanged(gridRow, col);
}

QString FlexGridModel::formatted(const Variant& value, const Column& column) const {
    try {
        return Format(value, column.format);
    } catch (const RuntimeError&) {
        return value.toText();
    }
}

QString FlexGridModel::DisplayText(int32_t gridRow, int32_t col) const {
    const Variant value = Value(gridRow, col);
    if (gridRow == 0)
        return value.toText();
    const Column& column = m_cols[size_t(col)];
    if (column.type == DataType::Boolean)
        return {};
    if (column.mapped) {
        const QString key = value.toText();
        for (const ComboEntry& entry : column.entries)
            if (entry.key == key)
                return entry.text;
        return key;
    }
    if (!column.format.isEmpty())
        return formatted(value, column);
    return value.toText();
}

bool FlexGridModel::Checked(int32_t gridRow, int32_t col) const {
    const Variant value = Value(gridRow, col);
    if (value.isNull() || value.isEmpty() ||
        (value.type() == Variant::Type::String && value.toText().isEmpty()))
        return false;
    try {
        return value.toBool();
    } catch (const RuntimeError&) {
        return false;
    }
}

void FlexGridModel::CommitEdit(int32_t gridRow, int32_t col, const QString& value) {
    const Column& target = checkedColumn(col);
    if (!m_table || gridRow == 0) {
        setTextMatrix(gridRow, col, value);
        return;
    }
    row(gridRow);
    Variant stored = value;
    if (target.type == DataType::Boolean) {
        stored = Variant(value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);
    } else if (target.mapped) {
        bool isNumber = false;
        const int32_t number = value.toInt(&isNumber);
        if (isNumber)
            stored = Variant(number);
    }
    m_table->setValue(col, gridRow - 1, stored);
    forgetShownText();
    cellChanged(gridRow, col);
}

// ---- adding and removing rows -----------------------------------------------------------------------------

void FlexGridModel::AddItem(const QString& text, int32_t at) {
    if (at < 0)
        at = Rows();
    if (at < 1 || at > Rows())
        throw OutOfRange();
    if (m_table) {
        // A bound grid grows through its table; the table's rows stay in grid order only when appending.
        if (at != Rows())
            throw OutOfRange();
        const int32_t tableRow = m_table->AddRow();
        const QStringList cells = text.split(QLatin1Char('\t'));
        for (int32_t f = 0; f < m_table->Fields() && f < cells.size(); ++f)
            m_table->setValue(f, tableRow, cells[f]);
        insertRows(at, 1, {Row()});
        return;
    }
    Row added;
    storeText(added, text);
    addRow(added, at);
}

void FlexGridModel::AddRow(std::span<const QString> cells) {
    if (m_table) {
        AddItem(joinCells(QStringList(cells.begin(), cells.end())));
        return;
    }
    Row added;
    added.text = m_texts.Append(cells.first(std::min(cells.size(), size_t(Cols()))));
    addRow(added, Rows());
}

void FlexGridModel::addRow(const Row& added, int32_t at) {
    if ((m_suspended || m_appending) && at == Rows()) {
        // Views hear of it later: no row list to build.
        m_rows.push_back(added);
        if (!m_extras.empty())
            m_extras.emplace_back();
        if (!m_rowData.empty())
            m_rowData.emplace_back();
        if (!m_origin.empty())
            m_origin.push_back(m_nextOrigin++);
        return;
    }
    insertRows(at, 1, {added});
}

// ---- sorting
// -----------------------------------------------------------------------------------------------

void FlexGridModel::Sort(int32_t col, SortOrder order) {
    const Column& sorted = checkedColumn(col);
    if (m_table || m_rows.empty() || (order == SortOrder::None && m_origin.empty()))
        return;
    const size_t count = m_rows.size();
    if (m_origin.empty()) {
        m_origin.resize(count);
        std::iota(m_origin.begin(), m_origin.end(), 0);
        m_nextOrigin = int32_t(count);
    }
    std::vector<int32_t> placed(count);
    std::iota(placed.begin(), placed.end(), 0);
    if (order == SortOrder::None) {
        std::sort(placed.begin(), placed.end(),
                  [&](int32_t a, int32_t b) { return m_origin[a] < m_origin[b]; });
        reorder(placed);
        return;
    }
    // The column's kind decides the comparison: numbers when every filled cell is one, dates in a date
    // column whose every filled cell reads as one, else text.
    std::vector<QString> texts(count);
    for (size_t i = 0; i < count; ++i)
        texts[i] = TextMatrix(int32_t(i + 1), col);
    std::vector<double> values(count, 0);
    bool numbers = true;
    for (size_t i = 0; i < count && numbers; ++i)
        if (!texts[i].isEmpty()) {
            numbers = IsNumericText(texts[i]);
            if (numbers)
                values[i] = texts[i].toDouble();
        }
    bool dates = !numbers && (sorted.type == DataType::Date || !sorted.format.isEmpty());
    for (size_t i = 0; i < count && dates; ++i)
        if (!texts[i].isEmpty()) {
            try {
                values[i] = DateToSerial(Variant(texts[i]).toDateTime());
            } catch (const RuntimeError&) {
                dates = false;
            }
        }
    auto before = [&](int32_t a, int32_t b) {
        if (texts[a].isEmpty() || texts[b].isEmpty())
            return texts[a].isEmpty() && !texts[b].isEmpty();
        if (numbers || dates)
            return values[a] < values[b];
        return texts[a].compare(texts[b], Qt::CaseInsensitive) < 0;
    };
    if (order == SortOrder::Ascending)
        std::stable_sort(placed.begin(), placed.end(), before);
    else
        std::stable_sort(placed.begin(), placed.end(), [&](int32_t a, int32_t b) { return before(b, a); });
    reorder(placed);
}

void FlexGridModel::reorder(const std::vector<int32_t>& order) {
    const bool tell = !m_suspended;
    QModelIndexList from;
    std::vector<int32_t> gridRows;
    if (tell) {
        emit layoutAboutToBeChanged();
        from = persistentIndexList();
        for (const QModelIndex& index : from)
            gridRows.push_back(GridRow(index.row()));
    }
    std::vector<Row> rows(m_rows.size());
    std::vector<int32_t> origin(m_rows.size());
    std::vector<std::unique_ptr<RowExtras>> extras(m_extras.empty() ? 0 : m_rows.size());
    std::vector<Variant> rowData(m_rowData.empty() ? 0 : m_rows.size());
    std::vector<int32_t> moved(m_rows.size()); // old index -> new index
    for (size_t i = 0; i < order.size(); ++i) {
        const auto old = size_t(order[i]);
        rows[i] = m_rows[old];
        origin[i] = m_origin[old];
        if (!extras.empty())
            extras[i] = std::move(m_extras[old]);
        if (!rowData.empty())
            rowData[i] = std::move(m_rowData[old]);
        moved[old] = int32_t(i);
    }
    m_rows = std::move(rows);
    m_origin = std::move(origin);
    permuteFilter(order);
    if (!extras.empty())
        m_extras = std::move(extras);
    if (!rowData.empty())
        m_rowData = std::move(rowData);
    if (!tell)
        return;
    install(computeShown());
    QModelIndexList to;
    for (qsizetype i = 0; i < from.size(); ++i) {
        const int32_t gridRow = gridRows[size_t(i)];
        const int viewRow = gridRow > 0 ? ViewRow(moved[size_t(gridRow - 1)] + 1) : -1;
        to << (viewRow >= 0 ? index(viewRow, from[i].column()) : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void FlexGridModel::RemoveItem(int32_t gridRow) {
    row(gridRow);
    if (m_table)
        m_table->RemoveRow(gridRow - 1);
    removeRows(gridRow, 1);
}

void FlexGridModel::setRows(int32_t rows) {
    // Setting the row count lets go of a bound table rather than cutting rows out of it.
    Unbind();
    rows = std::max(rows, 1);
    const int32_t current = Rows();
    if (rows > current) {
        insertRows(current, rows - current, std::vector<Row>(size_t(rows - current)));
    } else if (rows < current) {
        removeRows(rows, current - rows);
        if (rows == 1)
            m_texts.Clear();
    }
}

void FlexGridModel::insertRows(int32_t at, int32_t count, const std::vector<Row>& rows) {
    const auto offset = qsizetype(at - 1);
    if (at < Rows())
        forgetShownText();
    auto insert = [&] {
        m_rows.insert(m_rows.begin() + offset, rows.begin(), rows.end());
        // Rows put between others show until the filter changes; rows at the end are filtered as they come.
        if (!m_finder.Empty() && size_t(offset) < m_matched.size())
            m_matched.insert(m_matched.begin() + offset, size_t(count), 1);
        if (!m_origin.empty()) {
            std::vector<int32_t> origins(static_cast<size_t>(count));
            std::iota(origins.begin(), origins.end(), m_nextOrigin);
            m_nextOrigin += count;
            m_origin.insert(m_origin.begin() + offset, origins.begin(), origins.end());
        }
        if (!m_extras.empty()) {
            std::vector<std::unique_ptr<RowExtras>> none(static_cast<size_t>(count));
            m_extras.insert(m_extras.begin() + offset, std::make_move_iterator(none.begin()),
                            std::make_move_iterator(none.end()));
        }
        if (!m_rowData.empty())
            m_rowData.insert(m_rowData.begin() + offset, size_t(count), Variant());
    };
    if (m_suspended || (m_appending && at == Rows())) {
        insert();
        return;
    }
    // New rows are plain rows: they show unless they fold under a collapsed node, and they change no other
    // row's visibility.
    if (identity()) {
        beginInsertRows({}, at - 1, at - 1 + count - 1);
        insert();
        install({true, {}, m_shownCount + count});
        endInsertRows();
        return;
    }
    // Views must hear of the rows before they exist: find out where they show, then insert them again.
    insert();
    Shown shown = computeShown();
    m_rows.erase(m_rows.begin() + offset, m_rows.begin() + offset + count);
    if (m_matched.size() > size_t(offset))
        m_matched.erase(m_matched.begin() + offset,
                        m_matched.begin() + std::min(offset + count, qsizetype(m_matched.size())));
    if (!m_extras.empty())
        m_extras.erase(m_extras.begin() + offset, m_extras.begin() + offset + count);
    if (!m_rowData.empty())
        m_rowData.erase(m_rowData.begin() + offset, m_rowData.begin() + offset + count);
    if (!m_origin.empty()) {
        m_origin.erase(m_origin.begin() + offset, m_origin.begin() + offset + count);
        m_nextOrigin -= count;
    }
    // A filter that every row passes shows them all.
    const auto first = std::lower_bound(shown.rows.begin(), shown.rows.end(), at);
    const bool visible = shown.all || (first != shown.rows.end() && *first == at);
    if (visible) {
        const int viewRow = shown.all ? at - 1 : int(first - shown.rows.begin());
        beginInsertRows({}, viewRow, viewRow + count - 1);
    }
    insert();
    install(std::move(shown));
    if (visible)
        endInsertRows();
}

void FlexGridModel::removeRows(int32_t first, int32_t count) {
    const int32_t last = first + count - 1;
    int viewFirst = -1;
    int viewLast = -1;
    if (!m_suspended) {
        for (int32_t g = first; g <= last && viewFirst < 0; ++g)
            viewFirst = ViewRow(g);
        for (int32_t g = last; g >= first && viewLast < 0; --g)
            viewLast = ViewRow(g);
        if (viewFirst >= 0)
            beginRemoveRows({}, viewFirst, viewLast);
    }
    const auto begin = m_rows.begin() + qsizetype(first - 1);
    for (auto r = begin; r != begin + count; ++r) {
        m_hiddenRows -= (r->flags & Hidden) ? 1 : 0;
        m_collapsedNodes -= ((r->flags & Node) && (r->flags & Collapsed)) ? 1 : 0;
    }
    m_rows.erase(begin, begin + count);
    forgetShownText();
    if (m_matched.size() > size_t(first - 1))
        m_matched.erase(m_matched.begin() + qsizetype(first - 1),
                        m_matched.begin() +
                            std::min(qsizetype(first - 1 + count), qsizetype(m_matched.size())));
    if (!m_extras.empty()) {
        const auto extrasBegin = m_extras.begin() + qsizetype(first - 1);
        m_extras.erase(extrasBegin, extrasBegin + count);
    }
    if (!m_rowData.empty()) {
        const auto dataBegin = m_rowData.begin() + qsizetype(first - 1);
        m_rowData.erase(dataBegin, dataBegin + count);
    }
    if (!m_origin.empty())
        m_origin.erase(m_origin.begin() + qsizetype(first - 1),
                       m_origin.begin() + qsizetype(first - 1 + count));
    if (m_rows.empty())
        m_origin.clear();
    if (m_suspended)
        return;
    Shown shown{m_allShown, m_shown, m_shownCount};
    if (viewFirst >= 0) {
        const int removed = viewLast - viewFirst + 1;
        if (!shown.all)
            shown.rows.erase(shown.rows.begin() + viewFirst, shown.rows.begin() + viewLast + 1);
        shown.count -= removed;
    }
    for (int32_t& g : shown.rows)
        if (g > last)
            g -= count;
    install(std::move(shown));
    if (viewFirst >= 0)
        endRemoveRows();
    // A removed node may have held rows that now show.
    updateShown();
}

// ---- row properties
// ------------------------------------------------------------------------------------------

void FlexGridModel::setFlag(int32_t gridRow, RowFlag flag, bool on) {
    Row& r = row(gridRow);
    auto collapsedNode = [](uint16_t f) { return (f & Node) && (f & Collapsed); };
    const uint16_t before = r.flags;
    r.flags = on ? (r.flags | flag) : (r.flags & ~flag);
    m_hiddenRows += int32_t((r.flags & Hidden) != 0) - int32_t((before & Hidden) != 0);
    m_collapsedNodes += int32_t(collapsedNode(r.flags)) - int32_t(collapsedNode(before));
}

void FlexGridModel::countFlags() {
    m_hiddenRows = 0;
    m_collapsedNodes = 0;
    for (const Row& r : m_rows) {
        m_hiddenRows += (r.flags & Hidden) ? 1 : 0;
        m_collapsedNodes += ((r.flags & Node) && (r.flags & Collapsed)) ? 1 : 0;
    }
}

bool FlexGridModel::RowHidden(int32_t gridRow) const {
    return gridRow > 0 && (row(gridRow).flags & Hidden);
}

void FlexGridModel::setRowHidden(int32_t gridRow, bool hidden) {
    if (gridRow == 0)
        return;
    setFlag(gridRow, Hidden, hidden);
    updateShown();
}

bool FlexGridModel::IsSubtotal(int32_t gridRow) const {
    return gridRow > 0 && (row(gridRow).flags & Node);
}

void FlexGridModel::setIsSubtotal(int32_t gridRow, bool node) {
    setFlag(gridRow, Node, node);
    updateShown();
    cellChanged(gridRow, 0);
}

int32_t FlexGridModel::RowOutlineLevel(int32_t gridRow) const {
    return gridRow > 0 ? row(gridRow).level : 0;
}

void FlexGridModel::setRowOutlineLevel(int32_t gridRow, int32_t level) {
    row(gridRow).level = uint8_t(std::clamp(level, 0, 255));
    updateShown();
    cellChanged(gridRow, 0);
}

bool FlexGridModel::IsCollapsed(int32_t gridRow) const {
    return gridRow > 0 && (row(gridRow).flags & Collapsed);
}

void FlexGridModel::setIsCollapsed(int32_t gridRow, bool collapsed) {
    setFlag(gridRow, Collapsed, collapsed);
    updateShown();
    cellChanged(gridRow, 0);
}

void FlexGridModel::Outline(int32_t level) {
    // Nodes at the given level and deeper fold; shallower ones open. A negative level opens everything.
    for (Row& r : m_rows) {
        if (!(r.flags & Node))
            continue;
        const bool collapse = level >= 0 && r.level >= level;
        r.flags = collapse ? (r.flags | Collapsed) : (r.flags & ~Collapsed);
    }
    countFlags();
    updateShown();
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, 0), index(m_shownCount - 1, 0));
}

bool FlexGridModel::RowBold(int32_t gridRow) const {
    return gridRow == 0 ? m_headerBold : (row(gridRow).flags & Bold) != 0;
}

void FlexGridModel::setRowBold(int32_t gridRow, bool bold) {
    if (gridRow == 0) {
        m_headerBold = bold;
        if (!m_suspended && Cols() > 0)
            emit headerDataChanged(Qt::Horizontal, 0, Cols() - 1);
        return;
    }
    setFlag(gridRow, Bold, bold);
    const int viewRow = m_suspended ? -1 : ViewRow(gridRow);
    if (viewRow >= 0)
        emit dataChanged(index(viewRow, 0), index(viewRow, Cols() - 1));
}

Variant FlexGridModel::RowData(int32_t gridRow) const {
    row(gridRow);
    return m_rowData.empty() ? Variant() : m_rowData[size_t(gridRow - 1)];
}

void FlexGridModel::setRowData(int32_t gridRow, const Variant& data) {
    row(gridRow);
    if (m_rowData.empty())
        m_rowData.resize(m_rows.size());
    m_rowData[size_t(gridRow - 1)] = data;
}

Variant FlexGridModel::CellData(int32_t gridRow, int32_t col) const {
    const RowExtras* e = extras(gridRow);
    if (!e)
        return {};
    const auto found = e->cells.find(col);
    return found == e->cells.end() ? Variant() : found->second.data;
}

void FlexGridModel::setCellData(int32_t gridRow, int32_t col, const Variant& data) {
    if (col < 0 || col >= Cols())
        throw OutOfRange();
    extrasFor(gridRow).cells[col].data = data;
}

QColor FlexGridModel::CellBackColor(int32_t gridRow, int32_t col) const {
    const RowExtras* e = extras(gridRow);
    if (!e)
        return {};
    const auto found = e->cells.find(col);
    return found == e->cells.end() ? QColor() : found->second.back;
}

void FlexGridModel::setCellBackColor(int32_t gridRow, int32_t col, const QColor& color) {
    if (col < 0 || col >= Cols())
        throw OutOfRange();
    extrasFor(gridRow).cells[col].back = color;
    cellChanged(gridRow, col);
}

// ---- columns
// --------------------------------------------------------------------------------------------------

const FlexGridModel::Column& FlexGridModel::checkedColumn(int32_t col) const {
    if (col < 0 || col >= Cols())
        throw OutOfRange();
    return m_cols[size_t(col)];
}

void FlexGridModel::setCols(int32_t cols) {
    cols = std::max(cols, 1);
    if (cols == Cols())
        return;
    beginReset();
    const bool shrinking = cols < Cols();
    forgetShownText();
    m_cols.resize(size_t(cols));
    if (shrinking && !m_table) {
        // Dropped columns lose their text, so growing again shows empty cells.
        for (Row& r : m_rows) {
            QStringList cells;
            for (int32_t c = 0; c < cols; ++c)
                cells << cellText(r, c);
            storeText(r, joinCells(cells));
        }
    }
    endReset();
}

void FlexGridModel::setFormatString(const QString& format) {
    const QStringList headers = format.split(QLatin1Char('|'));
    beginReset();
    const bool suspended = m_suspended;
    m_suspended = true; // one reset for the whole change
    setCols(int32_t(headers.size()));
    m_suspended = suspended;
    for (qsizetype c = 0; c < headers.size(); ++c) {
        Column& column = m_cols[size_t(c)];
        QString header = headers[c];
        column.alignment = -1;
        if (header.startsWith(QLatin1Char('<')))
            column.alignment = Qt::AlignLeft;
        else if (header.startsWith(QLatin1Char('^')))
            column.alignment = Qt::AlignHCenter;
        else if (header.startsWith(QLatin1Char('>')))
            column.alignment = Qt::AlignRight;
        if (column.alignment >= 0)
            header.remove(0, 1);
        column.header = header;
    }
    endReset();
}

void FlexGridModel::setColAlignment(int32_t col, int alignment) {
    checkedColumn(col);
    m_cols[size_t(col)].alignment = alignment;
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, col), index(m_shownCount - 1, col));
}

void FlexGridModel::setColDataType(int32_t col, DataType type) {
    checkedColumn(col);
    forgetShownText();
    m_cols[size_t(col)].type = type;
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, col), index(m_shownCount - 1, col));
}

void FlexGridModel::setColFormat(int32_t col, const QString& format) {
    checkedColumn(col);
    forgetShownText();
    m_cols[size_t(col)].format = format;
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, col), index(m_shownCount - 1, col));
}

void FlexGridModel::setColComboList(int32_t col, const QString& list) {
    checkedColumn(col);
    forgetShownText();
    Column& column = m_cols[size_t(col)];
    column.comboList = list;
    column.entries.clear();
    column.button = list == QLatin1String("...");
    column.editableList = list.startsWith(QLatin1Char('|'));
    column.mapped = false;
    if (!list.isEmpty() && !column.button) {
        QStringList items = list.split(QLatin1Char('|'));
        if (column.editableList)
            items.removeFirst();
        column.mapped = !items.isEmpty() && std::all_of(items.begin(), items.end(), [](const QString& item) {
            return item.startsWith(QLatin1Char('#')) && item.contains(QLatin1Char(';'));
        });
        for (const QString& item : items) {
            if (column.mapped) {
                const qsizetype semicolon = item.indexOf(QLatin1Char(';'));
                column.entries.push_back({item.mid(1, semicolon - 1), item.mid(semicolon + 1)});
            } else {
                column.entries.push_back({item, item});
            }
        }
    }
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, col), index(m_shownCount - 1, col));
}

void FlexGridModel::setColHidden(int32_t col, bool hidden) {
    checkedColumn(col);
    forgetShownText();
    m_cols[size_t(col)].hidden = hidden;
}

void FlexGridModel::setColWidth(int32_t col, int width) {
    checkedColumn(col);
    m_cols[size_t(col)].width = width;
}

// ---- binding
// -----------------------------------------------------------------------------------------------------

void FlexGridModel::BindTo(std::shared_ptr<VariantTable> table) {
    if (table && table == m_table) {
        Refresh();
        return;
    }
    beginReset();
    clearRows();
    m_table = std::move(table);
    if (m_table) {
        m_rows.resize(size_t(m_table->Rows()));
        if (m_table->Fields() > 0)
            m_cols.resize(size_t(m_table->Fields()));
    }
    endReset();
}

void FlexGridModel::Unbind() {
    if (!m_table)
        return;
    beginReset();
    clearRows();
    m_table.reset();
    endReset();
}

void FlexGridModel::Refresh() {
    if (m_table) {
        // Row properties (hidden, colours) stay with the rows the grid already had.
        const int32_t wanted = m_table->Rows() + 1;
        if (wanted > Rows())
            insertRows(Rows(), wanted - Rows(), std::vector<Row>(size_t(wanted - Rows())));
        else if (wanted < Rows())
            removeRows(wanted, Rows() - wanted);
    }
    if (!m_suspended && m_shownCount > 0)
        emit dataChanged(index(0, 0), index(m_shownCount - 1, Cols() - 1));
}

void FlexGridModel::clearRows() {
    m_matched.clear();
    forgetShownText();
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_extras.clear();
    m_rowData.clear();
    m_rowData.shrink_to_fit();
    m_origin.clear();
    m_texts.Clear();
    m_hiddenRows = 0;
    m_collapsedNodes = 0;
}

void FlexGridModel::setEditable(bool editable) {
    m_editable = editable;
}

// ---- what the views see
// ------------------------------------------------------------------------------------------

FlexGridModel::Shown FlexGridModel::computeShown() {
    if (!m_finder.Empty())
        return filteredShown();
    if (identity())
        return {true, {}, int(m_rows.size())};
    Shown shown{false, {}, 0};
    // Each open node on the stack: its level and whether the rows under it are folded away.
    struct Open {
        uint8_t level;
        bool folds;
    };
    std::vector<Open> stack;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        bool folded;
        if (r.flags & Node) {
            while (!stack.empty() && stack.back().level >= r.level)
                stack.pop_back();
            folded = !stack.empty() && stack.back().folds;
            stack.push_back({r.level, folded || (r.flags & Collapsed)});
        } else {
            folded = !stack.empty() && stack.back().folds;
        }
        if (!folded && !(r.flags & Hidden))
            shown.rows.push_back(int32_t(i + 1));
    }
    shown.count = int(shown.rows.size());
    return shown;
}

void FlexGridModel::install(Shown shown) {
    m_allShown = shown.all;
    m_shown = std::move(shown.rows);
    m_shownCount = shown.count;
}

void FlexGridModel::updateShown() {
    if (m_suspended || m_appending)
        return;
    Shown shown = computeShown();
    if (shown.all == m_allShown && shown.count == m_shownCount && shown.rows == m_shown)
        return;
    emit layoutAboutToBeChanged();
    const QModelIndexList from = persistentIndexList();
    std::vector<int32_t> gridRows;
    for (const QModelIndex& index : from)
        gridRows.push_back(GridRow(index.row()));
    install(std::move(shown));
    QModelIndexList to;
    for (qsizetype i = 0; i < from.size(); ++i) {
        const int viewRow = ViewRow(gridRows[size_t(i)]);
        to << (viewRow >= 0 ? index(viewRow, from[i].column()) : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged();
}

void FlexGridModel::beginReset() {
    if (m_suspended || m_resetting)
        return;
    m_resetting = true;
    beginResetModel();
}

void FlexGridModel::endReset() {
    if (m_suspended || !m_resetting)
        return;
    countFlags();
    install(computeShown());
    m_resetting = false;
    endResetModel();
}

void FlexGridModel::setSuspended(bool suspended) {
    if (suspended == m_suspended)
        return;
    if (suspended) {
        beginReset();
        m_suspended = true;
    } else {
        m_suspended = false;
        endReset();
    }
}

void FlexGridModel::ShowAppended() {
    if (m_suspended || !m_appending)
        return;
    // Rows added at the end change no earlier row's place: the new shown rows follow the old ones.
    Shown shown = computeShown();
    if (shown.count <= m_shownCount) {
        install(std::move(shown));
        return;
    }
    beginInsertRows({}, m_shownCount, shown.count - 1);
    install(std::move(shown));
    endInsertRows();
}

void FlexGridModel::EndAppend() {
    ShowAppended();
    m_appending = false;
}

int32_t FlexGridModel::GridRow(int viewRow) const {
    if (viewRow < 0 || viewRow >= m_shownCount)
        return -1;
    return m_allShown ? viewRow + 1 : m_shown[size_t(viewRow)];
}

int FlexGridModel::ViewRow(int32_t gridRow) const {
    if (gridRow < 1)
        return -1;
    if (m_allShown)
        return gridRow - 1 < m_shownCount ? gridRow - 1 : -1;
    const auto found = std::lower_bound(m_shown.begin(), m_shown.end(), gridRow);
    return found != m_shown.end() && *found == gridRow ? int(found - m_shown.begin()) : -1;
}

size_t FlexGridModel::BytesUsed() const {
    size_t bytes = m_texts.BytesAllocated() + m_rows.capacity() * sizeof(Row) +
                   m_extras.capacity() * sizeof(std::unique_ptr<RowExtras>) +
                   m_rowData.capacity() * sizeof(Variant) + m_shown.capacity() * sizeof(int32_t);
    for (const auto& e : m_extras)
        if (e)
            bytes += sizeof(RowExtras) + e->cells.size() * (sizeof(CellExtras) + 32);
    return bytes;
}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_shownCount;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Cols();
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    const int32_t gridRow = index.isValid() ? GridRow(index.row()) : -1;
    if (gridRow < 1 || gridRow >= Rows()) // a view asking while the rows are being replaced
        return {};
    const int32_t col = index.column();
    const Column& column = m_cols[size_t(col)];
    switch (role) {
    case Qt::DisplayRole:
        return DisplayText(gridRow, col);
    case Qt::EditRole:
        return TextMatrix(gridRow, col);
    case Qt::CheckStateRole:
        if (column.type == DataType::Boolean)
            return Checked(gridRow, col) ? Qt::Checked : Qt::Unchecked;
        return {};
    case Qt::TextAlignmentRole: {
        int horizontal = column.alignment;
        if (horizontal < 0 && column.type == DataType::Boolean) {
            horizontal = Qt::AlignHCenter;
        } else if (horizontal < 0) {
            // Numbers right, other text left; a data-mapped list by the text it shows.
            const Variant value = column.mapped ? Variant(DisplayText(gridRow, col)) : Value(gridRow, col);
            horizontal = (value.isNumber() || IsNumericText(value.toText())) ? Qt::AlignRight : Qt::AlignLeft;
        }
        return QVariant::fromValue(Qt::Alignment(horizontal) | Qt::AlignVCenter);
    }
    case Qt::BackgroundRole: {
        const QColor back = CellBackColor(gridRow, col);
        return back.isValid() ? QVariant(QBrush(back)) : QVariant();
    }
    case Qt::FontRole:
        if (RowBold(gridRow)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    default:
        return {};
    }
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(GridRow(section)) : QVariant();
    if (section < 0 || section >= Cols())
        return {};
    const Column& column = m_cols[size_t(section)];
    switch (role) {
    case Qt::DisplayRole:
        return column.header;
    case Qt::FontRole:
        if (m_headerBold) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(
            Qt::Alignment(column.alignment < 0 ? int(Qt::AlignLeft) : column.alignment) | Qt::AlignVCenter);
    default:
        return {};
    }
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    const Column& column = m_cols[size_t(index.column())];
    if (m_editable && column.type != DataType::Boolean && !column.button)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool FlexGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid())
        return false;
    CommitEdit(GridRow(index.row()), index.column(), value.toString());
    return true;
}
