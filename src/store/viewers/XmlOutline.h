#pragma once

#include <QColor>
#include <QString>
#include <vector>

// One row of the outline of an XML document: an element that branches, an element shown with its text,
// or an attribute one level below its element.
struct OutlineRow {
    enum class Kind { Branch, Leaf, Attribute };

    Kind kind = Kind::Leaf;
    QString tag;
    QString value;
    int level = 0;

    // The value cell's background; invalid for branches, whose cell keeps the grid's colour.
    QColor valueColour() const;
};

// The outline of an XML text as the order and customer viewers show it. Documents with a DTD, entity
// declarations, too deep nesting or too many nodes are refused rather than expanded.
class XmlOutline {
public:
    static constexpr int MaxDepth = 200;
    static constexpr int MaxRows = 200000;
    static constexpr int MaxAttributes = 1000;

    // Parses the text; false with error() set when it cannot be shown. With maskCardNo the value of a
    // "CARD_NO" attribute is hidden but for its last four characters.
    bool load(const QString& xml, bool maskCardNo);

    const std::vector<OutlineRow>& rows() const { return m_rows; }
    // The parser's reason for refusing the document.
    const QString& error() const { return m_error; }

    // "X" for every character but the last four; values shorter than four characters stay as they are.
    static QString MaskCardNumber(const QString& value);

private:
    QString m_error;
    std::vector<OutlineRow> m_rows;
};
