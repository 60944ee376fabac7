#pragma once

#include "store/editors/product/ListItemFormRules.h"

#include <QDialog>

class CListItem;
class CStoreMaint;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits one entry of a store list: its position, the product item it shows and the price it offers.
// A new entry starts with the product item picker; cancelling that cancels the entry.
class frmStoreListItem : public QDialog {
    Q_OBJECT
public:
    explicit frmStoreListItem(QWidget* parent = nullptr);

    void Setup(CStoreMaint& service, CListItem& item);
    // True unless the dialog was last hidden by a successful OK.
    bool UserCancelled() const { return m_userCancelled; }
    // Lets the user choose the product item; true when one was chosen.
    bool PickProductItem();

    QLineEdit* txtSeqNo;
    QLabel* lblProductItem;
    QPushButton* cmdSelect;
    QLabel* lblPriceNo;
    QPushButton* cmdSelectPrice;
    QPushButton* cmdClearPrice;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdHistory;

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private slots:
    void on_cmdOk_clicked();
    void on_cmdCancel_clicked();
    void on_cmdSelect_clicked();
    void on_cmdSelectPrice_clicked();
    void on_cmdClearPrice_clicked();
    void PickFirst();

private:
    void BuildLayout();
    bool SaveListItem();

    CStoreMaint* m_oStoreMaint = nullptr;
    CListItem* m_oItem = nullptr;
    bool m_userCancelled = true;
    bool m_pickOnShow = false;
    ListItemFormRules::Values m_values;
};
