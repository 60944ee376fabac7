#include "store/viewers/XmlOutline.h"

#include <QXmlStreamReader>
#include <algorithm>
#include <memory>

namespace {

struct Element;

// A child node: an element, a text that is more than white space, or a comment (neither).
struct Child {
    std::unique_ptr<Element> element;
    QString text;
};

// An element as read, with its attributes and child nodes in document order.
struct Element {
    QString tag;
    QXmlStreamAttributes attributes;
    std::vector<Child> children;
    QString text; // the text of all descendants
};

QString BaseName(const QString& name) {
    const qsizetype colon = name.indexOf(QLatin1Char(':'));
    return colon < 0 ? name : name.mid(colon + 1);
}

// The most attributes any one tag holds, counted without parsing: the parser's duplicate check is quadratic,
// so a tag with a huge attribute list must be refused before it reaches the parser.
int MostAttributesInATag(const QString& xml) {
    int most = 0;
    int inTag = 0;
    QChar quote;
    bool tag = false;
    for (const QChar c : xml) {
        if (tag && !quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (tag && (c == QLatin1Char('"') || c == QLatin1Char('\''))) {
            quote = c;
        } else if (c == QLatin1Char('<')) {
            tag = true;
            inTag = 0;
        } else if (tag && c == QLatin1Char('>')) {
            tag = false;
        } else if (tag && c == QLatin1Char('=')) {
            most = std::max(most, ++inTag);
        }
    }
    return most;
}

// Reads the document in one pass. No DTD is accepted, so no entity is ever loaded or expanded;
// depth and size are bounded so that a hostile document cannot exhaust memory.
std::unique_ptr<Element> Parse(const QString& xml, QString& error) {
    if (MostAttributesInATag(xml) > XmlOutline::MaxAttributes) {
        error = QStringLiteral("An element holds more than %1 attributes.").arg(XmlOutline::MaxAttributes);
        return nullptr;
    }
    QXmlStreamReader reader(xml);
    std::unique_ptr<Element> root;
    std::vector<Element*> open;
    qint64 rows = 0;
    auto refuse = [&](const QString& reason) {
        error = reason;
        return nullptr;
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return refuse(QStringLiteral("Document type declarations are not accepted."));
        case QXmlStreamReader::EntityReference:
            return refuse(QStringLiteral("Entity references are not accepted."));
        case QXmlStreamReader::StartElement: {
            if (int(open.size()) >= XmlOutline::MaxDepth)
                return refuse(
                    QStringLiteral("The document nests deeper than %1 levels.").arg(XmlOutline::MaxDepth));
            rows += 1 + reader.attributes().size();
            if (rows > XmlOutline::MaxRows)
                return refuse(QStringLiteral("The document holds more than %1 elements and attributes.")
                                  .arg(XmlOutline::MaxRows));
            auto element = std::make_unique<Element>();
            element->tag = reader.qualifiedName().toString();
            element->attributes = reader.attributes();
            Element* raw = element.get();
            if (open.empty())
                root = std::move(element);
            else
                open.back()->children.push_back({std::move(element), {}});
            open.push_back(raw);
            break;
        }
        case QXmlStreamReader::EndElement:
            if (!open.empty()) {
                const QString text = open.back()->text;
                open.pop_back();
                if (!open.empty())
                    open.back()->text += text;
            }
            break;
        case QXmlStreamReader::Characters:
            if (!open.empty() && !reader.isWhitespace()) {
                open.back()->children.push_back({nullptr, reader.text().toString().trimmed()});
                open.back()->text += reader.text();
            }
            break;
        case QXmlStreamReader::Comment:
            if (!open.empty())
                open.back()->children.push_back({});
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return refuse(reader.errorString());
    if (!root)
        return refuse(QStringLiteral("The document has no element."));
    return root;
}

class OutlineBuilder {
public:
    OutlineBuilder(std::vector<OutlineRow>& rows, bool maskCardNo) : m_rows(rows), m_mask(maskCardNo) {}

    void addElement(const Element& element, int level) {
        if (element.children.size() <= 1) {
            m_rows.push_back({OutlineRow::Kind::Leaf, element.tag, element.text.trimmed(), level});
            addAttributes(element, level);
            return;
        }
        m_rows.push_back({OutlineRow::Kind::Branch, element.tag, {}, level});
        addAttributes(element, level);
        for (const Child& child : element.children) {
            if (child.element)
                addElement(*child.element, level + 1);
            else if (!child.text.isEmpty())
                m_rows.push_back({OutlineRow::Kind::Leaf, {}, child.text, level + 1});
        }
    }

private:
    void addAttributes(const Element& element, int level) {
        for (const QXmlStreamAttribute& attribute : element.attributes) {
            const QString name = BaseName(attribute.qualifiedName().toString());
            QString value = attribute.value().toString();
            if (m_mask && name == QLatin1String("CARD_NO"))
                value = XmlOutline::MaskCardNumber(value);
            m_rows.push_back({OutlineRow::Kind::Attribute, name, value, level + 1});
        }
    }

    std::vector<OutlineRow>& m_rows;
    bool m_mask;
};

} // namespace

QColor OutlineRow::valueColour() const {
    switch (kind) {
    case Kind::Leaf:
        return QColor(0, 255, 255);
    case Kind::Attribute:
        return QColor(255, 224, 192);
    case Kind::Branch:
        break;
    }
    return {};
}

bool XmlOutline::load(const QString& xml, bool maskCardNo) {
    m_rows.clear();
    m_error.clear();
    const std::unique_ptr<Element> root = Parse(xml, m_error);
    if (!root)
        return false;
    OutlineBuilder(m_rows, maskCardNo).addElement(*root, 0);
    return true;
}

QString XmlOutline::MaskCardNumber(const QString& value) {
    if (value.size() < 4)
        return value;
    return QString(value.size() - 4, QLatin1Char('X')) + value.right(4);
}
