#pragma once

#include "sdk/DBConnection.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <memory>

// The values one order of a store fills into the store's documents, formatted as the customer reads them:
// the order number whole, its date as mm/dd/yyyy, its total in currency.
class OrderDocumentValues {
public:
    // Reads the order (0: the store's newest). False when the store has no such order; raises RuntimeError
    // when the call fails.
    bool Read(const std::shared_ptr<DBConnection>& db, int32_t storeNo, double orderNo);

    // The order read.
    double OrderNo() const { return m_orderNo; }
    // The fields with a value in this order, each with its text.
    const QMap<QString, QString>& Values() const { return m_values; }

private:
    double m_orderNo = 0;
    QMap<QString, QString> m_values;
};
