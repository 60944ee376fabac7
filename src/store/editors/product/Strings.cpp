#include "store/editors/product/Strings.h"

namespace {

QChar DelimiterChar(const QString& delimiter) {
    return delimiter.isEmpty() ? QLatin1Char(',') : delimiter.at(0);
}

} // namespace

int32_t CountFields(const QString& text, const QString& delimiter) {
    if (text.isEmpty())
        return 0;
    return 1 + int32_t(text.count(DelimiterChar(delimiter)));
}

QString GetField(const QString& text, int16_t field, const QString& delimiter) {
    if (field < 1 || CountFields(text, delimiter) < field)
        return {};
    return text.section(DelimiterChar(delimiter), field - 1, field - 1).trimmed();
}
