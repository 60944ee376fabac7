#include "store/data/StorableText.h"

#include "store/data/TextRefused.h"

namespace {

// Columns count characters; a character outside the basic plane is two UTF-16 units.
qsizetype Characters(const QString& value) {
    qsizetype count = 0;
    for (const QChar c : value)
        count += !c.isLowSurrogate();
    return count;
}

} // namespace

void CheckStorableText(const QString& field, const QString& value, int maxLength) {
    if (value.contains(QChar(0)))
        throw TextRefused(QStringLiteral("%1 holds a NUL character, which cannot be stored.").arg(field),
                          QStringLiteral("Invalid Text"));
    if (const qsizetype length = Characters(value); maxLength >= 0 && length > maxLength)
        throw TextRefused(QStringLiteral("%1 may hold at most %2 characters; this text has %3.")
                              .arg(field)
                              .arg(maxLength)
                              .arg(length),
                          QStringLiteral("Text Too Long"));
}
