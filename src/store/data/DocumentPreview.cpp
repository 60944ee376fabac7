#include "store/data/DocumentPreview.h"

namespace {

void AddOnce(QStringList& list, const QString& field) {
    if (!list.contains(field))
        list.append(field);
}

} // namespace

DocumentPreview::DocumentPreview(const QString& document, const DocumentFields& fields,
                                 const QMap<QString, QString>* values) {
    qsizetype from = 0;
    for (const DocumentFields::Use& use : DocumentFields::UsesIn(document)) {
        m_text += QStringView(document).mid(from, use.position - from);
        from = use.position + use.length();
        if (!fields.IsKnown(use.field)) {
            m_marks.append({m_text.size(), use.length(), Mark::Unknown});
            AddOnce(m_unknown, use.field);
            m_text += use.field;
        } else if (!values) {
            m_text += use.field;
        } else if (const QString value = values->value(use.field); !value.isEmpty()) {
            m_text += value;
        } else {
            m_marks.append({m_text.size(), 0, Mark::NoValue});
            AddOnce(m_withoutValue, use.field);
        }
    }
    m_text += QStringView(document).mid(from);
}
