#include "DocumentFields.h"

#include <QRegularExpression>

#include <utility>

namespace {

// A field name is a word: letters, digits and underscores, starting with a letter. Brackets around other
// text ("[1]", "[ see below ]") are ordinary text in a document.
const QRegularExpression& FieldPattern() {
    static const QRegularExpression pattern(QStringLiteral(R"(\[[A-Za-z][A-Za-z0-9_]*\])"));
    return pattern;
}

} // namespace

DocumentFields::DocumentFields(QStringList known) : m_known(std::move(known)) {}

QList<DocumentFields::Use> DocumentFields::UsesIn(const QString& document) {
    QList<Use> uses;
    auto matches = FieldPattern().globalMatch(document);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        uses.append({match.capturedStart(), match.captured()});
    }
    return uses;
}

bool DocumentFields::IsKnown(const QString& field) const {
    return m_known.contains(field);
}

QStringList DocumentFields::UnknownIn(const QString& document) const {
    QStringList unknown;
    for (const Use& use : UsesIn(document))
        if (!IsKnown(use.field) && !unknown.contains(use.field))
            unknown.append(use.field);
    return unknown;
}
