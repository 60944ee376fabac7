#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class FlexGridModel;

// Writes a grid's shown columns and rows (all rows, or the filtered ones while a filter is set) as CSV: a
// header row of column titles, cells as the grid shows them, fields quoted where they hold a comma, a quote
// or a line break (quotes doubled), lines ended by CR LF, UTF-8 with an optional byte-order mark. The file
// appears only when everything was written: a failure or a cancel leaves what was there before.
class CsvExport {
public:
    // Asked every few thousand rows with the rows written and the rows to write; false cancels.
    using Progress = std::function<bool(int64_t done, int64_t total)>;

    CsvExport(const FlexGridModel& model, bool byteOrderMark) : m_model(model), m_bom(byteOrderMark) {}

    // True when the file was written; else Error() says why (empty when cancelled).
    bool Write(const QString& path, const Progress& progress = {});
    const QString& Error() const { return m_error; }
    bool Cancelled() const { return m_cancelled; }

    // One CSV field: quoted when it must be.
    static void AppendField(QByteArray& out, QByteArrayView field);

private:
    void appendRow(QByteArray& out, int32_t gridRow, const std::vector<int32_t>& cols,
                   const std::vector<bool>& stored) const;

    const FlexGridModel& m_model;
    bool m_bom;
    QString m_error;
    bool m_cancelled = false;
};
