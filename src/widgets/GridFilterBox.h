#pragma once

#include <QWidget>

class FlexGrid;
class QLabel;
class QLineEdit;

// The quick filter above a grid: typing shows only the rows holding the text (FlexGrid::setFilter), Escape
// empties the box and shows every row again, Ctrl+F anywhere in the form puts the cursor in the box, the
// down arrow and Enter go on to the grid. Beside the box: "N of M rows" while a filter is set.
class GridFilterBox : public QWidget {
    Q_OBJECT
public:
    // Ctrl+F works within the box's parent.
    GridFilterBox(FlexGrid* grid, QWidget* parent);

    // "N of M rows" while a filter is set, else empty.
    QString CountText() const;

    QLineEdit* txtFilter;
    QLabel* lblFilterCount;

signals:
    void CountChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply(const QString& text);
    // Gets the grid ready to filter, the window alive meanwhile, then filters by the text typed last.
    void prepare();
    void showCount();

    FlexGrid* m_grid;
    bool m_preparing = false;
    QString m_pending; // the text typed while the grid was being got ready
};
