#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <vector>

// Keeps the text of a grid's rows as UTF-8 in large blocks, so a million rows cost little more than their
// characters. A stored text never moves; replacing a row's text stores a new one and leaves the old bytes
// unused until the store is cleared.
class RowTextStore {
public:
    struct Span {
        uint32_t block = 0;
        uint32_t offset = 0;
        uint32_t length = 0;
    };

    Span Append(QStringView text);
    QByteArrayView View(const Span& span) const;
    void Clear();

    // Bytes held in blocks, used or not.
    size_t BytesAllocated() const;

private:
    struct Block {
        std::unique_ptr<char[]> data;
        uint32_t size = 0;
        uint32_t used = 0;
    };
    std::vector<Block> m_blocks;
};
