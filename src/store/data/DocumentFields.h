#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The dynamic fields a store document uses: "[Name]" placeholders that are filled in from an order when the
// document is sent. Shared by the document preview and the store check, so both agree on what a field is.
class DocumentFields {
public:
    struct Use {
        qsizetype position = 0; // index of the opening bracket in the document
        QString field;          // with its brackets, as the field list holds it: "[OrderNo]"
        qsizetype length() const { return field.size(); }
    };

    explicit DocumentFields(QStringList known);

    // Every placeholder in the document, in order of appearance.
    static QList<Use> UsesIn(const QString& document);

    bool IsKnown(const QString& field) const;
    // The distinct placeholders the field list does not know, in order of first appearance.
    QStringList UnknownIn(const QString& document) const;

private:
    QStringList m_known;
};
