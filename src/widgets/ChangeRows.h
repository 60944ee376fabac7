#pragma once

#include "sdk/ChangedColumns.h"

#include <QStringList>

class FlexGrid;

// Adds one change of the history to a grid: what, who and when (lead) on its first line, then each column it
// changed on a line of its own, its old and new values side by side.
void AddChangeRows(FlexGrid& grid, const QStringList& lead, const QList<ChangedColumn>& columns);
