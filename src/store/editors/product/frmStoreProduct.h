#pragma once

#include "sdk/ItemTypes.h"
#include "store/editors/product/ProductFormRules.h"

#include <QDialog>
#include <array>
#include <optional>

class CProduct;
class CProductItem;
class CStoreMaint;
class FlexGrid;
class KeyedCombo;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TabStrip;

// Creates or changes one product of a store (General page) and manages its items and packages (Items page).
// The product is written by OK and Apply; items are written or deleted at once, whatever happens later.
class frmStoreProduct : public QDialog {
    Q_OBJECT
public:
    explicit frmStoreProduct(QWidget* parent = nullptr);

    // The caller keeps the service and the record; the dialog fills the record and saves it.
    void Setup(CStoreMaint& service, CProduct& product);
    // True unless the dialog was last hidden by a successful OK.
    bool UserCanceled() const { return m_userCanceled; }
    // The highest sequence number seen in the items grid.
    int32_t HighestSeqNo() const { return m_highestSeqNo; }

    TabStrip* tabProperties;
    std::array<QWidget*, 2> picTab;
    QLineEdit* txtProductNo;
    QLineEdit* txtProductName;
    QLineEdit* txtShortDescription;
    QPlainTextEdit* txtLongDescription;
    QLineEdit* txtProductURL;
    KeyedCombo* cmbProductType;
    KeyedCombo* cmbProductGroup;
    KeyedCombo* cmbPhotoFamily;
    KeyedCombo* cmbItemDisplayType;
    QLineEdit* txtImageWidth;
    QLineEdit* txtImageHeight;
    QLineEdit* txtNumCols;
    QCheckBox* ckbIsActive;
    QCheckBox* ckbManualInvoice;
    QLabel* lblNotes;
    FlexGrid* gdItems;
    QPushButton* cmdAddItem;
    QPushButton* cmdAddPackage;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
    QPushButton* cmdHistory;

    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The close box and Escape cancel.
    void reject() override;

private slots:
    void on_cmdOk_clicked();
    void on_cmdApply_clicked();
    void on_cmdCancel_clicked();
    void on_cmdAddItem_clicked();
    void on_cmdAddPackage_clicked();
    void on_cmdEdit_clicked();
    void on_cmdDelete_clicked();
    void ShowPropertiesPage();

private:
    QWidget* BuildGeneralPage();
    void LayOut();
    QWidget* BuildItemsPage();
    ProductFormRules::Values CurrentValues() const;
    void ShowValues(const ProductFormRules::Values& values);

    void LoadProductLists();
    void ShowProduct();
    void LoadProductItems();
    bool SaveProduct();
    void AddFromPicker(ItemTypes type);
    std::optional<int32_t> RowSeqNo(int32_t row) const;
    void EditProductItem(CProductItem& item, int32_t row);
    bool DeleteProductItem(int32_t seqNo);
    void SelectTab(const QString& key);

    CStoreMaint* m_oStoreMaint = nullptr;
    CProduct* m_oProduct = nullptr;
    bool m_userCanceled = true;
    int32_t m_highestSeqNo = 0;
};
