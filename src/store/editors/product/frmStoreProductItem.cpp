#include "store/editors/product/frmStoreProductItem.h"

#include "sdk/RuntimeError.h"
#include "store/data/ColumnLengths.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/ConcurrentSave.h"
#include "store/editors/product/PriceBinding.h"
#include "store/editors/product/SequenceChecks.h"
#include "store/editors/product/ThreeState.h"
#include "store/editors/product/frmStoreProductItemSell.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/records/CProductItem.h"
#include "store/records/CStoreProductItemSell.h"
#include "store/viewers/frmRecordHistory.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridKeys.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"
#include "widgets/NullableDatePicker.h"
#include "widgets/ShowModal.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QDate>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets, bool stretch = true) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets)
        row->addWidget(widget);
    if (stretch)
        row->addStretch();
    return row;
}

} // namespace

frmStoreProductItem::frmStoreProductItem(QWidget* parent)
    : QDialog(parent), txtSeqNo(NamedControl<QLineEdit>("txtSeqNo")),
      lblProductType(NamedControl<QLabel>("lblProductType")), lbIdValue(NamedControl<QLabel>("lbIdValue")),
      cmdSelect(PickerButton<QPushButton>("cmdSelect")),
      txtDescription(NamedControl<QLineEdit>("txtDescription")),
      txtProductItemName(NamedControl<QLineEdit>("txtProductItemName")),
      txtProductURL(NamedControl<QLineEdit>("txtProductURL")), lblPriceNo(NamedControl<QLabel>("lblPriceNo")),
      cmdSelectPrice(PickerButton<QPushButton>("cmdSelectPrice")),
      cmdClearPrice(NamedControl<QPushButton>("cmdClearPrice", QStringLiteral("Clear"))),
      cmdShowPrices(NamedControl<QPushButton>("cmdShowPrices", QStringLiteral("Show Prices"))),
      dtStartDate(NamedControl<NullableDatePicker>("dtStartDate")),
      dtEndDate(NamedControl<NullableDatePicker>("dtEndDate")),
      txtAdvancePurchaseDays(NamedControl<QLineEdit>("txtAdvancePurchaseDays")),
      ckbIsActive(NamedControl<QCheckBox>("ckbIsActive", QStringLiteral("Is Active"))),
      ckbManualInvoice(
          NamedControl<QCheckBox>("ckbManualInvoice", QStringLiteral("Require Manual Invoicing"))),
      ckbPromptAlert(NamedControl<QCheckBox>("ckbPromptAlert", QStringLiteral("Prompt Alert"))),
      ckbPromptCustomer(NamedControl<QCheckBox>("ckbPromptCustomer", QStringLiteral("Prompt Customer"))),
      ckbPromptLesson(NamedControl<QCheckBox>("ckbPromptLesson", QStringLiteral("Prompt Lesson"))),
      ckbPromptPhoto(NamedControl<QCheckBox>("ckbPromptPhoto", QStringLiteral("Prompt Photo"))),
      ckbPromptRental(NamedControl<QCheckBox>("ckbPromptRental", QStringLiteral("Prompt Rental"))),
      txtMinAge(NamedControl<QLineEdit>("txtMinAge")), txtMaxAge(NamedControl<QLineEdit>("txtMaxAge")),
      fraUpCrossSell(NamedControl<QGroupBox>("fraUpCrossSell", QStringLiteral("Up-Sells and Cross-Sells"))),
      gdItemSell(NamedControl<FlexGrid>("gdItemSell")),
      cmdAdd(NamedControl<QPushButton>("cmdAdd", QStringLiteral("Add"))),
      cmdEdit(NamedControl<QPushButton>("cmdEdit", QStringLiteral("Edit"))),
      cmdDelete(NamedControl<QPushButton>("cmdDelete", QStringLiteral("Delete"))),
      lblNote(NamedControl<QLabel>(
          "lblNote", QStringLiteral("Apply Item before editing up-sell or cross-sell information."))),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"))),
      cmdCancel(NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"))),
      cmdApply(NamedControl<QPushButton>("cmdApply", QStringLiteral("Apply"))),
      cmdHistory(NamedControl<QPushButton>("cmdHistory", QStringLiteral("History..."))) {
    setObjectName(QStringLiteral("frmStoreProductItem"));
    setWindowTitle(QStringLiteral("Product Item"));
    cmdSelectPrice->setToolTip(BindPriceToolTip());
    cmdClearPrice->setToolTip(ClearPriceToolTip());
    cmdShowPrices->setToolTip(QStringLiteral("Show Possible Prices"));
    txtProductItemName->setMaxLength(ColumnLength::ProductItemName);
    txtDescription->setMaxLength(ColumnLength::ProductItemDescription);
    txtProductURL->setMaxLength(ColumnLength::Address);
    lblPriceNo->setMinimumWidth(TwipsToPixels(2400, this));
    lblPriceNo->setFrameShape(QFrame::Panel);
    lblPriceNo->setFrameShadow(QFrame::Sunken);
    gdItemSell->setFormatString(ProductItemFormRules::SellGridFormat());
    gdItemSell->setColHidden(3, true);
    gdItemSell->setColHidden(4, true);
    gdItemSell->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdItemSell->setEditable(false);
    cmdOk->setDefault(true);
    BuildLayout();
    resize(TwipsToPixels(8400, this), TwipsToPixels(8200, this));

    connect(cmdOk, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdOk_clicked);
    connect(cmdApply, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdApply_clicked);
    connect(cmdHistory, &QPushButton::clicked, this, [this] {
        frmRecordHistory::ShowFor(
            this, *m_oStoreMaint,
            frmRecordHistory::Of(
                m_oItem->StoreNo(), QStringLiteral("zev_store_product_item"), QStringLiteral("Product Item"),
                QStringLiteral("%1/%2").arg(m_oItem->ProductNo()).arg(m_oItem->OriginalSeqNo())));
    });
    connect(cmdCancel, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdCancel_clicked);
    connect(cmdSelect, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdSelect_clicked);
    connect(cmdSelectPrice, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdSelectPrice_clicked);
    connect(cmdClearPrice, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdClearPrice_clicked);
    connect(cmdShowPrices, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdShowPrices_clicked);
    connect(cmdAdd, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdAdd_clicked);
    connect(cmdEdit, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdEdit_clicked);
    connect(gdItemSell, &FlexGrid::DblClick, this, &frmStoreProductItem::on_cmdEdit_clicked);
    GridKeys::Attach(gdItemSell, cmdEdit, cmdDelete, cmdAdd);
    connect(cmdDelete, &QPushButton::clicked, this, &frmStoreProductItem::on_cmdDelete_clicked);
    connect(txtSeqNo, &QLineEdit::textEdited, this, [this] { m_seqNoChanged = true; });
}

void frmStoreProductItem::BuildLayout() {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Sequence #:"), Row({txtSeqNo, lblProductType}));
    form->addRow(QStringLiteral("Item or Package:"), Row({lbIdValue, cmdSelect}));
    form->addRow(QStringLiteral("Description:"), txtDescription);
    form->addRow(QStringLiteral("Name:"), txtProductItemName);
    form->addRow(QStringLiteral("URL:"), txtProductURL);
    form->addRow(QStringLiteral("Price:"), Row({lblPriceNo, cmdSelectPrice, cmdClearPrice, cmdShowPrices}));
    form->addRow(QStringLiteral("Available Dates Start:"),
                 Row({dtStartDate, new QLabel(QStringLiteral("End:")), dtEndDate}));
    form->addRow(QStringLiteral("Advance Purchase Days:"), Row({txtAdvancePurchaseDays}));
    form->addRow(QStringLiteral("Min Age:"),
                 Row({txtMinAge, new QLabel(QStringLiteral("Max Age:")), txtMaxAge}));
    form->addRow(QString(), Row({ckbIsActive, ckbManualInvoice}));
    form->addRow(QStringLiteral("Prompts:"),
                 Row({ckbPromptAlert, ckbPromptCustomer, ckbPromptLesson, ckbPromptPhoto, ckbPromptRental}));
    for (QLineEdit* narrow : {txtSeqNo, txtAdvancePurchaseDays, txtMinAge, txtMaxAge})
        narrow->setMaximumWidth(TwipsToPixels(1000, this));

    auto* sells = new QVBoxLayout(fraUpCrossSell);
    sells->addWidget(gdItemSell, 1);
    sells->addLayout(Row({cmdAdd, cmdEdit, cmdDelete}));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(fraUpCrossSell, 1);
    layout->addWidget(lblNote);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHistory);
    buttons->addStretch();
    for (QPushButton* button : {cmdOk, cmdCancel, cmdApply})
        buttons->addWidget(button);
    layout->addLayout(buttons);
}

void frmStoreProductItem::Setup(CStoreMaint& service, CProductItem& item, const QString& productName) {
    m_oStoreMaint = &service;
    m_oItem = &item;
    m_productName = productName;
    setWindowTitle(ProductItemFormRules::Caption(productName, item.SeqNo()));
    m_lItemNo = item.ItemNo();
    m_lPackageNo = item.PackageNo();
    const ProductItemFormRules::Values values = ProductItemFormRules::Show(item);
    m_price = values.price;
    ShowValues(values);
    ShowPrice();
    LoadSells();
    m_seqNoChanged = false;
    ShowSellFrame();
}

void frmStoreProductItem::ShowValues(const ProductItemFormRules::Values& values) {
    txtSeqNo->setText(values.seqNo);
    lbIdValue->setText(values.idValue);
    lblProductType->setText(values.productType);
    txtDescription->setText(values.description);
    txtProductItemName->setText(values.productItemName);
    txtProductURL->setText(values.productURL);
    // A date the picker cannot take (a new item has none yet) leaves today's date.
    for (auto [picker, date] : {std::pair{dtStartDate, values.startDate}, {dtEndDate, values.endDate}}) {
        picker->setDate(QDate::currentDate());
        picker->setValue(date);
    }
    txtAdvancePurchaseDays->setText(values.advancePurchaseDays);
    ckbIsActive->setChecked(values.isActive);
    ckbManualInvoice->setTristate(!values.manualInvoiceEnabled);
    ckbManualInvoice->setCheckState(ToCheckState(values.manualInvoice));
    ckbManualInvoice->setEnabled(values.manualInvoiceEnabled);
    ckbPromptAlert->setChecked(values.promptAlert);
    ckbPromptCustomer->setChecked(values.promptCustomer);
    ckbPromptLesson->setChecked(values.promptLesson);
    ckbPromptPhoto->setChecked(values.promptPhoto);
    ckbPromptRental->setChecked(values.promptRental);
    txtMinAge->setText(values.minAge);
    txtMaxAge->setText(values.maxAge);
}

ProductItemFormRules::Values frmStoreProductItem::CurrentValues() const {
    ProductItemFormRules::Values values;
    values.seqNo = txtSeqNo->text();
    values.idValue = lbIdValue->text();
    values.productType = lblProductType->text();
    values.description = txtDescription->text();
    values.productItemName = txtProductItemName->text();
    values.productURL = txtProductURL->text();
    values.price = m_price;
    values.itemNo = m_lItemNo;
    values.packageNo = m_lPackageNo;
    values.startDate = dtStartDate->Value();
    values.endDate = dtEndDate->Value();
    values.advancePurchaseDays = txtAdvancePurchaseDays->text();
    values.isActive = ckbIsActive->isChecked();
    values.manualInvoice = FromCheckState(ckbManualInvoice->checkState());
    values.manualInvoiceEnabled = ckbManualInvoice->isEnabled();
    values.promptAlert = ckbPromptAlert->isChecked();
    values.promptCustomer = ckbPromptCustomer->isChecked();
    values.promptLesson = ckbPromptLesson->isChecked();
    values.promptPhoto = ckbPromptPhoto->isChecked();
    values.promptRental = ckbPromptRental->isChecked();
    values.minAge = txtMinAge->text();
    values.maxAge = txtMaxAge->text();
    return values;
}

void frmStoreProductItem::ShowPrice() {
    lblPriceNo->setText(m_price.Text());
    ShowPriceButtons();
}

void frmStoreProductItem::ShowPriceButtons() {
    const bool bound = m_price.priceNo != 0;
    cmdClearPrice->setEnabled(bound);
    cmdSelectPrice->setEnabled(!bound);
    cmdShowPrices->setEnabled(!bound);
}

void frmStoreProductItem::LoadSells() {
    gdItemSell->setRedraw(false);
    gdItemSell->setRows(1);
    try {
        StoredProcedureCall call(m_oStoreMaint->DBConnection(),
                                 QStringLiteral("ZEV_SP_STORE_GetProductItemSell"));
        call.set(QStringLiteral("@store_no"), m_oItem->StoreNo())
            .set(QStringLiteral("@product_no"), m_oItem->ProductNo())
            .set(QStringLiteral("@seq_no"), m_oItem->SeqNo());
        for (bool ok = call.openRows(); ok && !call.atEnd(); call.next()) {
            const int32_t priceNo = call.readLong(QStringLiteral("price_no"));
            const int32_t newPriceNo = call.readLong(QStringLiteral("new_price_no"));
            const QString from =
                PriceBindingText(call.readInteger(QStringLiteral("unit_qty")), priceNo,
                                 priceNo ? call.readDouble(QStringLiteral("item_price")) : 0);
            const QString to =
                PriceBindingText(call.readInteger(QStringLiteral("new_unit_qty")), newPriceNo,
                                 newPriceNo ? call.readDouble(QStringLiteral("new_item_price")) : 0);
            AddSellRow(
                ProductItemFormRules::SellGridRow(call.readText(QStringLiteral("sell_code")), from, to,
                                                  call.readLong(QStringLiteral("new_product_no")),
                                                  call.readLong(QStringLiteral("new_seq_no")),
                                                  call.readText(QStringLiteral("new_product_item_name"))),
                priceNo, newPriceNo);
        }
    } catch (const RuntimeError&) {
        // the grid keeps the links read so far
    }
    gdItemSell->setRedraw(true);
    gdItemSell->AutoSize();
}

void frmStoreProductItem::AddSellRow(const QString& row, int32_t priceNo, int32_t newPriceNo) {
    gdItemSell->AddItem(row);
    const int32_t added = gdItemSell->Rows() - 1;
    gdItemSell->setCellData(added, 1, priceNo);
    gdItemSell->setCellData(added, 2, newPriceNo);
}

void frmStoreProductItem::ShowSellFrame() {
    const bool usable = m_oItem->SeqNo() == m_oItem->OriginalSeqNo() && !m_seqNoChanged;
    fraUpCrossSell->setEnabled(usable);
    lblNote->setVisible(!usable);
}

bool frmStoreProductItem::SaveItem() {
    const ProductItemFormRules::Values values = CurrentValues();
    if (const CheckResult refusal = ProductItemFormRules::Check(values)) {
        ShowRefusal(this, *refusal);
        return false;
    }
    if (!ProductItemFormRules::Fill(values, *m_oItem))
        return false;
    if (!ConcurrentSave::RunFor(*m_oItem, m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(),
                                [&] { Setup(*m_oStoreMaint, *m_oItem, m_productName); }))
        return false;
    m_seqNoChanged = false;
    return true;
}

void frmStoreProductItem::on_cmdOk_clicked() {
    if (SaveItem()) {
        m_userCancelled = false;
        hide();
    }
}

void frmStoreProductItem::on_cmdApply_clicked() {
    if (SaveItem())
        ShowSellFrame();
}

void frmStoreProductItem::on_cmdCancel_clicked() {
    m_userCancelled = true;
    hide();
}

void frmStoreProductItem::reject() {
    on_cmdCancel_clicked();
}

void frmStoreProductItem::on_cmdSelect_clicked() {
    const auto items = m_oStoreMaint->ItemMaint();
    if (!items)
        return;
    const bool isItem = lblProductType->text() == QLatin1String("ITEM");
    int32_t number = 0;
    QString description;
    const Variant chosen = items->SelectItem(isItem ? ttoAll : ttoPackage, false, number, description, false);
    if (chosen.isNull() || chosen.isEmpty() || !chosen.toBool())
        return;
    ProductItemFormRules::Values values = CurrentValues();
    ProductItemFormRules::ItemPicked(values, number, description);
    m_lItemNo = values.itemNo;
    m_lPackageNo = values.packageNo;
    lbIdValue->setText(values.idValue);
    txtDescription->setText(values.description);
    m_price = values.price;
    ShowPrice();
}

void frmStoreProductItem::on_cmdSelectPrice_clicked() {
    int32_t priceNo = 0;
    QString price;
    int16_t units = 0;
    if (!m_oStoreMaint->SelectPrice(m_lItemNo, m_oItem->StoreNo(), m_oItem->ProductNo(), m_oItem->SeqNo(),
                                    priceNo, price, units, m_lPackageNo))
        return;
    double amount = 0;
    try {
        amount = Variant(price).toDouble();
    } catch (const RuntimeError&) {
    }
    m_price = {priceNo, amount, units};
    ShowPrice();
}

void frmStoreProductItem::on_cmdClearPrice_clicked() {
    m_price = {};
    ShowPrice();
}

void frmStoreProductItem::on_cmdShowPrices_clicked() {
    m_oStoreMaint->ShowPrices(m_lItemNo, m_oItem->StoreNo(), m_lPackageNo, 0);
}

bool frmStoreProductItem::CheckSeqForSells() {
    if (const CheckResult refusal = CheckSequenceForSells(txtSeqNo->text(), m_oItem->SeqNo())) {
        ShowRefusal(this, *refusal);
        return false;
    }
    return true;
}

void frmStoreProductItem::on_cmdAdd_clicked() {
    if (!CheckSeqForSells())
        return;
    CStoreProductItemSell link;
    link.setStoreNo(m_oItem->StoreNo());
    link.setProductNo(m_oItem->ProductNo());
    link.setSeqNo(m_oItem->SeqNo());
    link.setProductItemName(m_oItem->ProductItemName());
    if (!AddSells(link))
        return;
    AddSellRow(ProductItemFormRules::SellGridRow(link), link.PriceNo(), link.NewPriceNo());
    gdItemSell->AutoSize();
}

bool frmStoreProductItem::AddSells(CStoreProductItemSell& link) {
    frmSelectStoreProductItem picker(this);
    picker.Setup(m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(), m_oItem->StoreNo(), true);
    picker.LeaveOut(m_oItem->ProductNo(), m_oItem->SeqNo());
    ShowModal(&picker, this);
    if (picker.UserCancelled)
        return false;
    bool added = false;
    for (int32_t index = 0; index < picker.CountSelected(); ++index) {
        int32_t productNo = 0, seqNo = 0;
        QString itemName, productName;
        picker.getSelectedProductSeqNo(index, productNo, seqNo, itemName, productName);
        link.setNewProductNo(productNo);
        link.setNewSeqNo(seqNo);
        link.setNewProductItemName(itemName);
        added = EditSell(link) || added;
    }
    return added;
}

bool frmStoreProductItem::EditSell(CStoreProductItemSell& link) {
    frmStoreProductItemSell editor(this);
    editor.Setup(*m_oStoreMaint, link);
    ShowModal(&editor, this);
    return !editor.UserCancelled();
}

bool frmStoreProductItem::OpenRowSell(int32_t row, CStoreProductItemSell& link) {
    try {
        return link.OpenStoreProductItemSell(
            m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(), m_oItem->StoreNo(),
            m_oItem->ProductNo(), m_oItem->SeqNo(), gdItemSell->CellData(row, 1).toInt32(),
            Variant(gdItemSell->TextMatrix(row, 3)).toInt32(),
            Variant(gdItemSell->TextMatrix(row, 4)).toInt32(), gdItemSell->CellData(row, 2).toInt32());
    } catch (const RuntimeError&) {
        return false;
    }
}

// The selected link, opened; 0 when there is none or the sequence number must be applied first.
int32_t frmStoreProductItem::OpenSelectedSell(CStoreProductItemSell& link) {
    if (!CheckSeqForSells())
        return 0;
    const int32_t row = gdItemSell->DataRow();
    return row != 0 && OpenRowSell(row, link) ? row : 0;
}

void frmStoreProductItem::on_cmdEdit_clicked() {
    CStoreProductItemSell link;
    const int32_t row = OpenSelectedSell(link);
    if (row == 0 || !EditSell(link))
        return;
    gdItemSell->setTextMatrix(row, 0, link.SellCode());
    gdItemSell->setCellData(row, 1, link.PriceNo());
    gdItemSell->setTextMatrix(row, 1,
                              PriceBindingText(link.UnitQty().toInt16(), link.PriceNo(), link.Price()));
    gdItemSell->setCellData(row, 2, link.NewPriceNo());
    gdItemSell->setTextMatrix(
        row, 2, PriceBindingText(link.NewUnitQty().toInt16(), link.NewPriceNo(), link.NewPrice()));
}

void frmStoreProductItem::on_cmdDelete_clicked() {
    CStoreProductItemSell link;
    const int32_t row = OpenSelectedSell(link);
    if (row == 0)
        return;
    const int32_t answer =
        MsgBox(QStringLiteral("Are you sure you want to delete this ") + gdItemSell->TextMatrix(row, 0) +
                   QStringLiteral("?"),
               MsgBoxStyle::YesNo | MsgBoxStyle::Question, QStringLiteral("Confirm Delete"));
    if (answer == MsgBoxResult::Yes &&
        link.Delete(m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject()))
        gdItemSell->RemoveItem(row);
}
