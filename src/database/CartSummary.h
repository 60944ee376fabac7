#pragma once

#include <QString>
#include <optional>

// What a customer's documents tell of an order beyond its row: the amount paid and where it is shipped,
// read from the cart the web store wrote. A cart that cannot be read tells nothing.
struct CartSummary {
    // The sum of the cart's payment amounts; none when it has no payment.
    std::optional<double> total;
    // The texts of the cart's ship-to address parts joined by ", "; empty when it ships nowhere.
    QString shipAddress;

    static CartSummary Read(const QString& cartXml);
};
