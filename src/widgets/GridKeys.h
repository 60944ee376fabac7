#pragma once

#include <QObject>
#include <functional>

class FlexGrid;
class QPushButton;

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
    // The commands are the buttons beside the grid (any may be null): a key does what a click does while its
    // button is shown and enabled. A button without a tool tip gets one naming its keys.
    static GridKeys* Attach(FlexGrid* grid, QPushButton* open, QPushButton* remove, QPushButton* add);

    // What a button's tool tip says of its keys.
    static QString OpenKeys();
    static QString RemoveKeys();
    static QString AddKeys();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridKeys(FlexGrid* grid, Commands commands);

    FlexGrid* m_grid;
    Commands m_commands;
};
