#pragma once

#include "widgets/FlexGrid.h"

#include <QStringList>
#include <utility>
#include <vector>

// A small RFC 4180 reader, independent of the writer: fields, quoted fields with doubled quotes and line
// breaks, lines ended by CR LF.
inline std::vector<QStringList> ReadCsv(const QByteArray& bytes) {
    const QString text = QString::fromUtf8(bytes);
    std::vector<QStringList> rows(1);
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back() << std::exchange(field, {});
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            rows.back() << std::exchange(field, {});
            rows.emplace_back();
            ++i;
        } else {
            field += c;
        }
    }
    rows.pop_back(); // after the last CR LF
    return rows;
}

// The grid as shown: the titles of its shown columns, then every shown row's shown cells.
inline std::vector<QStringList> ShownCells(const FlexGrid& grid) {
    std::vector<QStringList> rows;
    const FlexGridModel& model = *grid.gridModel();
    for (int view = -1; view < model.rowCount(); ++view) {
        QStringList cells;
        for (int32_t c = 0; c < grid.Cols(); ++c)
            if (!grid.ColHidden(c))
                cells << (view < 0 ? model.column(c).header : model.ShownText(model.GridRow(view), c));
        rows.push_back(cells);
    }
    return rows;
}
