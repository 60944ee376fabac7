#include "widgets/RowTextStore.h"

#include <QStringEncoder>
#include <algorithm>

namespace {
constexpr uint32_t BlockSize = 1u << 20;
}

RowTextStore::Span RowTextStore::Append(QStringView text) {
    // UTF-8 never needs more than three bytes per UTF-16 unit.
    const auto worst = uint32_t(text.size()) * 3;
    if (m_blocks.empty() || m_blocks.back().size - m_blocks.back().used < worst) {
        const uint32_t size = std::max(BlockSize, worst);
        // Not zero-filled: only the bytes written are ever touched.
        m_blocks.push_back({std::make_unique_for_overwrite<char[]>(size), size, 0});
    }
    Block& block = m_blocks.back();
    char* start = block.data.get() + block.used;
    QStringEncoder encoder(QStringEncoder::Utf8);
    char* end = encoder.appendToBuffer(start, text);
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
