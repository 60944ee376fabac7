#include "store/editors/product/frmStoreProductItemSell.h"

#include "sdk/RuntimeError.h"
#include "store/data/ColumnLengths.h"
#include "store/editors/ConcurrentSave.h"
#include "store/editors/product/PriceBinding.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStoreProductItemSell.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"
#include "widgets/Twips.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Price labels carry their price number as a hidden tag.
const char* const Tag = "tag";

QLabel* PriceLabel(const char* name) {
    auto* label = NamedControl<QLabel>(name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    return label;
}

} // namespace

frmStoreProductItemSell::frmStoreProductItemSell(QWidget* parent)
    : QDialog(parent), lblFrom(NamedControl<QLabel>("lblFrom")), lblPriceNo(PriceLabel("lblPriceNo")),
      cmdSelectPrice(PickerButton<QPushButton>("cmdSelectPrice")),
      cmdClearPrice(NamedControl<QPushButton>("cmdClearPrice", QStringLiteral("Clear"))),
      optUpSell(NamedControl<QRadioButton>("optUpSell", QStringLiteral("Up Sell to:"))),
      optCrossSell(NamedControl<QRadioButton>("optCrossSell", QStringLiteral("Cross Sell to:"))),
      lblTo(NamedControl<QLabel>("lblTo")), lblNewPriceNo(PriceLabel("lblNewPriceNo")),
      cmdNewPriceSelect(PickerButton<QPushButton>("cmdNewPriceSelect")),
      cmdClearNewPrice(NamedControl<QPushButton>("cmdClearNewPrice", QStringLiteral("Clear"))),
      txtSellText(NamedControl<QLineEdit>("txtSellText")),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"))),
      cmdCancel(NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"))) {
    setObjectName(QStringLiteral("frmStoreProductItemSell"));
    setWindowTitle(QStringLiteral("Product Sell"));
    cmdSelectPrice->setToolTip(BindPriceToolTip());
    cmdNewPriceSelect->setToolTip(cmdSelectPrice->toolTip());
    txtSellText->setMaxLength(ColumnLength::SellText);
    for (QLabel* label : {lblPriceNo, lblNewPriceNo}) {
        label->setProperty(Tag, QStringLiteral("0"));
        label->setMinimumWidth(TwipsToPixels(2400, this));
    }
    optCrossSell->setChecked(true);
    cmdOk->setDefault(true);
    BuildLayout();
    resize(TwipsToPixels(6600, this), sizeHint().height());

    connect(cmdOk, &QPushButton::clicked, this, &frmStoreProductItemSell::on_cmdOk_clicked);
    connect(cmdCancel, &QPushButton::clicked, this, &frmStoreProductItemSell::on_cmdCancel_clicked);
    connect(cmdSelectPrice, &QPushButton::clicked, this, &frmStoreProductItemSell::on_cmdSelectPrice_clicked);
    connect(cmdNewPriceSelect, &QPushButton::clicked, this,
            &frmStoreProductItemSell::on_cmdNewPriceSelect_clicked);
    connect(cmdClearPrice, &QPushButton::clicked, this, &frmStoreProductItemSell::on_cmdClearPrice_clicked);
    connect(cmdClearNewPrice, &QPushButton::clicked, this,
            &frmStoreProductItemSell::on_cmdClearNewPrice_clicked);
}

void frmStoreProductItemSell::BuildLayout() {
    auto* from = new QGroupBox(QStringLiteral("From Product Item"));
    auto* fromGrid = new QGridLayout(from);
    fromGrid->addWidget(lblFrom, 0, 0, 1, 4);
    fromGrid->addWidget(new QLabel(QStringLiteral("From Price:")), 1, 0);
    fromGrid->addWidget(lblPriceNo, 1, 1);
    fromGrid->addWidget(cmdSelectPrice, 1, 2);
    fromGrid->addWidget(cmdClearPrice, 1, 3);

    auto* to = new QGridLayout;
    to->addWidget(optUpSell, 0, 0);
    to->addWidget(optCrossSell, 1, 0);
    to->addWidget(lblTo, 0, 1, 2, 3);
    to->addWidget(new QLabel(QStringLiteral("To Price:")), 2, 0);
    to->addWidget(lblNewPriceNo, 2, 1);
    to->addWidget(cmdNewPriceSelect, 2, 2);
    to->addWidget(cmdClearNewPrice, 2, 3);
    to->setColumnStretch(1, 1);

    auto* text = new QGroupBox(QStringLiteral("Sell Text"));
    auto* textLayout = new QVBoxLayout(text);
    textLayout->addWidget(txtSellText);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(from);
    layout->addLayout(to);
    layout->addWidget(text);
    layout->addLayout(buttons);
}

void frmStoreProductItemSell::Setup(CStoreMaint& service, CStoreProductItemSell& link) {
    m_oStoreMaint = &service;
    m_oSell = &link;
    m_lNewProductNo = link.NewProductNo();
    m_lNewSeqNo = link.NewSeqNo();
    const SellFormRules::Values values = SellFormRules::Show(link);
    lblFrom->setText(values.fromName);
    lblTo->setText(values.toName);
    (values.upSell ? optUpSell : optCrossSell)->setChecked(true);
    ShowLabel(lblPriceNo, values.from);
    ShowLabel(lblNewPriceNo, values.to);
    txtSellText->setText(values.sellText);
}

QString frmStoreProductItemSell::SellText() const {
    return txtSellText->text();
}

void frmStoreProductItemSell::ShowLabel(QLabel* label, const SellFormRules::PriceLabel& price) {
    label->setText(price.text);
    label->setProperty(Tag, price.tag);
}

SellFormRules::Values frmStoreProductItemSell::CurrentValues() const {
    SellFormRules::Values values;
    values.fromName = lblFrom->text();
    values.toName = lblTo->text();
    values.from = {lblPriceNo->text(), lblPriceNo->property(Tag).toString()};
    values.to = {lblNewPriceNo->text(), lblNewPriceNo->property(Tag).toString()};
    values.upSell = optUpSell->isChecked();
    values.sellText = txtSellText->text();
    return values;
}

void frmStoreProductItemSell::SelectPrice(int32_t productNo, int32_t seqNo, QLabel* label) {
    int32_t priceNo = 0;
    QString price;
    int16_t units = 0;
    if (!m_oStoreMaint->SelectPrice(0, m_oSell->StoreNo(), productNo, seqNo, priceNo, price, units, 0))
        return;
    double amount = 0;
    try {
        amount = Variant(price).toDouble();
    } catch (const RuntimeError&) {
    }
    ShowLabel(label, SellFormRules::Label(units, priceNo, amount));
}

void frmStoreProductItemSell::on_cmdSelectPrice_clicked() {
    SelectPrice(m_oSell->ProductNo(), m_oSell->SeqNo(), lblPriceNo);
}

void frmStoreProductItemSell::on_cmdNewPriceSelect_clicked() {
    SelectPrice(m_lNewProductNo, m_lNewSeqNo, lblNewPriceNo);
}

void frmStoreProductItemSell::on_cmdClearPrice_clicked() {
    ShowLabel(lblPriceNo, SellFormRules::Label(0, 0, 0));
}

void frmStoreProductItemSell::on_cmdClearNewPrice_clicked() {
    ShowLabel(lblNewPriceNo, SellFormRules::Label(0, 0, 0));
}

bool frmStoreProductItemSell::SaveSell() {
    const SellFormRules::Values values = CurrentValues();
    if (const CheckResult refusal = SellFormRules::Check(values)) {
        ShowRefusal(this, *refusal);
        return false;
    }
    if (SellFormRules::NeedsConfirmation(values) &&
        MsgBox(SellFormRules::ConfirmText, SellFormRules::ConfirmButtons, SellFormRules::ConfirmCaption) ==
            MsgBoxResult::No)
        return false;
    try {
        SellFormRules::Fill(values, *m_oSell);
    } catch (const RuntimeError&) {
        return false;
    }
    return ConcurrentSave::RunFor(*m_oSell, m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(),
                                  [&] { Setup(*m_oStoreMaint, *m_oSell); });
}

void frmStoreProductItemSell::on_cmdOk_clicked() {
    if (SaveSell()) {
        m_userCancelled = false;
        hide();
    }
}

void frmStoreProductItemSell::on_cmdCancel_clicked() {
    m_userCancelled = true;
    hide();
}

void frmStoreProductItemSell::reject() {
    on_cmdCancel_clicked();
}
