#pragma once

#include "store/data/DocumentFields.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// A store document with its fields filled from an order, as the customer would receive it, and what the
// reader should look at: fields the field list does not know stay as written; known fields the order has no
// value for are filled with empty text.
class DocumentPreview {
public:
    enum class Mark { Unknown, NoValue };
    struct Span {
        qsizetype position = 0; // in the filled text
        qsizetype length = 0;   // 0 for a field filled with empty text
        Mark mark = Mark::Unknown;
    };

    // Without values (no order to fill from) every field stays as written.
    DocumentPreview(const QString& document, const DocumentFields& fields,
                    const QMap<QString, QString>* values = nullptr);

    const QString& Text() const { return m_text; }
    const QList<Span>& Marks() const { return m_marks; }
    // Distinct fields in order of first appearance.
    const QStringList& Unknown() const { return m_unknown; }
    const QStringList& WithoutValue() const { return m_withoutValue; }

private:
    QString m_text;
    QList<Span> m_marks;
    QStringList m_unknown;
    QStringList m_withoutValue;
};
