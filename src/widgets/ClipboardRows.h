#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Rows as a spreadsheet or a grid's Copy puts them on the clipboard: cells separated by tabs, rows by CR LF,
// LF or CR, a cell holding a tab, a line break or a quote written in quotes (a quote inside doubled).
class ClipboardRows {
public:
    // The rows of the text; a last line break ends the last row rather than starting an empty one, and lines
    // with nothing in them are left out.
    static QList<QStringList> Parse(const QString& text);
    // The rows without a first row that repeats the grid's column titles (compared trimmed, without regard to
    // case, without the alignment marks "<", "^" and ">").
    static QList<QStringList> WithoutHeader(QList<QStringList> rows, const QStringList& headers);
    // A cell as it goes on the clipboard: quoted when it holds a tab, a line break or starts with a quote.
    static QString Cell(const QString& text);
    // A title as it is compared.
    static QString Title(const QString& header);
    // One message for the rows of a paste that were refused, each reason on a line of its own; fate says
    // what became of them ("were not saved").
    static void ShowRefused(qsizetype refusedRows, qsizetype pastedRows, const QStringList& reasons,
                            const QString& fate);
};
