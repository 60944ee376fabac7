#include "store/editors/product/frmStoreProduct.h"

#include "sdk/DBConnection.h"
#include "store/data/ColumnLengths.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/ConcurrentSave.h"
#include "store/editors/product/ThreeState.h"
#include "store/editors/product/frmStoreProductItem.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/viewers/frmRecordHistory.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridKeys.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int FormWidth = 8400;
constexpr int FormHeight = 7200;
constexpr int PageLeft = 120;
constexpr int PageTop = 420;
constexpr int ParkedLeft = -20000;
constexpr int ButtonWidth = 1095;
constexpr int ButtonHeight = 375;
constexpr int Margin = 120;

// The rows of a plain query, read one column at a time; the record set is closed on every path.
void ReadQuery(const std::shared_ptr<DBConnection>& db, const QString& sql,
               const std::function<void(const std::shared_ptr<Recordset>&)>& eachRow) {
    std::shared_ptr<Recordset> rows;
    try {
        rows = db ? db->OpenRecordset(sql, 0) : nullptr;
        for (; rows && !rows->Eof(); rows->MoveNext())
            eachRow(rows);
    } catch (const RuntimeError&) {
        // the list keeps what was read so far
    }
    try {
        if (rows && rows->State() != Recordset::StateClosed)
            rows->Close();
    } catch (const RuntimeError&) {
    }
}

QString FieldText(const std::shared_ptr<Recordset>& rows, const QString& name) {
    return rows->Fields(name)->Value().toText();
}

} // namespace

frmStoreProduct::frmStoreProduct(QWidget* parent)
    : QDialog(parent), tabProperties(NamedControl<TabStrip>("tabProperties", this)),
      txtProductNo(NamedControl<QLineEdit>("txtProductNo")),
      txtProductName(NamedControl<QLineEdit>("txtProductName")),
      txtShortDescription(NamedControl<QLineEdit>("txtShortDescription")),
      txtLongDescription(NamedControl<QPlainTextEdit>("txtLongDescription")),
      txtProductURL(NamedControl<QLineEdit>("txtProductURL")),
      cmbProductType(NamedControl<KeyedCombo>("cmbProductType")),
      cmbProductGroup(NamedControl<KeyedCombo>("cmbProductGroup")),
      cmbPhotoFamily(NamedControl<KeyedCombo>("cmbPhotoFamily")),
      cmbItemDisplayType(NamedControl<KeyedCombo>("cmbItemDisplayType")),
      txtImageWidth(NamedControl<QLineEdit>("txtImageWidth")),
      txtImageHeight(NamedControl<QLineEdit>("txtImageHeight")),
      txtNumCols(NamedControl<QLineEdit>("txtNumCols")),
      ckbIsActive(NamedControl<QCheckBox>("ckbIsActive", QStringLiteral("Is Active"))),
      ckbManualInvoice(
          NamedControl<QCheckBox>("ckbManualInvoice", QStringLiteral("Requires Manual Invoicing"))),
      lblNotes(NamedControl<QLabel>(
          "lblNotes",
          QStringLiteral("Enter a product # and description then apply the product to add items."))),
      gdItems(NamedControl<FlexGrid>("gdItems")),
      cmdAddItem(NamedControl<QPushButton>("cmdAddItem", QStringLiteral("Add Item"))),
      cmdAddPackage(NamedControl<QPushButton>("cmdAddPackage", QStringLiteral("Add Package"))),
      cmdEdit(NamedControl<QPushButton>("cmdEdit", QStringLiteral("Edit"))),
      cmdDelete(NamedControl<QPushButton>("cmdDelete", QStringLiteral("Delete"))),
      cmdOk(NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"), this)),
      cmdCancel(NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"), this)),
      cmdApply(NamedControl<QPushButton>("cmdApply", QStringLiteral("Apply"), this)),
      cmdHistory(NamedControl<QPushButton>("cmdHistory", QStringLiteral("History..."), this)) {
    setObjectName(QStringLiteral("frmStoreProduct"));
    tabProperties->AddTab(QStringLiteral("GENERAL"), QStringLiteral("General"));
    tabProperties->AddTab(QStringLiteral("ITEMS"), QStringLiteral("Items"),
                          QStringLiteral("Items or Packages"));
    picTab = {BuildGeneralPage(), BuildItemsPage()};
    for (size_t i = 0; i < picTab.size(); ++i) {
        picTab[i]->setParent(this);
        picTab[i]->setObjectName(QStringLiteral("picTab%1").arg(i));
    }
    cmdOk->setDefault(true);
    setMinimumSize(minimumSizeHint());
    resize(QSize(TwipsToPixels(FormWidth, this), TwipsToPixels(FormHeight, this)).expandedTo(minimumSize()));
    setWindowTitle(QStringLiteral("Store Product"));

    connect(cmdOk, &QPushButton::clicked, this, &frmStoreProduct::on_cmdOk_clicked);
    connect(cmdApply, &QPushButton::clicked, this, &frmStoreProduct::on_cmdApply_clicked);
    connect(cmdHistory, &QPushButton::clicked, this, [this] {
        frmRecordHistory::ShowFor(this, *m_oStoreMaint,
                                  frmRecordHistory::Of(m_oProduct->StoreNo(),
                                                       QStringLiteral("zev_store_product"),
                                                       QStringLiteral("Product"),
                                                       QString::number(m_oProduct->OriginalProductNo())));
    });
    connect(cmdCancel, &QPushButton::clicked, this, &frmStoreProduct::on_cmdCancel_clicked);
    connect(cmdAddItem, &QPushButton::clicked, this, &frmStoreProduct::on_cmdAddItem_clicked);
    connect(cmdAddPackage, &QPushButton::clicked, this, &frmStoreProduct::on_cmdAddPackage_clicked);
    connect(cmdEdit, &QPushButton::clicked, this, &frmStoreProduct::on_cmdEdit_clicked);
    connect(cmdDelete, &QPushButton::clicked, this, &frmStoreProduct::on_cmdDelete_clicked);
    connect(gdItems, &FlexGrid::DblClick, this, &frmStoreProduct::on_cmdEdit_clicked);
    GridKeys::Attach(gdItems, cmdEdit, cmdDelete, cmdAddItem);
    connect(tabProperties, &TabStrip::Click, this, &frmStoreProduct::ShowPropertiesPage);
}

QWidget* frmStoreProduct::BuildGeneralPage() {
    auto* page = new QWidget;
    txtProductNo->setToolTip(
        QStringLiteral("Product Number can be numeric only and  must be unique for a store"));
    cmbProductType->setEditable(true);
    cmbProductType->lineEdit()->setMaxLength(ColumnLength::ProductType);
    txtProductName->setMaxLength(ColumnLength::ProductName);
    txtShortDescription->setMaxLength(ColumnLength::ProductDescription);
    txtProductURL->setMaxLength(ColumnLength::Address);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Product #:"), txtProductNo);
    form->addRow(QStringLiteral("Name:"), txtProductName);
    form->addRow(QStringLiteral("Description:"), txtShortDescription);
    form->addRow(QStringLiteral("URL:"), txtProductURL);
    form->addRow(QStringLiteral("Type:"), cmbProductType);
    form->addRow(QStringLiteral("Group:"), cmbProductGroup);
    form->addRow(QStringLiteral("Photo Family:"), cmbPhotoFamily);
    form->addRow(QStringLiteral("Item Display:"), cmbItemDisplayType);

    auto* sizes = new QHBoxLayout;
    for (const auto& [caption, box] : {std::pair{QStringLiteral("Display Width:"), txtImageWidth},
                                       {QStringLiteral("Display Height:"), txtImageHeight},
                                       {QStringLiteral("Columns:"), txtNumCols}}) {
        sizes->addWidget(new QLabel(caption));
        box->setMaximumWidth(TwipsToPixels(900, this));
        sizes->addWidget(box);
    }
    sizes->addStretch();
    form->addRow(sizes);

    auto* flags = new QHBoxLayout;
    flags->addWidget(ckbIsActive);
    flags->addWidget(ckbManualInvoice);
    flags->addStretch();
    form->addRow(flags);

    auto* detailed = new QGroupBox(QStringLiteral("Detailed Description"));
    auto* detailedLayout = new QVBoxLayout(detailed);
    detailedLayout->addWidget(txtLongDescription);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(form);
    layout->addWidget(detailed, 1);
    lblNotes->setWordWrap(true);
    layout->addWidget(lblNotes);
    return page;
}

QWidget* frmStoreProduct::BuildItemsPage() {
    auto* page = new QWidget;
    gdItems->setFormatString(ProductFormRules::GridFormat());
    gdItems->setColDataType(1, FlexGrid::DataType::Boolean);
    gdItems->setColFormat(5, QStringLiteral("Currency"));
    gdItems->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdItems->setEditable(false);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {cmdAddItem, cmdAddPackage, cmdEdit, cmdDelete})
        buttons->addWidget(button);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(gdItems, 1);
    layout->addLayout(buttons);
    return page;
}

// Small enough for a small screen, never so small that a field or a button is cut off.
QSize frmStoreProduct::minimumSizeHint() const {
    QSize page;
    for (const QWidget* panel : picTab)
        page = page.expandedTo(panel->minimumSizeHint());
    const int buttons = TwipsToPixels(4 * ButtonWidth + Margin + 4 * Margin / 2, this);
    return {std::max(page.width() + TwipsToPixels(2 * PageLeft, this), buttons),
            page.height() + TwipsToPixels(PageTop + 2 * Margin + ButtonHeight, this)};
}

void frmStoreProduct::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

// The selected page sits over the tab strip's client area; the other one is parked out of view.
void frmStoreProduct::LayOut() {
    const double width = PixelsToTwips(this->width(), this);
    const double height = PixelsToTwips(this->height(), this);
    const double buttonTop = height - Margin - ButtonHeight;
    tabProperties->setGeometry(TwipsRect(Margin / 2, Margin / 2, width - Margin, buttonTop - Margin, this));
    const QRect page = TwipsRect(PageLeft, PageTop, width - 2 * PageLeft, buttonTop - PageTop - Margin, this);
    for (QWidget* panel : picTab)
        panel->setGeometry(panel->isEnabled() ? page.x() : TwipsToPixels(ParkedLeft, this), page.y(),
                           page.width(), page.height());
    double left = width - Margin - ButtonWidth;
    for (QPushButton* button : {cmdApply, cmdCancel, cmdOk}) {
        button->setGeometry(TwipsRect(left, buttonTop, ButtonWidth, ButtonHeight, this));
        left -= ButtonWidth + Margin / 2;
    }
    cmdHistory->setGeometry(TwipsRect(Margin / 2, buttonTop, ButtonWidth, ButtonHeight, this));
}

void frmStoreProduct::Setup(CStoreMaint& service, CProduct& product) {
    m_userCanceled = true;
    m_oStoreMaint = &service;
    m_oProduct = &product;
    LoadProductLists();
    ShowProduct();
    LoadProductItems();
    ShowPropertiesPage();
}

void frmStoreProduct::LoadProductLists() {
    const auto db = m_oStoreMaint->DBConnection();
    const QString storeNo = QString::number(m_oProduct->StoreNo());
    cmbProductGroup->Clear();
    cmbProductGroup->AddEntry(QStringLiteral("<None>"), {}, 0);
    cmbProductGroup->setSelectedIndex(0);
    ReadQuery(db,
              QStringLiteral("SELECT * FROM zev_store_product_group") + QStringLiteral(" WHERE store_no = ") +
                  storeNo + QStringLiteral(" ORDER BY description"),
              [&](const std::shared_ptr<Recordset>& rows) {
                  cmbProductGroup->AddEntry(
                      FieldText(rows, QStringLiteral("Description")), {},
                      rows->Fields(QStringLiteral("product_group_no"))->Value().toInt32());
              });
    cmbProductType->Clear();
    ReadQuery(db,
              QStringLiteral("SELECT DISTINCT product_type FROM zev_store_product") +
                  QStringLiteral(" WHERE store_no = ") + storeNo + QStringLiteral(" ORDER BY product_type"),
              [&](const std::shared_ptr<Recordset>& rows) {
                  cmbProductType->AddEntry(FieldText(rows, QStringLiteral("product_type")));
              });
    cmbPhotoFamily->Clear();
    for (const QString& family : ProductFormRules::PhotoFamilies())
        cmbPhotoFamily->AddEntry(family);
    cmbItemDisplayType->Clear();
    for (const QString& display : ProductFormRules::ItemDisplayTypes())
        cmbItemDisplayType->AddEntry(display);
}

ProductFormRules::Values frmStoreProduct::CurrentValues() const {
    ProductFormRules::Values values;
    values.productNo = txtProductNo->text();
    values.productName = txtProductName->text();
    values.shortDescription = txtShortDescription->text();
    values.longDescription = txtLongDescription->toPlainText();
    values.productURL = txtProductURL->text();
    values.productType = cmbProductType->Text();
    values.groupIndex = cmbProductGroup->SelectedIndex();
    values.groupNumber = cmbProductGroup->SelectedNumber();
    values.groupText = cmbProductGroup->Text();
    values.photoFamily = cmbPhotoFamily->Text();
    values.itemDisplayType = cmbItemDisplayType->Text();
    values.imageWidth = txtImageWidth->text();
    values.imageHeight = txtImageHeight->text();
    values.numCols = txtNumCols->text();
    values.isActive = ckbIsActive->checkState() == Qt::Checked;
    values.manualInvoice = FromCheckState(ckbManualInvoice->checkState());
    values.manualInvoiceEnabled = ckbManualInvoice->isEnabled();
    return values;
}

void frmStoreProduct::ShowValues(const ProductFormRules::Values& values) {
    txtProductNo->setText(values.productNo);
    txtProductName->setText(values.productName);
    txtShortDescription->setText(values.shortDescription);
    txtLongDescription->setPlainText(values.longDescription);
    txtProductURL->setText(values.productURL);
    txtImageWidth->setText(values.imageWidth);
    txtImageHeight->setText(values.imageHeight);
    txtNumCols->setText(values.numCols);
    cmbProductType->setText(values.productType);
    ckbIsActive->setChecked(values.isActive);
    // A value no entry matches leaves the selection as it was.
    if (const int family = cmbPhotoFamily->IndexOfText(values.photoFamily); family >= 0)
        cmbPhotoFamily->setSelectedIndex(family);
    if (const int display = cmbItemDisplayType->IndexOfText(values.itemDisplayType); display >= 0)
        cmbItemDisplayType->setSelectedIndex(display);
    ckbManualInvoice->setTristate(!values.manualInvoiceEnabled);
    ckbManualInvoice->setCheckState(ToCheckState(values.manualInvoice));
    ckbManualInvoice->setEnabled(values.manualInvoiceEnabled);
    if (values.groupNumber != 0) {
        for (int i = 1; i < cmbProductGroup->count(); ++i)
            if (cmbProductGroup->Number(i) == values.groupNumber) {
                cmbProductGroup->setSelectedIndex(i);
                break;
            }
    }
}

void frmStoreProduct::ShowProduct() {
    setWindowTitle(ProductFormRules::Caption(*m_oProduct));
    ProductFormRules::Values values = CurrentValues();
    ProductFormRules::Show(*m_oProduct, values);
    ShowValues(values);
    tabProperties->setVisible(!txtProductNo->text().isEmpty());
}

void frmStoreProduct::LoadProductItems() {
    gdItems->setRedraw(false);
    gdItems->setRows(1);
    try {
        StoredProcedureCall call(m_oStoreMaint->DBConnection(),
                                 QStringLiteral("ZEV_SP_STORE_GetProductItem"));
        call.set(QStringLiteral("@store_no"), m_oProduct->StoreNo())
            .set(QStringLiteral("@product_no"), m_oProduct->ProductNo());
        ProductFormRules::Kind kind;
        for (bool ok = call.openRows(); ok && !call.atEnd(); call.next()) {
            const int32_t seqNo = call.column(QStringLiteral("seq_no")).toInt32();
            const int32_t priceNo = call.readLong(QStringLiteral("price_no"));
            kind = ProductFormRules::LoadedKind(call.readLong(QStringLiteral("item_no")),
                                                call.readLong(QStringLiteral("package_no")), priceNo, kind);
            m_highestSeqNo = std::max(m_highestSeqNo, seqNo);
            gdItems->AddItem(ProductFormRules::GridRow(seqNo, call.readBool(QStringLiteral("is_active")),
                                                       kind, priceNo,
                                                       call.readDouble(QStringLiteral("Price")),
                                                       call.readText(QStringLiteral("product_item_name"))));
        }
    } catch (const RuntimeError&) {
        // the grid keeps the rows read so far
    }
    gdItems->AutoSize();
    gdItems->setRedraw(true);
}

void frmStoreProduct::ShowPropertiesPage() {
    const QString key = tabProperties->SelectedKey();
    const int shown = key.compare(QLatin1String("ITEMS"), Qt::CaseInsensitive) == 0 ? 1 : 0;
    // The other page is parked and hidden: a maximised editor is wide enough to reach a parked page.
    for (size_t i = 0; i < picTab.size(); ++i) {
        picTab[i]->setEnabled(int(i) == shown);
        picTab[i]->setVisible(int(i) == shown);
    }
    LayOut();
    if (shown == 0)
        (txtProductNo->text().isEmpty() ? txtProductNo : txtProductName)->setFocus();
}

void frmStoreProduct::SelectTab(const QString& key) {
    tabProperties->SelectKey(key);
    ShowPropertiesPage();
}

bool frmStoreProduct::SaveProduct() {
    const ProductFormRules::Values values = CurrentValues();
    if (const CheckResult refusal = ProductFormRules::Check(values)) {
        if (!refusal->tabKey.isEmpty())
            SelectTab(refusal->tabKey);
        ShowRefusal(this, *refusal);
        return false;
    }
    ProductFormRules::Fill(values, *m_oProduct);
    if (!ConcurrentSave::RunFor(*m_oProduct, m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(),
                                [&] { ShowProduct(); }))
        return false;
    // The record keeps the key it was opened with; the product now lives under its saved number, so a second
    // save updates it instead of inserting it again.
    m_oProduct->setOriginalProductNo(m_oProduct->ProductNo());
    return true;
}

void frmStoreProduct::on_cmdOk_clicked() {
    const BusyPointer busy;
    if (SaveProduct()) {
        m_userCanceled = false;
        hide();
    }
}

void frmStoreProduct::on_cmdApply_clicked() {
    // Input refused by a check never reached the record: redisplaying it would throw the user's typing away.
    const bool reachedRecord = !ProductFormRules::Check(CurrentValues());
    SaveProduct();
    if (reachedRecord)
        ShowProduct();
}

void frmStoreProduct::on_cmdCancel_clicked() {
    m_userCanceled = true;
    hide();
}

void frmStoreProduct::reject() {
    on_cmdCancel_clicked();
}

void frmStoreProduct::on_cmdAddItem_clicked() {
    AddFromPicker(ttoAll);
}

void frmStoreProduct::on_cmdAddPackage_clicked() {
    AddFromPicker(ttoPackage);
}

void frmStoreProduct::AddFromPicker(ItemTypes type) {
    const auto items = m_oStoreMaint->ItemMaint();
    if (!items)
        return;
    int32_t number = 0;
    QString description;
    const Variant chosen = items->SelectItem(type, false, number, description, false);
    if (chosen.isNull() || chosen.isEmpty() || !chosen.toBool())
        return;
    CProductItem item;
    item.setStoreNo(m_oProduct->StoreNo());
    item.setProductNo(m_oProduct->ProductNo());
    if (type == ttoPackage)
        item.setPackageNo(number);
    else
        item.setItemNo(number);
    item.setDescription(description);
    EditProductItem(item, 0);
}

// The sequence number in the items grid's row; none when its text is not a number.
std::optional<int32_t> frmStoreProduct::RowSeqNo(int32_t row) const {
    try {
        return Variant(gdItems->TextMatrix(row, 0)).toInt32();
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

void frmStoreProduct::on_cmdEdit_clicked() {
    const int32_t row = gdItems->DataRow();
    const std::optional<int32_t> seq = row ? RowSeqNo(row) : std::nullopt;
    if (!seq)
        return;
    const int32_t seqNo = *seq;
    CProductItem item;
    if (seqNo > 0 && !item.OpenProductItem(m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(),
                                           m_oProduct->StoreNo(), m_oProduct->ProductNo(), seqNo)) {
        MsgBox(QStringLiteral("Sorry the selected product item could not be opened at this time."));
        return;
    }
    EditProductItem(item, row);
}

void frmStoreProduct::EditProductItem(CProductItem& item, int32_t row) {
    frmStoreProductItem editor(this);
    if (row == 0) {
        item.GetDefaults(m_oStoreMaint->DBConnection(), m_oStoreMaint->ErrorObject(), m_oProduct->StoreNo(),
                         m_oProduct->ProductNo());
        item.setSeqNo(ProductFormRules::ProposedSeqNo(item.SeqNo(), m_highestSeqNo));
    }
    editor.Setup(*m_oStoreMaint, item, m_oProduct->ProductName());
    ShowModal(&editor, this);
    if (!editor.UserCancelled()) {
        if (row > 0) {
            gdItems->setRowText(row, ProductFormRules::GridRow(item));
        } else {
            gdItems->AddItem(ProductFormRules::GridRow(item));
            gdItems->setRow(gdItems->Rows() - 1);
        }
        m_highestSeqNo = std::max(m_highestSeqNo, item.SeqNo());
    }
    gdItems->AutoSize();
}

void frmStoreProduct::on_cmdDelete_clicked() {
    const int32_t row = gdItems->DataRow();
    if (row == 0)
        return;
    const int32_t seqNo = RowSeqNo(row).value_or(0);
    if (seqNo < 1) {
        gdItems->RemoveItem(row);
        return;
    }
    const int32_t answer = MsgBox(QStringLiteral("Are you sure you want to delete product item (") +
                                      gdItems->TextMatrix(row, 6) + QStringLiteral(")?"),
                                  MsgBoxStyle::YesNo | MsgBoxStyle::Question | MsgBoxStyle::DefaultButton2,
                                  QStringLiteral("Confirm Delete"));
    if (answer == MsgBoxResult::Yes && DeleteProductItem(seqNo))
        gdItems->RemoveItem(row);
}

bool frmStoreProduct::DeleteProductItem(int32_t seqNo) {
    bool deleted = false;
    try {
        StoredProcedureCall call(m_oStoreMaint->DBConnection(),
                                 QStringLiteral("ZEV_SP_STORE_DeleteProductItem"));
        call.set(QStringLiteral("@store_no"), m_oProduct->StoreNo())
            .set(QStringLiteral("@product_no"), m_oProduct->ProductNo())
            .set(QStringLiteral("@seq_no"), seqNo);
        deleted = call.run();
    } catch (const RuntimeError&) {
        // the row stays
    }
    gdItems->AutoSize();
    return deleted;
}
