#pragma once

#include "store/data/DocumentPreview.h"

#include <QList>
#include <QTextEdit>

class QTextDocument;

// How the document tab and the preview mark a document's fields, as extra selections over its text (the
// text itself, and so the changed flag, stay untouched).
class DocumentMarks {
public:
    // The editor: a wavy red underline under each unknown field.
    static QList<QTextEdit::ExtraSelection> InEditor(QTextDocument* document,
                                                     const QList<DocumentPreview::Span>& marks);
    // The preview: unknown fields on red; a line holding a field without a value on pale yellow.
    static QList<QTextEdit::ExtraSelection> InPreview(QTextDocument* document,
                                                      const QList<DocumentPreview::Span>& marks);
    // "Unknown fields: [A], [B]", or empty text when there are none.
    static QString UnknownLine(const QStringList& unknown);
};
