#pragma once

#include "store/pickers/GridPicker.h"

class CStoreMaint;
class ErrorObject;

// Two pickers in one: without an item it lists the extendable items to choose from; for an item it lists the
// candidate extension items with a tick each and a button that shows an extension item's store prices.
class frmSelectItem : public GridPicker {
    Q_OBJECT
public:
    explicit frmSelectItem(QWidget* parent = nullptr);

    // lItemNo 0 lists the extendable items; any other item lists that item's extension items.
    // bMultiSelect has no effect: several rows can always be selected.
    void Setup(CStoreMaint& oStoreMaint, const std::shared_ptr<DBConnection>& oDB,
               const std::shared_ptr<ErrorObject>& oError, bool bMultiSelect, int32_t lStoreNo,
               int32_t lItemNo);

    // The index-th selected row (from 0): item number and description.
    void getSelectedItemNo(int32_t lIndex, int32_t& lItemNo, QString& sDescription) const;
    // Data rows, without the header.
    int32_t Rows() const;
    // Data row lRow (from 1) of the extension list: the extension item number and its tick.
    void getItemNoSelected(int32_t lRow, int32_t& lItemNo, bool& bSelected) const;

private slots:
    void on_gdItems_BeforeEdit(int32_t row, int32_t col, bool& cancel);
    void on_gdItems_CellButtonClick(int32_t row, int32_t col);

private:
    void ShowExtendable(const std::shared_ptr<DBConnection>& oDB);
    void ShowExtensions(const std::shared_ptr<DBConnection>& oDB);

    CStoreMaint* m_storeMaint = nullptr;
    int32_t m_storeNo = 0;
    int32_t m_itemNo = 0;
};
