#include "widgets/CsvExport.h"

#include "widgets/FlexGridModel.h"

#include <QSaveFile>

namespace {
// Bytes gathered before they go to the file, and rows between two progress reports.
constexpr qsizetype FlushBytes = 1 << 20;
constexpr int32_t ReportEvery = 4096;
} // namespace

void CsvExport::AppendField(QByteArray& out, QByteArrayView field) {
    bool quote = false;
    for (const char c : field)
        if (c == ',' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    if (!quote) {
        out.append(field);
        return;
    }
    out.append('"');
    for (const char c : field) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

void CsvExport::appendRow(QByteArray& out, int32_t gridRow, const std::vector<int32_t>& cols,
                          const std::vector<bool>& stored) const {
    // Cells shown as stored come straight from the row's UTF-8 text; the others as the grid shows them.
    const QByteArrayView line = m_model.StoredLine(gridRow);
    std::vector<QByteArrayView> cells;
    if (!line.isEmpty()) {
        qsizetype start = 0;
        for (int32_t c = 0; c < m_model.Cols(); ++c) {
            qsizetype end = start > line.size() ? -1 : line.indexOf('\t', start);
            if (end < 0)
                end = line.size();
            cells.push_back(start < line.size() ? line.sliced(start, end - start) : QByteArrayView());
            start = end + 1;
        }
    }
    for (size_t i = 0; i < cols.size(); ++i) {
        if (i > 0)
            out.append(',');
        const int32_t col = cols[i];
        if (stored[i] && !m_model.Table())
            AppendField(out, cells.empty() ? QByteArrayView() : cells[size_t(col)]);
        else
            AppendField(out, m_model.ShownText(gridRow, col).toUtf8());
    }
    out.append("\r\n");
}

bool CsvExport::Write(const QString& path, const Progress& progress) {
    m_error.clear();
    m_cancelled = false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_error = file.errorString();
        return false;
    }
    std::vector<int32_t> cols;
    std::vector<bool> stored;
    for (int32_t c = 0; c < m_model.Cols(); ++c) {
        const FlexGridModel::Column& column = m_model.column(c);
        if (column.hidden)
            continue;
        cols.push_back(c);
        stored.push_back(column.type == FlexGridModel::DataType::Text && column.format.isEmpty() &&
                         !column.mapped);
    }
    QByteArray out;
    out.reserve(FlushBytes + 4096);
    if (m_bom)
        out.append("\xEF\xBB\xBF");
    for (size_t i = 0; i < cols.size(); ++i) {
        if (i > 0)
            out.append(',');
        AppendField(out, m_model.column(cols[i]).header.toUtf8());
    }
    out.append("\r\n");
    const bool filtered = !m_model.Filter().isEmpty();
    const int64_t total = filtered ? m_model.rowCount() : m_model.Rows() - 1;
    for (int64_t i = 0; i < total; ++i) {
        // A filter writes the rows it shows; without one, every row, folded or not.
        const int32_t gridRow = filtered ? m_model.GridRow(int(i)) : int32_t(i + 1);
        if (m_model.RowHidden(gridRow))
            continue;
        appendRow(out, gridRow, cols, stored);
        if (out.size() >= FlushBytes) {
            file.write(out);
            out.clear();
        }
        if (progress && (i + 1) % ReportEvery == 0 && !progress(i + 1, total)) {
            m_cancelled = true;
            file.cancelWriting();
            return false;
        }
    }
    file.write(out);
    if (!file.commit()) {
        m_error = file.errorString();
        return false;
    }
    if (progress)
        progress(total, total);
    return true;
}
