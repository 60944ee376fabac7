// FlexGridModel's quick filter: which rows hold a text, and which rows show while a filter is set.

#include "widgets/FlexGridModel.h"

#include <QElapsedTimer>
#include <algorithm>

namespace {
constexpr uint32_t NotMade = UINT32_MAX;
} // namespace

void FlexGridModel::setFilter(const QString& text) {
    TextFinder next(text);
    if (next.Empty()) {
        m_matched.clear();
        m_matched.shrink_to_fit();
    } else if (!next.Narrows(m_finder)) {
        m_matched.assign(m_rows.size(), 1);
    }
    m_finder = std::move(next);
    if (!m_finder.Empty()) {
        // Rows that held the last text are the only ones that can hold a longer one.
        const std::vector<Search> searched = searchedColumns();
        for (size_t i = 0; i < m_matched.size(); ++i)
            if (m_matched[i])
                m_matched[i] = holds(int32_t(i + 1), m_finder, searched) ? 1 : 0;
    }
    updateShown();
}

std::vector<FlexGridModel::Search> FlexGridModel::searchedColumns() const {
    std::vector<Search> searched(m_cols.size());
    for (size_t c = 0; c < m_cols.size(); ++c) {
        const Column& column = m_cols[c];
        if (column.hidden || column.type == DataType::Boolean || column.button)
            searched[c] = Search::Skip;
        else
            searched[c] = column.mapped || !column.format.isEmpty() ? Search::Shown : Search::Stored;
    }
    return searched;
}

bool FlexGridModel::RowHolds(int32_t gridRow, const TextFinder& finder) {
    return holds(gridRow, finder, searchedColumns());
}

bool FlexGridModel::holds(int32_t gridRow, const TextFinder& finder, const std::vector<Search>& searched) {
    if (finder.Empty())
        return true;
    if (m_table) {
        for (int32_t c = 0; c < Cols(); ++c)
            if (searched[size_t(c)] != Search::Skip && finder.In(DisplayText(gridRow, c)))
                return true;
        return false;
    }
    const QByteArrayView line = StoredLine(gridRow);
    if (!finder.Ascii()) {
        // Rare and slower: cell by cell.
        if (!finder.In(line))
            return false;
        qsizetype start = 0;
        for (int32_t c = 0; c < Cols() && start <= line.size(); ++c) {
            qsizetype end = line.indexOf('\t', start);
            if (end < 0)
                end = line.size();
            if (searched[size_t(c)] == Search::Stored && finder.In(line.sliced(start, end - start)))
                return true;
            start = end + 1;
        }
    } else {
        // A hit in the stored line counts when the cell it lies in shows its text as stored.
        int32_t col = 0;
        qsizetype tab = line.indexOf('\t');
        for (qsizetype hit = finder.Find(line, 0); hit >= 0;) {
            while (tab >= 0 && tab < hit) {
                ++col;
                tab = line.indexOf('\t', tab + 1);
            }
            // The whole text lies inside the cell: a text with a tab in it lies in none.
            const qsizetype cellEnd = tab < 0 ? line.size() : tab;
            if (col < Cols() && searched[size_t(col)] == Search::Stored && hit + finder.Bytes() <= cellEnd)
                return true;
            if (tab < 0)
                break;
            hit = finder.Find(line, tab + 1);
        }
    }
    for (int32_t c = 0; c < Cols(); ++c)
        if (searched[size_t(c)] == Search::Shown && finder.In(shownBytes(gridRow, c)))
            return true;
    return false;
}

void FlexGridModel::catchUpFilter() {
    if (m_finder.Empty() || m_matched.size() >= m_rows.size())
        return;
    const std::vector<Search> searched = searchedColumns();
    for (size_t i = m_matched.size(); i < m_rows.size(); ++i)
        m_matched.push_back(holds(int32_t(i + 1), m_finder, searched) ? 1 : 0);
}

QByteArrayView FlexGridModel::shownBytes(int32_t gridRow, int32_t col) {
    if (m_shownText.size() < m_cols.size())
        m_shownText.resize(m_cols.size());
    std::vector<RowTextStore::Span>& spans = m_shownText[size_t(col)];
    if (spans.size() < m_rows.size())
        spans.resize(m_rows.size(), RowTextStore::Span{0, 0, NotMade});
    RowTextStore::Span& span = spans[size_t(gridRow - 1)];
    if (span.length == NotMade)
        span = m_shownStore.Append(DisplayText(gridRow, col));
    return m_shownStore.View(span);
}

void FlexGridModel::forgetShownText() {
    m_shownText.clear();
    m_shownStore.Clear();
    m_shownMade = 0;
}

bool FlexGridModel::PrepareFilter(int64_t budgetNs) {
    const std::vector<Search> searched = searchedColumns();
    if (std::find(searched.begin(), searched.end(), Search::Shown) == searched.end())
        return true;
    QElapsedTimer timer;
    timer.start();
    while (m_shownMade < m_rows.size()) {
        const auto gridRow = int32_t(++m_shownMade);
        for (int32_t c = 0; c < Cols(); ++c)
            if (searched[size_t(c)] == Search::Shown)
                shownBytes(gridRow, c);
        if (m_shownMade % 256 == 0 && timer.nsecsElapsed() > budgetNs)
            return m_shownMade == m_rows.size();
    }
    return true;
}

void FlexGridModel::permuteFilter(const std::vector<int32_t>& order) {
    if (m_matched.size() == order.size()) {
        std::vector<uint8_t> matched(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            matched[i] = m_matched[size_t(order[i])];
        m_matched = std::move(matched);
    } else {
        m_matched.clear();
    }
    m_shownMade = 0; // the rows made are spread now
    for (std::vector<RowTextStore::Span>& spans : m_shownText) {
        if (spans.size() != order.size()) {
            spans.clear();
            continue;
        }
        std::vector<RowTextStore::Span> moved(order.size());
        for (size_t i = 0; i < order.size(); ++i)
            moved[i] = spans[size_t(order[i])];
        spans = std::move(moved);
    }
}

QByteArrayView FlexGridModel::StoredLine(int32_t gridRow) const {
    return m_table ? QByteArrayView() : m_texts.View(row(gridRow).text);
}

QString FlexGridModel::ShownText(int32_t gridRow, int32_t col) const {
    if (gridRow > 0 && m_cols.at(size_t(col)).type == DataType::Boolean)
        return Checked(gridRow, col) ? QStringLiteral("True") : QStringLiteral("False");
    return DisplayText(gridRow, col);
}

FlexGridModel::Shown FlexGridModel::filteredShown() {
    catchUpFilter();
    Shown shown{false, {}, 0};
    m_matches = 0;
    // The open nodes above the current row, and whether each is shown already.
    struct Open {
        uint8_t level;
        int32_t gridRow;
        bool shown;
    };
    std::vector<Open> stack;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        const Row& r = m_rows[i];
        const auto gridRow = int32_t(i + 1);
        if (r.flags & Node) {
            while (!stack.empty() && stack.back().level >= r.level)
                stack.pop_back();
            stack.push_back({r.level, gridRow, false});
        }
        if ((r.flags & Hidden) || !m_matched[i])
            continue;
        ++m_matches;
        for (Open& node : stack)
            if (!node.shown) {
                node.shown = true;
                if (node.gridRow != gridRow && !(m_rows[size_t(node.gridRow - 1)].flags & Hidden))
                    shown.rows.push_back(node.gridRow);
            }
        shown.rows.push_back(gridRow);
    }
    shown.count = int(shown.rows.size());
    if (shown.rows.size() == m_rows.size()) { // every row holds the text: no list of rows to keep
        shown.all = true;
        shown.rows = {};
    }
    return shown;
}
