#include "store/viewers/modChunk.h"
#include "sdk/RuntimeError.h"
#include "support/RecordingErrorObject.h"

#include <gtest/gtest.h>

namespace {

// A long column that remembers the pieces asked for.
class LongField : public Field {
public:
    LongField(QString text, bool longData) : m_text(std::move(text)), m_long(longData) {}
    Variant Value() const override { return m_text; }
    int32_t ActualSize() const override { return int32_t(m_text.size()); }
    int32_t Attributes() const override { return m_long ? Field::LongData : 0; }
    Variant GetChunk(int32_t size) override {
        if (failAt == int(sizes.size()))
            throw RuntimeError(-2147467259, "Connection lost");
        sizes.push_back(size);
        const QString piece = m_text.mid(m_offset, size);
        m_offset += int32_t(piece.size());
        return piece;
    }

    std::vector<int32_t> sizes;
    int failAt = -1;

private:
    QString m_text;
    bool m_long;
    int32_t m_offset = 0;
};

QString Text(int size) {
    QString text;
    for (int i = 0; i < size; ++i)
        text += QChar(u'a' + i % 26);
    return text;
}

// A long column comes in a short piece and then whole chunks; a short one by its value; a failure is reported
// and leaves the text alone.
TEST(modChunkTest, LongFieldsAreReadInChunksShortOnesByValue) {
    auto error = std::make_shared<RecordingErrorObject>();
    QString text;
    for (const auto& [size, pieces] : {std::pair{2500, std::vector<int32_t>{452, 1024, 1024}},
                                       std::pair{2048, std::vector<int32_t>{1024, 1024}}}) {
        auto field = std::make_shared<LongField>(Text(size), true);
        ASSERT_TRUE(ReadChunkedField(error, text, field, 0));
        EXPECT_EQ(field->sizes, pieces);
        EXPECT_EQ(text, Text(size));
    }
    auto plain = std::make_shared<LongField>("<cart/>", false);
    ASSERT_TRUE(ReadChunkedField(error, text, plain, 0));
    EXPECT_EQ(text, "<cart/>");
    EXPECT_TRUE(plain->sizes.empty());
    EXPECT_TRUE(error->reports.empty());

    auto broken = std::make_shared<LongField>(Text(3000), true);
    broken->failAt = 1;
    EXPECT_FALSE(ReadChunkedField(error, text, broken, 0));
    EXPECT_EQ(text, "<cart/>");
    ASSERT_EQ(error->reports.size(), 1u);
    EXPECT_EQ(error->reports[0].source, "ZevStore.modChunk (1.0.0) ReadChunkedField");
}

} // namespace
