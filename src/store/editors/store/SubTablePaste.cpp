#include "store/editors/store/SubTablePaste.h"

#include "sdk/Variant.h"
#include "store/editors/store/SubTableDescription.h"
#include "store/editors/store/SubTableEngine.h"
#include "widgets/FlexGrid.h"
#include "widgets/VariantTable.h"

#include <QRegularExpression>

namespace {

const QString Button = QStringLiteral("...");

std::optional<bool> Truth(const QString& text) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1") ||
        t == QLatin1String("-1") || t == QLatin1String("x"))
        return true;
    if (t.isEmpty() || t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace

SubTablePaste::SubTablePaste(SubTableEngine& engine, const SubTableDescription& description,
                             VariantTable& table)
    : m_engine(engine), m_description(description), m_table(table) {}

QStringList SubTablePaste::Fill(int32_t row, const QStringList& cells) const {
    const FlexGrid& grid = m_engine.Grid();
    const std::vector<int32_t> cols = grid.VisibleCols();
    QStringList reasons;
    // Cells out of step with the columns are shown as they came, and only their count is told.
    if (size_t(cells.size()) != cols.size()) {
        for (size_t i = 0; i < cols.size() && i < size_t(cells.size()); ++i)
            m_table.setValue(cols[i], row, cells[qsizetype(i)]);
        return {QStringLiteral("%1 cells where the grid has %2 columns.").arg(cells.size()).arg(cols.size())};
    }
    for (size_t i = 0; i < cols.size(); ++i) {
        const QString reason = cell(row, cols[i], cells[qsizetype(i)]);
        if (!reason.isEmpty())
            reasons << grid.gridModel()->column(cols[i]).header + QStringLiteral(": ") + reason;
    }
    return reasons;
}

QString SubTablePaste::cell(int32_t row, int32_t field, const QString& text) const {
    const FlexGrid& grid = m_engine.Grid();
    if (grid.ColComboList(field) == Button)
        return m_description.pasteCell ? m_description.pasteCell(m_engine, m_table, row, field, text)
                                       : QString();
    if (m_description.editable && !m_description.editable(m_table, row, field))
        return {};
    if (grid.ColDataType(field) == FlexGrid::DataType::Boolean) {
        const std::optional<bool> truth = Truth(text);
        m_table.setValue(field, row, truth ? Variant(*truth) : Variant(text));
        return truth ? QString() : QStringLiteral("must be True or False.");
    }
    if (!grid.ColComboList(field).isEmpty())
        return listCell(row, field, text);
    const QString typed = grid.ColFormat(field).isEmpty() ? text : Unformatted(text);
    for (const FieldCheck& check : m_description.checks) {
        if (check.field == field && check.refused(typed)) {
            m_table.setValue(field, row, text);
            return check.message;
        }
    }
    m_table.setValue(field, row, typed);
    return {};
}

// The entry whose key or shown text the cell holds; a data-mapped list stores the key as a number, as a
// choice in the drop-down does.
QString SubTablePaste::listCell(int32_t row, int32_t field, const QString& text) const {
    const QString wanted = text.trimmed();
    const FlexGridModel::Column& column = m_engine.Grid().gridModel()->column(field);
    for (const FlexGridModel::ComboEntry& entry : column.entries) {
        if (entry.key.compare(wanted, Qt::CaseInsensitive) != 0 &&
            entry.text.trimmed().compare(wanted, Qt::CaseInsensitive) != 0)
            continue;
        bool number = false;
        const int32_t key = entry.key.toInt(&number);
        m_table.setValue(field, row, column.mapped && number ? Variant(key) : Variant(entry.key));
        return {};
    }
    m_table.setValue(field, row, text);
    if (column.editableList)
        return {};
    return QStringLiteral("\"%1\" is not one of the choices.").arg(wanted);
}

QString SubTablePaste::Unformatted(const QString& text) {
    QString number = text.trimmed();
    if (number.isEmpty() || IsNumericText(number))
        return number;
    const bool negative = number.startsWith(QLatin1Char('(')) && number.endsWith(QLatin1Char(')'));
    if (negative)
        number = number.mid(1, number.size() - 2);
    number.remove(QRegularExpression(QStringLiteral("[$€£,\\s]")));
    if (!IsNumericText(number))
        return text;
    return negative ? QLatin1Char('-') + number : number;
}
