#include "widgets/ClipboardRows.h"

#include "widgets/MsgBox.h"

#include <algorithm>

namespace {

bool Blank(const QStringList& row) {
    return std::all_of(row.begin(), row.end(), [](const QString& cell) { return cell.trimmed().isEmpty(); });
}

} // namespace

QList<QStringList> ClipboardRows::Parse(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString cell;
    bool quoted = false;   // inside a quoted cell
    bool cellStart = true; // nothing of the cell read yet
    auto endRow = [&] {
        row << cell;
        if (!Blank(row))
            rows << row;
        row.clear();
        cell.clear();
        cellStart = true;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                cell += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                cell += text[++i];
            else
                quoted = false;
            continue;
        }
        if (c == QLatin1Char('"') && cellStart) {
            quoted = true;
            cellStart = false;
        } else if (c == QLatin1Char('\t')) {
            row << cell;
            cell.clear();
            cellStart = true;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            endRow();
        } else {
            cell += c;
            cellStart = false;
        }
    }
    if (!row.isEmpty() || !cell.isEmpty())
        endRow();
    return rows;
}

QString ClipboardRows::Cell(const QString& text) {
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')) && !text.startsWith(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString ClipboardRows::Title(const QString& header) {
    QString title = header.trimmed();
    if (title.startsWith(QLatin1Char('<')) || title.startsWith(QLatin1Char('^')) ||
        title.startsWith(QLatin1Char('>')))
        title.remove(0, 1);
    return title.trimmed().toCaseFolded();
}

QList<QStringList> ClipboardRows::WithoutHeader(QList<QStringList> rows, const QStringList& headers) {
    if (rows.isEmpty() || rows.front().size() != headers.size())
        return rows;
    for (qsizetype c = 0; c < headers.size(); ++c)
        if (Title(rows.front()[c]) != Title(headers[c]))
            return rows;
    rows.removeFirst();
    return rows;
}

void ClipboardRows::ShowRefused(qsizetype refusedRows, qsizetype pastedRows, const QStringList& reasons,
                                const QString& fate) {
    const QString crLf = QStringLiteral("\r\n");
    MsgBox(QStringLiteral("%1 of the %2 pasted rows were refused and %3:")
                   .arg(refusedRows)
                   .arg(pastedRows)
                   .arg(fate) +
               crLf + crLf + reasons.join(crLf),
           MsgBoxStyle::Information, QStringLiteral("Rows Refused"));
}
