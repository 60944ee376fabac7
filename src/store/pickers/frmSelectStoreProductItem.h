#pragma once

#include "store/pickers/GridPicker.h"

class ErrorObject;

// Lets the user choose product items of a store.
class frmSelectStoreProductItem : public GridPicker {
    Q_OBJECT
public:
    explicit frmSelectStoreProductItem(QWidget* parent = nullptr);

    // Lists every product item of the store. bMultiSelect has no effect: several rows can always be selected.
    void Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
               int32_t lStoreNo, bool bMultiSelect);

    // Takes one product item off the list (an item is never linked to itself).
    void LeaveOut(int32_t lProductNo, int32_t lSeqNo);

    // The index-th selected row (from 0).
    void getSelectedProductSeqNo(int32_t lIndex, int32_t& lProductNo, int32_t& lSeqNo, QString& sItemName,
                                 QString& sProductName) const;

private:
    // "Item" for a catalogue item, "Pkg" for a package, else empty.
    static QString TypeText(const StoredProcedureCall& row);
    static QStringList Cells(const StoredProcedureCall& row);
};
