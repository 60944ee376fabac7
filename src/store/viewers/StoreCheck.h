#pragma once

#include "store/data/ErrorState.h"

#include <QList>
#include <QString>
#include <cstdint>

class CStore;
class CStoreMaint;

// What a customer of a store would stumble on: the database's findings (links and list items offering what
// cannot be bought, bound prices that cannot be charged, empty products and groups, fees of retired items)
// and the fields its documents use that the field list does not know.
class StoreCheck {
public:
    enum class Record { SellLink, ListItem, ProductItem, Product, Group, Fee, Document };

    struct Finding {
        Record record = Record::Product;
        int32_t productNo = 0;
        int32_t seqNo = 0;
        int32_t priceNo = 0;
        int32_t newProductNo = 0;
        int32_t newSeqNo = 0;
        int32_t newPriceNo = 0;
        QString listId;
        int32_t listSeqNo = 0;
        QString feeId;
        int32_t groupNo = 0;
        QString sellCode;
        QString document; // the store editor's tab of the document: "CONFIRM", "SHIP" or "MANUAL"
        QString description;

        // The grid's first two columns: the kind of record and which one.
        QString What() const;
        QString Where() const;
        // The store editor's tab that shows the record; empty for a record with an editor of its own.
        QString StoreTab() const;
    };

    explicit StoreCheck(CStoreMaint& service) : m_service(service) {}

    // The store's findings, records first and documents last; false, with the failure reported, when they
    // cannot be read.
    bool Run(int32_t storeNo, QList<Finding>& findings);

private:
    bool ReadFindings(int32_t storeNo, QList<Finding>& findings);
    bool CheckDocuments(int32_t storeNo, QList<Finding>& findings);
    QStringList KnownFields();

    CStoreMaint& m_service;
    ErrorState m_errors{QStringLiteral("StoreCheck")};
};
