#include "store/editors/store/DocumentMarks.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {

QTextEdit::ExtraSelection Selection(QTextDocument* document, const DocumentPreview::Span& span,
                                    const QTextCharFormat& format) {
    QTextCursor cursor(document);
    cursor.setPosition(int(span.position));
    cursor.setPosition(int(span.position + span.length), QTextCursor::KeepAnchor);
    return {cursor, format};
}

} // namespace

QList<QTextEdit::ExtraSelection> DocumentMarks::InEditor(QTextDocument* document,
                                                         const QList<DocumentPreview::Span>& marks) {
    QTextCharFormat unknown;
    unknown.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    unknown.setUnderlineColor(Qt::red);
    QList<QTextEdit::ExtraSelection> selections;
    for (const DocumentPreview::Span& span : marks)
        if (span.mark == DocumentPreview::Mark::Unknown)
            selections.append(Selection(document, span, unknown));
    return selections;
}

QList<QTextEdit::ExtraSelection> DocumentMarks::InPreview(QTextDocument* document,
                                                          const QList<DocumentPreview::Span>& marks) {
    QTextCharFormat unknown;
    unknown.setBackground(QColor(255, 120, 120));
    QTextCharFormat noValue;
    noValue.setBackground(QColor(255, 244, 190));
    noValue.setProperty(QTextFormat::FullWidthSelection, true);
    QList<QTextEdit::ExtraSelection> selections;
    // The lines first, so a field on the same line keeps its own colour above them.
    for (const DocumentPreview::Span& span : marks)
        if (span.mark == DocumentPreview::Mark::NoValue)
            selections.append(Selection(document, span, noValue));
    for (const DocumentPreview::Span& span : marks)
        if (span.mark == DocumentPreview::Mark::Unknown)
            selections.append(Selection(document, span, unknown));
    return selections;
}

QString DocumentMarks::UnknownLine(const QStringList& unknown) {
    return unknown.isEmpty() ? QString()
                             : QStringLiteral("Unknown fields: ") + unknown.join(QStringLiteral(", "));
}
