#pragma once

#include <QStyledItemDelegate>

class FlexGrid;
class FlexGridModel;

// Draws a FlexGrid's cells (outline symbols, cell buttons, check boxes) and makes its editors: a text box, or
// a drop-down for columns with a list.
class FlexGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit FlexGridDelegate(FlexGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // The value an editor holds, as the cell will store it (the key of a data-mapped list).
    QString EditorValue(QWidget* editor) const;

    // Geometry shared with the grid's mouse handling.
    static QRect ButtonRect(const QRect& cell);
    // Room taken at the left of the outline column by a row's level and the node symbol.
    static int OutlineIndent(int level);
    static bool FoldsRows(const FlexGridModel& model, int32_t gridRow);
    static QRect SymbolRect(const QRect& cell, int level);

private:
    bool outlineCell(const QModelIndex& index) const;

    FlexGrid* m_grid;
};
