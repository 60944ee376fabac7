#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

class FlexGrid;
class StoredProcedureCall;

// Fills a grid from a procedure's rows while the window stays alive: the first screenful is painted at once,
// the rest follows in blocks with the event loop running in between, and a stop request (the stop count
// moving on) ends the fill with the whole rows read so far.
class GridFill {
public:
    GridFill(FlexGrid* grid, const int& stopCount);
    ~GridFill();
    GridFill(const GridFill&) = delete;
    GridFill& operator=(const GridFill&) = delete;

    // Hands each row to addRow, which adds it to the grid; false when a stop request ended the fill early.
    bool Run(StoredProcedureCall& call, const std::function<void()>& addRow);
    int32_t RowsAdded() const { return m_added; }
    // Shows every row and sizes the columns to their content.
    void SizeColumns();

private:
    void Show();
    void Yield();

    FlexGrid* m_grid;
    const int& m_stopCount;
    const int m_startCount;
    int32_t m_firstRows;
    int32_t m_currentRow;
    int32_t m_added = 0;
    int32_t m_yields = 0;
    bool m_stopped = false;
    QElapsedTimer m_sinceYield;
    QElapsedTimer m_sinceShow;
};
