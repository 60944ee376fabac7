#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Finds a text inside cell texts without regard to letter case: in UTF-8 bytes straight from a grid's row
// store when the text is plain ASCII (the usual case, and the fast one), else through QString.
class TextFinder {
public:
    TextFinder() = default;
    explicit TextFinder(const QString& text);

    bool Empty() const { return m_text.isEmpty(); }
    bool Ascii() const { return m_ascii; }
    // The text's length in UTF-8 bytes, for an ASCII text.
    qsizetype Bytes() const { return m_lower.size(); }
    const QString& Text() const { return m_text; }
    // Every text holding this one also holds the earlier one, so only the earlier matches need a look.
    bool Narrows(const TextFinder& earlier) const;

    bool In(QByteArrayView utf8) const { return Find(utf8, 0) >= 0; }
    bool In(QStringView text) const;
    // Where the text starts in utf8 at or after from; -1 when it is not there.
    qsizetype Find(QByteArrayView utf8, qsizetype from) const;

private:
    QString m_text;
    QByteArray m_lower; // the ASCII text in lower case; empty when the text is not ASCII
    bool m_ascii = true;
};
