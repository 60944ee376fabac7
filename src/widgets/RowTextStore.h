#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <span>
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
    // Stores cells as one text, separated by tab characters, without joining them first.
    Span Append(std::span<const QString> cells);
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
    char* reserve(qsizetype units);
    Span commit(const char* start, const char* end);

    std::vector<Block> m_blocks;
};
