#pragma once

#include <QObject>
#include <functional>

class FlexGrid;

// The keys of a grid that lists records, for work without the mouse: Enter and F2 open the current row (as a
// double click does), Delete deletes it, Insert and Ctrl+N add a record. A key whose command is not given, or
// that arrives while a cell is being edited, goes to the grid as before.
class GridKeys : public QObject {
    Q_OBJECT
public:
    struct Commands {
        std::function<void()> open;
        std::function<void()> remove;
        std::function<void()> add;
    };

    // Lives as long as the grid.
    static GridKeys* Attach(FlexGrid* grid, Commands commands);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridKeys(FlexGrid* grid, Commands commands);

    FlexGrid* m_grid;
    Commands m_commands;
};
