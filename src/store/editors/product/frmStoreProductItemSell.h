#pragma once

#include "store/editors/product/SellFormRules.h"

#include <QDialog>

class CStoreMaint;
class CStoreProductItemSell;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Edits one up-sell or cross-sell link between two product items, with an optional price on each side;
// OK writes it.
class frmStoreProductItemSell : public QDialog {
    Q_OBJECT
public:
    explicit frmStoreProductItemSell(QWidget* parent = nullptr);

    void Setup(CStoreMaint& service, CStoreProductItemSell& link);
    // True unless the dialog was last hidden by a successful OK.
    bool UserCancelled() const { return m_userCancelled; }
    QString SellText() const;

    QLabel* lblFrom;
    QLabel* lblPriceNo;
    QPushButton* cmdSelectPrice;
    QPushButton* cmdClearPrice;
    QRadioButton* optUpSell;
    QRadioButton* optCrossSell;
    QLabel* lblTo;
    QLabel* lblNewPriceNo;
    QPushButton* cmdNewPriceSelect;
    QPushButton* cmdClearNewPrice;
    QLineEdit* txtSellText;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

protected:
    // The close box cancels.
    void reject() override;

private slots:
    void on_cmdOk_clicked();
    void on_cmdCancel_clicked();
    void on_cmdSelectPrice_clicked();
    void on_cmdNewPriceSelect_clicked();
    void on_cmdClearPrice_clicked();
    void on_cmdClearNewPrice_clicked();

private:
    void BuildLayout();
    SellFormRules::Values CurrentValues() const;
    static void ShowLabel(QLabel* label, const SellFormRules::PriceLabel& price);
    void SelectPrice(int32_t productNo, int32_t seqNo, QLabel* label);
    bool SaveSell();

    CStoreMaint* m_oStoreMaint = nullptr;
    CStoreProductItemSell* m_oSell = nullptr;
    int32_t m_lNewProductNo = 0;
    int32_t m_lNewSeqNo = 0;
    bool m_userCancelled = true;
};
