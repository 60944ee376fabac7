#include "widgets/FlexGridDelegate.h"

#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>

namespace {
constexpr int LevelIndent = 14;
constexpr int SymbolSize = 9;
constexpr int ButtonWidth = 18;
} // namespace

FlexGridDelegate::FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

QRect FlexGridDelegate::ButtonRect(const QRect& cell) {
    return QRect(cell.right() - ButtonWidth + 1, cell.top(), ButtonWidth, cell.height());
}

// A node shows its fold symbol only when rows fold under it: the next row is a plain row or a deeper node.
bool FlexGridDelegate::FoldsRows(const FlexGridModel& model, int32_t gridRow) {
    const int32_t next = gridRow + 1;
    if (next >= model.Rows())
        return false;
    return !model.IsSubtotal(next) || model.RowOutlineLevel(next) > model.RowOutlineLevel(gridRow);
}

int FlexGridDelegate::OutlineIndent(int level) {
    return level * LevelIndent + SymbolSize + 6;
}

QRect FlexGridDelegate::SymbolRect(const QRect& cell, int level) {
    return QRect(cell.left() + level * LevelIndent + 3, cell.center().y() - SymbolSize / 2, SymbolSize,
                 SymbolSize);
}

bool FlexGridDelegate::outlineCell(const QModelIndex& index) const {
    return m_grid->OutlineBar() && index.column() == m_grid->OutlineCol();
}

void FlexGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const FlexGridModel* model = m_grid->gridModel();
    const int32_t gridRow = model->GridRow(index.row());
    if (gridRow < 1 || gridRow >= model->Rows()) { // painted while the rows are being replaced
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const auto& column = model->column(index.column());
    QStyleOptionViewItem cell = option;
    if (outlineCell(index)) {
        // The row's background spans the indent too; the text starts after the level's indent and symbol.
        QStyleOptionViewItem back = option;
        initStyleOption(&back, index);
        back.text.clear();
        back.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &back, painter, m_grid);
        const int level = model->RowOutlineLevel(gridRow);
        if (model->IsSubtotal(gridRow) && FoldsRows(*model, gridRow)) {
            const QRect box = SymbolRect(option.rect, level);
            painter->save();
            painter->setPen(option.palette.color(QPalette::Text));
            painter->drawRect(box);
            const int y = box.center().y();
            painter->drawLine(box.left() + 2, y, box.right() - 2, y);
            if (model->IsCollapsed(gridRow))
                painter->drawLine(box.center().x(), box.top() + 2, box.center().x(), box.bottom() - 2);
            painter->restore();
        }
        cell.rect.setLeft(option.rect.left() + OutlineIndent(level));
    }
    if (column.button && m_grid->Editable()) {
        cell.rect.setRight(ButtonRect(option.rect).left() - 1);
        QStyledItemDelegate::paint(painter, cell, index);
        QStyleOptionButton button;
        button.rect = ButtonRect(option.rect);
        button.text = QStringLiteral("...");
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        QApplication::style()->drawControl(QStyle::CE_PushButton, &button, painter, m_grid);
        return;
    }
    if (column.type == FlexGridModel::DataType::Boolean) {
        // The check box sits where the column's alignment puts it, not at the cell's left edge.
        QStyleOptionViewItem back = cell;
        initStyleOption(&back, index);
        back.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &back, painter, m_grid);
        QStyleOptionViewItem check = back;
        const int size = QApplication::style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_grid);
        const auto alignment = Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt());
        check.rect = QStyle::alignedRect(Qt::LeftToRight, alignment, QSize(size, size),
                                         cell.rect.adjusted(3, 0, -3, 0));
        check.state = (check.state & ~QStyle::State_HasFocus) |
                      (model->Checked(gridRow, index.column()) ? QStyle::State_On : QStyle::State_Off);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, m_grid);
        return;
    }
    QStyledItemDelegate::paint(painter, cell, index);
}

QWidget* FlexGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const auto& column = m_grid->gridModel()->column(index.column());
    if (column.entries.empty()) {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        return edit;
    }
    auto* combo = new QComboBox(parent);
    combo->setEditable(column.editableList);
    for (const auto& entry : column.entries)
        combo->addItem(entry.text, entry.key);
    // Choosing from the list ends the edit, as the grid's drop-downs do.
    connect(combo, &QComboBox::activated, this, [this, combo] {
        emit const_cast<FlexGridDelegate*>(this)->commitData(combo);
        emit const_cast<FlexGridDelegate*>(this)->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    return combo;
}

void FlexGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    const QString value = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const int found = combo->findData(value);
        if (found >= 0)
            combo->setCurrentIndex(found);
        else if (combo->isEditable())
            combo->setEditText(value);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        edit->setText(value);
}

QString FlexGridDelegate::EditorValue(QWidget* editor) const {
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->isEditable() && combo->findText(combo->currentText()) < 0)
            return combo->currentText();
        return combo->currentData().toString();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        return edit->text();
    return {};
}

void FlexGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
    model->setData(index, EditorValue(editor), Qt::EditRole);
}

void FlexGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                            const QModelIndex& index) const {
    QRect rect = option.rect;
    if (outlineCell(index))
        rect.setLeft(rect.left() + OutlineIndent(m_grid->gridModel()->RowOutlineLevel(
                                       m_grid->gridModel()->GridRow(index.row()))));
    editor->setGeometry(rect);
}
