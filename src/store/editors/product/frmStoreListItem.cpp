#include "store/editors/product/frmStoreListItem.h"

#include "sdk/RuntimeError.h"
#include "store/editors/ConcurrentSave.h"
#include "store/editors/product/PriceBinding.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/records/CListItem.h"
#include "store/viewers/frmRecordHistory.h"
#include "widgets/NamedControl.h"
#include "widgets/ShowModal.h"
#include "widgets/Twips.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmStoreListItem::frmStoreListItem(QWidget* parent)
    : QDialog(parent), txtSeqNo(NamedControl<QLineEdit>("txtSeqNo")),
      lblProductItem(NamedControl<QLabel>("lblProductItem")),
      cmdSelect(PickerButton<QPushButton>("cmdSelect")), lblPriceNo(NamedControl<QLabel>("lblPriceNo")),
      cmdSelectPrice(PickerButton<QPushButton>("cmdSelectPrice")),
      cmdClearPrice(NamedControl<QPushButton>("cmdClearPrice", QStringLiteral("Clear"))),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"))),
      cmdCancel(NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"))),
      cmdHistory(NamedControl<QPushButton>("cmdHistory", QStringLiteral("History..."))) {
    setObjectName(QStringLiteral("frmStoreListItem"));
    setWindowTitle(QStringLiteral("List Item"));
    cmdSelectPrice->setToolTip(BindPriceToolTip());
    cmdClearPrice->setToolTip(ClearPriceToolTip());
    for (QLabel* label : {lblProductItem, lblPriceNo}) {
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(TwipsToPixels(3600, this));
    }
    txtSeqNo->setMaximumWidth(TwipsToPixels(1000, this));
    cmdOk->setDefault(true);
    BuildLayout();
    resize(TwipsToPixels(6600, this), sizeHint().height());

    connect(cmdOk, &QPushButton::clicked, this, &frmStoreListItem::on_cmdOk_clicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmStoreListItem::on_cmdCancel_clicked);
    connect(cmdHistory, &QPushButton::clicked, this, [this] {
        frmRecordHistory::ShowFor(
            this, *m_oStoreMaint,
            frmRecordHistory::Of(
                m_oItem->StoreNo(), QStringLiteral("zev_store_list_item"), QStringLiteral("List Item"),
                QStringLiteral("%1/%2").arg(m_oItem->ListId()).arg(m_oItem->OriginalSeqNo())));
    });
    connect(cmdSelect, &QPushButton::clicked, this, &frmStoreListItem::on_cmdSelect_clicked);
    connect(cmdSelectPrice, &QPushButton::clicked, this, &frmStoreListItem::on_cmdSelectPrice_clicked);
    connect(cmdClearPrice, &QPushButton::clicked, this, &frmStoreListItem::on_cmdClearPrice_clicked);
}

void frmStoreListItem::BuildLayout() {
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Sequence #:"), txtSeqNo);
    auto* item = new QHBoxLayout;
    item->addWidget(lblProductItem, 1);
    item->addWidget(cmdSelect);
    form->addRow(QStringLiteral("Product/Product Item:"), item);
    auto* price = new QHBoxLayout;
    price->addWidget(lblPriceNo, 1);
    price->addWidget(cmdSelectPrice);
    price->addWidget(cmdClearPrice);
    form->addRow(QStringLiteral("Price:"), price);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdHistory);
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

void frmStoreListItem::Setup(CStoreMaint& service, CListItem& item) {
    m_oStoreMaint = &service;
    m_oItem = &item;
    m_values = ListItemFormRules::Show(item);
    txtSeqNo->setText(m_values.seqNo);
    m_pickOnShow = item.OriginalSeqNo() == 0;
    lblProductItem->setText(ListItemFormRules::ProductItemText(m_values));
    lblPriceNo->setText(m_values.price.Text());
}

void frmStoreListItem::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_pickOnShow)
        QMetaObject::invokeMethod(this, &frmStoreListItem::PickFirst, Qt::QueuedConnection);
}

void frmStoreListItem::PickFirst() {
    if (!m_pickOnShow)
        return;
    m_pickOnShow = false;
    if (!PickProductItem())
        hide();
}

bool frmStoreListItem::PickProductItem() {
    frmSelectStoreProductItem picker(this);
    picker.Setup(m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(), m_oItem->StoreNo(), false);
    ShowModal(&picker, this);
    if (picker.UserCancelled)
        return false;
    QString productName;
    picker.getSelectedProductSeqNo(0, m_values.productNo, m_values.productItemSeqNo, m_values.productItemName,
                                   productName);
    lblProductItem->setText(ListItemFormRules::ProductItemText(m_values));
    return true;
}

void frmStoreListItem::on_cmdSelect_clicked() {
    PickProductItem();
}

void frmStoreListItem::on_cmdSelectPrice_clicked() {
    int32_t priceNo = 0;
    QString price;
    int16_t units = 0;
    if (!m_oStoreMaint->SelectPrice(0, m_oItem->StoreNo(), m_values.productNo, m_values.productItemSeqNo,
                                    priceNo, price, units, 0))
        return;
    double amount = 0;
    try {
        amount = Variant(price).toDouble();
    } catch (const RuntimeError&) {
    }
    m_values.price = {priceNo, amount, units};
    // A price number of 0 leaves the text as it was.
    if (priceNo != 0)
        lblPriceNo->setText(m_values.price.Text());
    // The price was the last thing to choose: Enter now confirms rather than opening the prices again.
    cmdOk->setFocus();
}

void frmStoreListItem::on_cmdClearPrice_clicked() {
    lblPriceNo->clear();
    m_values.price = {};
}

bool frmStoreListItem::SaveListItem() {
    m_values.seqNo = txtSeqNo->text();
    if (const CheckResult refusal = ListItemFormRules::Check(m_values)) {
        ShowRefusal(this, *refusal);
        return false;
    }
    if (!ListItemFormRules::Fill(m_values, *m_oItem))
        return false;
    return ConcurrentSave::RunFor(*m_oItem, m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(),
                                  [&] { Setup(*m_oStoreMaint, *m_oItem); });
}

void frmStoreListItem::on_cmdOk_clicked() {
    if (SaveListItem()) {
        m_userCancelled = false;
        hide();
    }
}

void frmStoreListItem::on_cmdCancel_clicked() {
    m_userCancelled = true;
    hide();
}

void frmStoreListItem::reject() {
    on_cmdCancel_clicked();
}
