#include "database/CartSummary.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace {

// The ship-to element's address parts (its child elements' texts), or its own text when it has no parts.
QString ReadAddress(QXmlStreamReader& xml) {
    QStringList parts;
    QString own;
    while (xml.readNext() != QXmlStreamReader::EndElement && !xml.hasError()) {
        if (xml.isCharacters())
            own += xml.text();
        else if (xml.isStartElement())
            parts << xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
    }
    parts.removeAll(QString());
    return parts.isEmpty() ? own.simplified() : parts.join(QStringLiteral(", "));
}

} // namespace

CartSummary CartSummary::Read(const QString& cartXml) {
    CartSummary summary;
    QXmlStreamReader xml(cartXml);
    bool inPayment = false;
    while (!xml.atEnd() && !xml.hasError()) {
        xml.readNext();
        if (xml.isEndElement() && xml.name() == QLatin1String("payment"))
            inPayment = false;
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("payment")) {
            inPayment = true;
        } else if (xml.name() == QLatin1String("ship_to")) {
            summary.shipAddress = ReadAddress(xml);
        } else if (inPayment && xml.name() == QLatin1String("amount")) {
            bool numeric = false;
            const double amount = xml.readElementText().trimmed().toDouble(&numeric);
            if (numeric)
                summary.total = summary.total.value_or(0) + amount;
        }
    }
    return xml.hasError() ? CartSummary{} : summary;
}
