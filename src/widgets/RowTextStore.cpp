#include "widgets/RowTextStore.h"

#include <QStringEncoder>
#include <algorithm>

namespace {
constexpr uint32_t BlockSize = 1u << 20;
}

RowTextStore::Span RowTextStore::Append(QStringView text) {
    char* start = reserve(text.size());
    QStringEncoder encoder(QStringEncoder::Utf8);
    return commit(start, encoder.appendToBuffer(start, text));
}

RowTextStore::Span RowTextStore::Append(std::span<const QString> cells) {
    qsizetype units = qsizetype(cells.size());
    for (const QString& cell : cells)
        units += cell.size();
    char* start = reserve(units);
    char* end = start;
    QStringEncoder encoder(QStringEncoder::Utf8);
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            *end++ = '\t';
        end = encoder.appendToBuffer(end, cells[i]);
    }
    return commit(start, end);
}

char* RowTextStore::reserve(qsizetype units) {
    // UTF-8 never needs more than three bytes per UTF-16 unit.
    const auto worst = uint32_t(units) * 3;
    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < worst) {
        const uint32_t size = std::max(BlockSize, worst);
        // Not zero-filled: only the bytes written are ever touched.
        m_blocks.push_back({std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    Block& block = m_blocks.back();
    return block.data.get() + block.used;
}

RowTextStore::Span RowTextStore::commit(const char* start, const char* end) {
    Block& block = m_blocks.back();
    const Span span{uint32_t(m_blocks.size() - 1), block.used, uint32_t(end - start)};
    block.used += span.length;
    return span;
}

QByteArrayView RowTextStore::View(const Span& span) const {
    if (span.length == 0)
        return {};
    return QByteArrayView(m_blocks[span.block].data.get() + span.offset, span.length);
}

void RowTextStore::Clear() {
    m_blocks.clear();
}

size_t RowTextStore::BytesAllocated() const {
    size_t total = 0;
    for (const Block& block : m_blocks)
        total += block.size;
    return total;
}
