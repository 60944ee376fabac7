#pragma once

#include <QDialog>

class FlexGrid;
class TabStrip;
class XmlOutline;

// What the order and customer log viewers share: a tab strip over two grids, only the selected tab's grid
// in view, laid out in twips on resize, and the filling of a grid with an XML outline.
class DetailViewer : public QDialog {
    Q_OBJECT
public:
    TabStrip* tabDetail;

protected:
    // The first grid belongs to the first tab's key; any other tab shows the second grid.
    DetailViewer(const QString& firstKey, const QString& firstCaption, const QString& secondKey,
                 const QString& secondCaption, QWidget* parent);

    // Adds the two grids; they must stay children of this dialog.
    void setGrids(FlexGrid* first, FlexGrid* second);
    // Shows the grid of the selected tab and parks the other.
    void ShowSelectedTab();
    // Two columns, "Tag" and "Value", column 0 drawn as the outline's tree.
    static void SetUpOutlineGrid(FlexGrid& grid);
    // Parses the XML into the grid (after its header row); false with the message shown when it cannot.
    static bool AddOutline(FlexGrid& grid, const QString& xml, bool maskCardNo);

    void resizeEvent(QResizeEvent* event) override;

private:
    void placeGrids();

    QString m_firstKey;
    FlexGrid* m_first = nullptr;
    FlexGrid* m_second = nullptr;
};
