#pragma once

#include "store/editors/product/ProductItemFormRules.h"

#include <QDialog>

class CProductItem;
class CStoreMaint;
class CStoreProductItemSell;
class FlexGrid;
class NullableDatePicker;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Edits one product item: its sequence number, item or package, bound price, names, availability, ages,
// prompts and invoicing; OK and Apply write it. Its up-sell and cross-sell links are written or deleted at
// once, whatever happens to the item afterwards.
class frmStoreProductItem : public QDialog {
    Q_OBJECT
public:
    explicit frmStoreProductItem(QWidget* parent = nullptr);

    void Setup(CStoreMaint& service, CProductItem& item, const QString& productName);
    // True unless the dialog was last hidden by a successful OK.
    bool UserCancelled() const { return m_userCancelled; }

    QLineEdit* txtSeqNo;
    QLabel* lblProductType;
    QLabel* lbIdValue;
    QPushButton* cmdSelect;
    QLineEdit* txtDescription;
    QLineEdit* txtProductItemName;
    QLineEdit* txtProductURL;
    QLabel* lblPriceNo;
    QPushButton* cmdSelectPrice;
    QPushButton* cmdClearPrice;
    QPushButton* cmdShowPrices;
    NullableDatePicker* dtStartDate;
    NullableDatePicker* dtEndDate;
    QLineEdit* txtAdvancePurchaseDays;
    QCheckBox* ckbIsActive;
    QCheckBox* ckbManualInvoice;
    QCheckBox* ckbPromptAlert;
    QCheckBox* ckbPromptCustomer;
    QCheckBox* ckbPromptLesson;
    QCheckBox* ckbPromptPhoto;
    QCheckBox* ckbPromptRental;
    QLineEdit* txtMinAge;
    QLineEdit* txtMaxAge;
    QGroupBox* fraUpCrossSell;
    FlexGrid* gdItemSell;
    QPushButton* cmdAdd;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QLabel* lblNote;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
    QPushButton* cmdHistory;

protected:
    void reject() override;

private slots:
    void on_cmdOk_clicked();
    void on_cmdApply_clicked();
    void on_cmdCancel_clicked();
    void on_cmdSelect_clicked();
    void on_cmdSelectPrice_clicked();
    void on_cmdClearPrice_clicked();
    void on_cmdShowPrices_clicked();
    void on_cmdAdd_clicked();
    void on_cmdEdit_clicked();
    void on_cmdDelete_clicked();

private:
    QString m_productName;
    void BuildLayout();
    ProductItemFormRules::Values CurrentValues() const;
    void ShowValues(const ProductItemFormRules::Values& values);
    void ShowPrice();
    void ShowPriceButtons();
    void LoadSells();
    void AddSellRow(const QString& row, int32_t priceNo, int32_t newPriceNo);
    void ShowSellFrame();
    bool SaveItem();
    bool CheckSeqForSells();
    bool AddSells(CStoreProductItemSell& link);
    bool EditSell(CStoreProductItemSell& link);
    // Opens the link of a grid row; false when it is not found.
    bool OpenRowSell(int32_t row, CStoreProductItemSell& link);
    int32_t OpenSelectedSell(CStoreProductItemSell& link);

    CStoreMaint* m_oStoreMaint = nullptr;
    CProductItem* m_oItem = nullptr;
    bool m_userCancelled = true;
    // The item and package the price pickers ask about, and the bound price.
    int32_t m_lItemNo = 0;
    int32_t m_lPackageNo = 0;
    ProductItemFormRules::Price m_price;
    // The sequence box holds a number not yet applied.
    bool m_seqNoChanged = false;
};
