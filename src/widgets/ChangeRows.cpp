#include "widgets/ChangeRows.h"

#include "widgets/FlexGrid.h"

void AddChangeRows(FlexGrid& grid, const QStringList& lead, const QList<ChangedColumn>& columns) {
    const QStringList blank(lead.size(), QString());
    bool first = true;
    for (const ChangedColumn& column : columns) {
        const QStringList cells =
            (first ? lead : blank) + QStringList{column.name, column.oldValue, column.newValue};
        grid.AddRow(std::span<const QString>(cells.cbegin(), size_t(cells.size())));
        first = false;
    }
}
