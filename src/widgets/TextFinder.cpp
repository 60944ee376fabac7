#include "widgets/TextFinder.h"

#include <algorithm>
#include <cstring>

namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + ('a' - 'A')) : c;
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? char(c - ('a' - 'A')) : c;
}

bool HasNonAscii(QByteArrayView bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

} // namespace

TextFinder::TextFinder(const QString& text) : m_text(text) {
    for (const QChar c : text)
        m_ascii = m_ascii && c.unicode() < 0x80;
    if (m_ascii)
        for (const QChar c : text)
            m_lower += Lower(char(c.unicode()));
}

bool TextFinder::Narrows(const TextFinder& earlier) const {
    return !earlier.Empty() && m_text.contains(earlier.m_text, Qt::CaseInsensitive);
}

bool TextFinder::In(QStringView text) const {
    return text.contains(m_text, Qt::CaseInsensitive);
}

qsizetype TextFinder::Find(QByteArrayView utf8, qsizetype from) const {
    if (m_text.isEmpty())
        return from <= utf8.size() ? from : -1;
    if (!m_ascii) {
        // Only a text with characters beyond ASCII can hold one.
        if (from != 0 || !HasNonAscii(utf8))
            return -1;
        return QString::fromUtf8(utf8).contains(m_text, Qt::CaseInsensitive) ? 0 : -1;
    }
    const qsizetype n = m_lower.size();
    if (from < 0 || utf8.size() - from < n)
        return -1;
    const char* data = utf8.data();
    const char* last = data + utf8.size() - n; // the last place a match can start
    const char* p = data + from;
    // Both letter cases of the first character are looked for with memchr; each search moves on only when
    // its hit was used.
    const char lower = m_lower[0];
    const char upper = Upper(lower);
    auto next = [&](char c) { return static_cast<const char*>(std::memchr(p, c, size_t(last - p + 1))); };
    const char* atLower = next(lower);
    const char* atUpper = lower == upper ? nullptr : next(upper);
    for (;;) {
        const char* hit = !atUpper ? atLower : !atLower ? atUpper : std::min(atLower, atUpper);
        if (!hit)
            return -1;
        qsizetype i = 1;
        while (i < n && Lower(hit[i]) == m_lower[i])
            ++i;
        if (i == n)
            return hit - data;
        p = hit + 1;
        if (p > last)
            return -1;
        if (hit == atLower)
            atLower = next(lower);
        else
            atUpper = next(upper);
    }
}
