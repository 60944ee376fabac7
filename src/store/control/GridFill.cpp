#include "store/control/GridFill.h"

#include "store/data/StoredProcedureCall.h"
#include "widgets/FlexGrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <algorithm>

namespace {
// The event loop runs at least this often while rows arrive, in milliseconds.
constexpr qint64 SliceMs = 30;
// New rows reach the screen this often: each time costs a repaint.
constexpr qint64 ShowEveryMs = 200;
// Rows read between two looks at the clock.
constexpr int32_t ClockEvery = 16;
} // namespace

GridFill::GridFill(FlexGrid* grid, const int& stopCount)
    : m_grid(grid), m_stopCount(stopCount), m_startCount(stopCount),
      m_firstRows(grid->viewport()->height() / std::max(1, grid->verticalHeader()->defaultSectionSize()) +
                  1) {}

GridFill::~GridFill() {
    m_grid->EndAppend();
}

bool GridFill::Run(StoredProcedureCall& call, const std::function<void()>& addRow) {
    m_grid->setRedraw(true);
    m_grid->BeginAppend();
    m_sinceYield.start();
    bool firstShown = false;
    for (; !call.atEnd(); call.next()) {
        addRow();
        ++m_added;
        if (!firstShown && m_added >= m_firstRows) {
            firstShown = true;
            Show();
            m_grid->AutoSize();
        } else if (m_added % ClockEvery != 0 || !m_sinceYield.hasExpired(SliceMs)) {
            continue;
        }
        Yield();
        if (m_stopCount != m_startCount) {
            m_stopped = true;
            return false;
        }
    }
    return true;
}

void GridFill::SizeColumns() {
    m_grid->EndAppend();
    // The grid keeps its current row number across a reload, when the new rows reach that far.
    if (m_currentRow > 1 && m_grid->RowShown(m_currentRow))
        m_grid->setRow(m_currentRow);
    if (m_yields == 0) {
        m_grid->AutoSize();
        return;
    }
    // Stopped after the first screenful: the user wants the window back, and the columns were sized on it.
    if (m_stopped && m_added >= m_firstRows)
        return;
    // A long grid's columns take a while to measure: one at a time, the window alive in between.
    for (int32_t col = 0; col < m_grid->Cols(); ++col) {
        m_grid->AutoSize(col, col);
        QCoreApplication::processEvents();
    }
}

void GridFill::Show() {
    m_grid->ShowAppended();
    m_sinceShow.start();
}

void GridFill::Yield() {
    if (m_sinceShow.hasExpired(ShowEveryMs))
        Show();
    QCoreApplication::processEvents();
    ++m_yields;
    m_sinceYield.restart();
}
