#pragma once

#include "store/editors/Refusal.h"

#include <QString>
#include <cstdint>

class CProduct;
class CProductItem;

// What the product editor decides, apart from its widgets: the values its controls hold, the checks of a
// save in order, copying the record into those values and back, and the texts of its items grid.
class ProductFormRules {
public:
    // The product editor's controls as values.
    struct Values {
        QString productNo, productName, shortDescription, longDescription, productURL, productType;
        int groupIndex = 0; // -1: no entry selected
        int32_t groupNumber = 0;
        QString groupText;
        QString photoFamily = QStringLiteral("<None>");
        QString itemDisplayType = QStringLiteral("<None>");
        QString imageWidth, imageHeight, numCols;
        bool isActive = true;
        int manualInvoice = 0; // 0 clear, 1 ticked, 2 grey (inherited from the group)
        bool manualInvoiceEnabled = true;
    };

    static const QStringList& PhotoFamilies();
    static const QStringList& ItemDisplayTypes();
    static QString Caption(const CProduct& product);

    // The record into the values. The product number box keeps what the user typed for a product never
    // saved; sizes of 0 keep the boxes' text. The group number is matched against the list by the form.
    static void Show(const CProduct& product, Values& values);
    // The first failed check of a save, in order.
    static CheckResult Check(const Values& values);
    // The values into the record; a step that cannot convert is skipped.
    static void Fill(const Values& values, CProduct& product);

    // The sequence number proposed for a new item: never below the highest in the grid plus 1.
    static int32_t ProposedSeqNo(int32_t defaultSeqNo, int32_t highestSeqNo);

    // Items grid: "SeqNo|IsActive|Type|Item\Pkg|PriceNo|Price|Name".
    static QString GridFormat();
    struct Kind {
        QString type;
        int32_t number = 0;
    };
    // "ITEM", "PKG" or "PRICE" and the item or package number; a row without any repeats the one before.
    static Kind LoadedKind(int32_t itemNo, int32_t packageNo, int32_t priceNo, const Kind& previous);
    static QString GridRow(int32_t seqNo, bool isActive, const Kind& kind, int32_t priceNo, double price,
                           const QString& name);
    // The row of an item saved by the item editor.
    static QString GridRow(const CProductItem& item);
};
