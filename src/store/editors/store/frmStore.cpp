#include "store/editors/store/frmStore.h"

#include "store/data/ColumnLengths.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/ConcurrentSave.h"
#include "store/editors/Refusal.h"
#include "store/editors/store/DocumentMarks.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/frmDocumentPreview.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"
#include "store/viewers/frmRecordHistory.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {

constexpr int Parked = -20000;
constexpr int PanelLeft = 180;
constexpr int Margin = 120;
constexpr int RowPitch = 390;
constexpr int FieldHeight = 315;
constexpr int LabelWidth = 2400;
constexpr int RegisterWidth = 2700;
constexpr int ButtonWidth = 1215;
constexpr int ButtonHeight = 375;
constexpr int GeneralRows = 7;

bool IsDocumentTab(const QString& key) {
    return key == QLatin1String("CONFIRM") || key == QLatin1String("SHIP") || key == QLatin1String("MANUAL");
}

} // namespace

frmStore::frmStore(QWidget* parent)
    : QDialog(parent), gdData(new FlexGrid), m_tables(*gdData, m_errors, StoreSubTables()) {
    setObjectName(QStringLiteral("frmStore"));
    buildGeneralFields();
    buildTabs();
    cmdOk = NamedControl<QPushButton>("cmdOk", QStringLiteral("OK"), this);
    cmdCancel = NamedControl<QPushButton>("cmdCancel", QStringLiteral("Cancel"), this);
    cmdApply = NamedControl<QPushButton>("cmdApply", QStringLiteral("Apply"), this);
    cmdApply->setToolTip(QStringLiteral("Apply Store changes"));
    cmdHistory = NamedControl<QPushButton>("cmdHistory", QStringLiteral("History..."), this);
    cmdHistory->setToolTip(QStringLiteral("Everything changed in this store, newest first"));
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    cmdOk->setDefault(true);
    QMetaObject::connectSlotsByName(this);
    connect(gdData, &FlexGrid::BeforeEdit, this,
            [this](int32_t row, int32_t col, bool& cancel) { m_tables.BeforeEdit(row, col, cancel); });
    connect(gdData, &FlexGrid::ValidateEdit, this,
            [this](int32_t row, int32_t col, const QString& text, bool& cancel) {
                m_tables.ValidateEdit(row, col, text, cancel);
            });
    connect(gdData, &FlexGrid::AfterEdit, this,
            [this](int32_t row, int32_t col) { m_tables.AfterEdit(row, col); });
    connect(gdData, &FlexGrid::CellButtonClick, this,
            [this](int32_t row, int32_t col) { m_tables.CellButtonClick(row, col); });
    connect(gdData, &FlexGrid::DblClick, this, [this] { m_tables.DoubleClick(); });
    connect(gdData, &FlexGrid::PasteRows, this,
            [this](const QList<QStringList>& rows) { m_tables.Paste(rows); });
    connect(gdData, &FlexGrid::UndoPaste, this, [this] { m_tables.UndoPaste(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { m_tables.Add(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { m_tables.Delete(); });
    connect(cmdUpdate, &QPushButton::clicked, this, [this] { m_tables.Apply(); });
    connect(cmdHistory, &QPushButton::clicked, this, [this] {
        frmRecordHistory::ShowFor(
            this, *m_service,
            {m_store->StoreNo(), {}, {}, QStringLiteral("Store %1").arg(m_store->StoreNo())});
    });
    connect(txtDocument, &QPlainTextEdit::textChanged, this, [this] {
        m_documentChanged = true;
        MarkUnknownFields();
    });
    setWindowTitle(QStringLiteral("Store Maintenance (0)"));
    resize(TwipsToPixels(13200, this), TwipsToPixels(8700, this));
    // The fields beside the register column, and below them the tabs with room for the grid's three buttons.
    setMinimumSize(
        TwipsToPixels(3 * Margin + LabelWidth + 600 + RegisterWidth, this),
        TwipsToPixels(Margin + GeneralRows * RowPitch + 60 + 2700 + 60 + ButtonHeight + Margin, this));
}

frmStore::~frmStore() = default;

// ---- construction

void frmStore::buildGeneralFields() {
    txtDescription = NamedControl<QLineEdit>("txtDescription", this);
    txtStoreURL = NamedControl<QLineEdit>("txtStoreURL", this);
    txtStoreLogoURL = NamedControl<QLineEdit>("txtStoreLogoURL", this);
    txtDefaultProductURL = NamedControl<QLineEdit>("txtDefaultProductURL", this);
    txtErrorNotifyEmail = NamedControl<QLineEdit>("txtErrorNotifyEmail", this);
    txtEmailFrom = NamedControl<QLineEdit>("txtEmailFrom", this);
    cmbSalesorderType = NamedControl<KeyedCombo>("cmbSalesorderType", this);
    txtDescription->setMaxLength(ColumnLength::StoreDescription);
    for (QLineEdit* address :
         {txtStoreURL, txtStoreLogoURL, txtDefaultProductURL, txtErrorNotifyEmail, txtEmailFrom})
        address->setMaxLength(ColumnLength::Address);
    const char* labels[GeneralRows] = {"Description:",
                                       "Store URL:",
                                       "Store Logo URL:",
                                       "Default Product URL:",
                                       "Notify on Error (Email):",
                                       "Email From:",
                                       "Sales Order Type:"};
    const QWidget* fields[GeneralRows] = {txtDescription,       txtStoreURL,         txtStoreLogoURL,
                                          txtDefaultProductURL, txtErrorNotifyEmail, txtEmailFrom,
                                          cmbSalesorderType};
    for (int i = 0; i < GeneralRows; ++i) {
        auto* label = new QLabel(QLatin1String(labels[i]), this);
        label->setObjectName(QStringLiteral("lblField%1").arg(i));
        label->setBuddy(const_cast<QWidget*>(fields[i]));
    }
    ckbStoreRegister = NamedControl<QCheckBox>("ckbStoreRegister", QStringLiteral("Store Register"), this);
    ckbStoreRegister->setToolTip(QStringLiteral("Store Register means the register is installed at the store "
                                                "level.  Otherwise it is store at the location level."));
    txtRegisterId = NamedControl<QLineEdit>("txtRegisterId", this);
    txtRegisterId->setReadOnly(true);
    cmdInstallRegister = NamedControl<QPushButton>("cmdInstallRegister", QStringLiteral("Install"), this);
    cmdUnInstallRegister =
        NamedControl<QPushButton>("cmdUnInstallRegister", QStringLiteral("UnInstall"), this);
}

void frmStore::buildTabs() {
    tabTabs = NamedControl<TabStrip>("tabTabs", this);
    const char* tabs[][3] = {{"GROUP", "Groups", "Store Product Groups"},
                             {"LIST", "Lists", "Store Product Lists"},
                             {"FEE", "Fees", "Store Fees"},
                             {"PAYMENT", "Payments", "Store Payments"},
                             {"CONFIRM", "Confirmation Doc.", "Store Confirmation Document"},
                             {"SHIP", "Ship Doc.", "Store Shipment Document"},
                             {"MANUAL", "Manual Doc.", "Store Manual Document"},
                             {"SCREEN", "Screens", ""},
                             {"EXT", "Extensions", ""}};
    for (const auto& tab : tabs)
        tabTabs->AddTab(QLatin1String(tab[0]), QLatin1String(tab[1]), QLatin1String(tab[2]));
    picTab = {buildGridPanel(), buildDocumentPanel()};
    for (QWidget* panel : picTab)
        panel->raise();
    ShowPanel(0, false);
    ShowPanel(1, false);
}

QWidget* frmStore::buildGridPanel() {
    auto* panel = NamedControl<QWidget>("picTab(0)", this);
    gdData->setParent(panel);
    gdData->setObjectName(QStringLiteral("gdData"));
    gdData->setEditable(true);
    gdData->setExtendedSelection(true);
    cmdAdd = NamedControl<QPushButton>("cmdAdd", QStringLiteral("Add"), panel);
    cmdDelete = NamedControl<QPushButton>("cmdDelete", QStringLiteral("Delete"), panel);
    cmdUpdate = NamedControl<QPushButton>("cmdUpdate", QStringLiteral("Apply"), panel);
    return panel;
}

QWidget* frmStore::buildDocumentPanel() {
    auto* panel = NamedControl<QWidget>("picTab(1)", this);
    txtDocument = NamedControl<QPlainTextEdit>("txtDocument", panel);
    cmbDocumentFields = NamedControl<QComboBox>("cmbDocumentFields", panel);
    cmdInsert = NamedControl<QPushButton>("cmdInsert", QStringLiteral("Insert"), panel);
    cmdInsert->setToolTip(QStringLiteral("Insert field into text insertion point"));
    cmdPreview = NamedControl<QPushButton>("cmdPreview", QStringLiteral("Preview..."), panel);
    cmdPreview->setToolTip(QStringLiteral("Show the document filled in from an order of this store"));
    lblUnknownFields = NamedControl<QLabel>("lblUnknownFields", panel);
    lblUnknownFields->setStyleSheet(QStringLiteral("color: #b00000"));
    Label7 = NamedControl<QLabel>(
        "Label7", QStringLiteral("Add dynamic fields from the drop down into your document."), panel);
    return panel;
}

// ---- layout

void frmStore::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayOut();
}

void frmStore::LayOut() {
    const double width = PixelsToTwips(this->width(), this);
    const double height = PixelsToTwips(this->height(), this);
    const double fieldWidth = std::max(600.0, width - 2 * Margin - LabelWidth - RegisterWidth - Margin);
    for (int i = 0; i < GeneralRows; ++i) {
        const double top = Margin + i * RowPitch;
        findChild<QLabel*>(QStringLiteral("lblField%1").arg(i))
            ->setGeometry(TwipsRect(Margin, top, LabelWidth, FieldHeight, this));
        findChild<QLabel*>(QStringLiteral("lblField%1").arg(i))
            ->buddy()
            ->setGeometry(TwipsRect(Margin + LabelWidth, top, fieldWidth, FieldHeight, this));
    }
    const double right = width - Margin - RegisterWidth;
    ckbStoreRegister->setGeometry(TwipsRect(right, Margin, RegisterWidth, FieldHeight, this));
    txtRegisterId->setGeometry(TwipsRect(right, Margin + RowPitch, RegisterWidth, FieldHeight, this));
    const double half = (RegisterWidth - 60) / 2.0;
    cmdInstallRegister->setGeometry(TwipsRect(right, Margin + 2 * RowPitch, half, ButtonHeight, this));
    cmdUnInstallRegister->setGeometry(
        TwipsRect(right + half + 60, Margin + 2 * RowPitch, half, ButtonHeight, this));

    const double buttonTop = height - Margin - ButtonHeight;
    double left = width - Margin - ButtonWidth;
    for (QPushButton* button : {cmdApply, cmdCancel, cmdOk}) {
        button->setGeometry(TwipsRect(left, buttonTop, ButtonWidth, ButtonHeight, this));
        left -= ButtonWidth + 60;
    }
    cmdHistory->setGeometry(TwipsRect(Margin, buttonTop, ButtonWidth, ButtonHeight, this));
    const double tabTop = Margin + GeneralRows * RowPitch + 60;
    tabTabs->setGeometry(TwipsRect(Margin, tabTop, width - 2 * Margin, buttonTop - 60 - tabTop, this));
    const QRect client = tabTabs->ClientRect().translated(tabTabs->pos());
    const double panelTop = PixelsToTwips(client.top(), this) + 60;
    const double panelWidth = width - 2 * PanelLeft;
    const double panelHeight = PixelsToTwips(client.bottom(), this) - 60 - panelTop;
    for (int i = 0; i < 2; ++i) {
        const double panelLeft = !picTab[size_t(i)]->testAttribute(Qt::WA_Disabled) ? PanelLeft : Parked;
        picTab[size_t(i)]->setGeometry(TwipsRect(panelLeft, panelTop, panelWidth, panelHeight, this));
    }
    // Grid panel: the grid with its buttons on the right.
    const double gridWidth = panelWidth - ButtonWidth - 120;
    gdData->setGeometry(TwipsRect(0, 0, gridWidth, panelHeight, this));
    double top = 0;
    for (QPushButton* button : {cmdAdd, cmdDelete, cmdUpdate}) {
        button->setGeometry(TwipsRect(gridWidth + 120, top, ButtonWidth, ButtonHeight, this));
        top += ButtonHeight + 60;
    }
    // Document panel: the field chooser above the text.
    cmbDocumentFields->setGeometry(TwipsRect(0, 0, 3000, FieldHeight, this));
    cmdInsert->setGeometry(TwipsRect(3060, 0, 1000, FieldHeight, this));
    cmdPreview->setGeometry(TwipsRect(4120, 0, 1200, FieldHeight, this));
    Label7->setGeometry(TwipsRect(5440, 0, std::max(600.0, panelWidth - 5440), FieldHeight, this));
    // The unknown fields are named on a line under the text.
    const double textHeight = panelHeight - 2 * (FieldHeight + 60);
    txtDocument->setGeometry(TwipsRect(0, FieldHeight + 60, panelWidth, textHeight, this));
    lblUnknownFields->setGeometry(
        TwipsRect(0, FieldHeight + 60 + textHeight + 60, panelWidth, FieldHeight, this));
}

void frmStore::ShowPanel(int index, bool shown) {
    QWidget* panel = picTab[size_t(index)];
    panel->setEnabled(shown);
    panel->move(TwipsToPixels(shown ? PanelLeft : Parked, this), panel->y());
    // Hidden as well: a maximised editor is wide enough to reach a panel parked to the left.
    panel->setVisible(shown);
}

// ---- set-up

void frmStore::Setup(CStoreMaint& service, CStore& store) {
    m_service = &service;
    m_userCanceled = true;
    m_tables.Setup(service, store, this, [this] { return SaveStore(true, true); });
    LoadSalesOrderTypes();
    m_store = &store;
    ShowCaption();
    EnableForExistingStore(store.StoreNo() != 0);
    CopyRecordToControls();
    StoreRegisterRule();
    m_tables.LoadAll();
    LoadDocumentFields();
    // Selecting the first tab shows it, even when it was already selected.
    m_currentTabKey.clear();
    if (tabTabs->SelectedIndex() == 0)
        on_tabTabs_Click();
    else
        tabTabs->setSelectedIndex(0);
}

void frmStore::OpenOnTab(const QString& key) {
    tabTabs->SelectKey(key);
    if (IsDocumentTab(key))
        txtDocument->setFocus();
    else
        gdData->setFocus();
}

void frmStore::LoadSalesOrderTypes() {
    m_errors.Guard(m_service->ErrorObject(), QStringLiteral("LoadSalesOrderTypes"), [&] {
        StoredProcedureCall call(m_service->DBConnection(),
                                 QStringLiteral("ZEV_SP_STORE_SALES_ORDER_TYPE_Get"));
        if (!call.openRows())
            return false;
        for (; !call.atEnd(); call.next())
            cmbSalesorderType->AddEntry(call.readText(QStringLiteral("Description")),
                                        call.readText(QStringLiteral("so_type")));
        return true;
    });
}

void frmStore::LoadDocumentFields() {
    cmbDocumentFields->clear();
    m_errors.Guard(m_service->ErrorObject(), QStringLiteral("LoadDocumentFields"), [&] {
        StoredProcedureCall call(m_service->DBConnection(),
                                 QStringLiteral("ZEV_SP_ESTORE_GetStoreDocumentFields"));
        if (!call.openRows())
            return false;
        for (; !call.atEnd(); call.next())
            cmbDocumentFields->addItem(call.readText(QStringLiteral("field_id")));
        return true;
    });
    if (cmbDocumentFields->count() > 0)
        cmbDocumentFields->setCurrentIndex(0);
    MarkUnknownFields();
}

QStringList frmStore::KnownFields() const {
    QStringList fields;
    for (int i = 0; i < cmbDocumentFields->count(); ++i)
        fields << cmbDocumentFields->itemText(i);
    return fields;
}

void frmStore::ShowCaption() {
    setWindowTitle(QStringLiteral("Store Maintenance (%1)").arg(m_store->StoreNo()));
}

void frmStore::EnableForExistingStore(bool existing) {
    for (QWidget* control : std::initializer_list<QWidget*>{cmdAdd, cmdDelete, cmdInstallRegister,
                                                            cmdUnInstallRegister, cmdUpdate, tabTabs, gdData})
        control->setEnabled(existing);
}

void frmStore::CopyRecordToControls() {
    txtDescription->setText(m_store->Description());
    txtStoreURL->setText(m_store->StoreURL());
    txtStoreLogoURL->setText(m_store->StoreLOGOURL());
    txtDefaultProductURL->setText(m_store->DefaultProductURL());
    txtErrorNotifyEmail->setText(m_store->ErrorNotifyEmail());
    txtEmailFrom->setText(m_store->EmailFrom());
    txtRegisterId->setText(m_store->RegisterId());
    ckbStoreRegister->setChecked(!m_store->LocationRegister);
    cmbSalesorderType->setSelectedIndex(-1);
    if (!m_store->SalesOrderType.isEmpty())
        cmbSalesorderType->setSelectedIndex(cmbSalesorderType->IndexOfKey(m_store->SalesOrderType));
}

void frmStore::CopyControlsToRecord() {
    m_store->setDescription(txtDescription->text());
    m_store->setStoreURL(txtStoreURL->text());
    m_store->setStoreLOGOURL(txtStoreLogoURL->text());
    m_store->setDefaultProductURL(txtDefaultProductURL->text());
    m_store->setErrorNotifyEmail(txtErrorNotifyEmail->text());
    m_store->setEmailFrom(txtEmailFrom->text());
    m_store->LocationRegister = !ckbStoreRegister->isChecked();
    // A sales-order type missing from the list keeps the record's value.
    if (cmbSalesorderType->SelectedIndex() >= 0)
        m_store->SalesOrderType = cmbSalesorderType->SelectedKey();
}

// ---- register

void frmStore::on_ckbStoreRegister_clicked() {
    if (!m_store)
        return;
    StoreRegisterRule();
}

void frmStore::StoreRegisterRule() {
    if (ckbStoreRegister->isChecked()) {
        cmdInstallRegister->setEnabled(true);
        cmdUnInstallRegister->setEnabled(true);
        return;
    }
    if (m_store->RegisterInstalled()) {
        MsgBox(QStringLiteral("Please uninstall the register before changing the store register type"),
               MsgBoxStyle::Information, QStringLiteral("Uninstall Register"));
        ckbStoreRegister->setChecked(true);
        return;
    }
    cmdInstallRegister->setEnabled(false);
    cmdUnInstallRegister->setEnabled(false);
}

void frmStore::on_cmdInstallRegister_clicked() {
    if (!m_store)
        return;
    if (m_store->StoreNo() == 0) {
        if (MsgBox(
                QStringLiteral("The store must be updated before installing a register.  Would you like to "
                               "update the store now?"),
                MsgBoxStyle::Question | MsgBoxStyle::YesNo,
                QStringLiteral("Confirm Store Update")) != MsgBoxResult::Yes)
            return;
        if (!SaveStore(true, false))
            return;
    }
    if (m_service->InstallRegister(*m_store))
        txtRegisterId->setText(m_store->RegisterId());
}

void frmStore::on_cmdUnInstallRegister_clicked() {
    if (!m_store)
        return;
    if (m_service->UnInstallRegister(*m_store))
        txtRegisterId->setText(m_store->RegisterId());
}

// ---- tabs and documents

void frmStore::on_tabTabs_Click() {
    if (!m_store)
        return;
    KeepDocumentText();
    const QString key = tabTabs->SelectedKey();
    m_tables.setCurrentKey(key);
    if (m_tables.Has(key)) {
        ShowPanel(0, true);
        ShowPanel(1, false);
        const bool commands = key != SubTableKeys::PayMethods;
        for (QPushButton* button : {cmdAdd, cmdDelete, cmdUpdate})
            button->setVisible(commands);
        m_tables.SetupGrid(key);
    } else {
        ShowPanel(1, true);
        ShowPanel(0, false);
        txtDocument->setPlainText(DocumentText(key));
        m_documentChanged = false;
    }
    gdData->setRowBold(0, true);
    gdData->AutoSize();
    m_currentTabKey = key;
}

QString frmStore::DocumentText(const QString& key) const {
    if (key == QLatin1String("CONFIRM"))
        return m_store->ConfirmationDocument();
    if (key == QLatin1String("SHIP"))
        return m_store->ShipDocument();
    if (key == QLatin1String("MANUAL"))
        return m_store->ManualDocument();
    return {};
}

// The document tab being left (or saved) keeps its edited text in the record.
void frmStore::KeepDocumentText() {
    if (!IsDocumentTab(m_currentTabKey) || !m_documentChanged)
        return;
    const QString text = txtDocument->toPlainText();
    if (m_currentTabKey == QLatin1String("MANUAL"))
        m_store->setManualDocument(text);
    else if (m_currentTabKey == QLatin1String("SHIP"))
        m_store->setShipDocument(text);
    else
        m_store->setConfirmationDocument(text);
}

void frmStore::on_cmdInsert_clicked() {
    QTextCursor cursor = txtDocument->textCursor();
    const int caret = cursor.selectionStart();
    const QString field = cmbDocumentFields->currentText();
    cursor.insertText(field);
    cursor.setPosition(caret + int(field.size()));
    txtDocument->setTextCursor(cursor);
    txtDocument->setFocus();
}

// Marks only: the text, its undo history and the changed flag stay as they are.
void frmStore::MarkUnknownFields() {
    const DocumentPreview marked(txtDocument->toPlainText(), DocumentFields(KnownFields()));
    txtDocument->setExtraSelections(DocumentMarks::InEditor(txtDocument->document(), marked.Marks()));
    lblUnknownFields->setText(DocumentMarks::UnknownLine(marked.Unknown()));
    txtDocument->setToolTip(lblUnknownFields->text());
}

void frmStore::on_cmdPreview_clicked() {
    if (!m_store)
        return;
    frmDocumentPreview preview(this);
    preview.Setup(*m_service, m_store->StoreNo(), txtDocument->toPlainText(), KnownFields(),
                  tabTabs->SelectedCaption());
    ShowModal(&preview, this);
}

// ---- saving and closing

bool frmStore::SaveStore(bool storeOnly, bool reload) {
    if (!m_store)
        return false; // not set up
    // Stores are known by their description: one without is refused before anything is written.
    if (txtDescription->text().trimmed().isEmpty()) {
        ShowRefusal(this, {QStringLiteral("Please enter a description for the store before saving."),
                           QStringLiteral("Description Required"),
                           MsgBoxStyle::OKOnly | MsgBoxStyle::Information,
                           txtDescription->objectName(),
                           {}});
        return false;
    }
    KeepDocumentText();
    CopyControlsToRecord();
    const auto db = m_service->DBConnection();
    const auto write = [&] {
        bool result = m_store->Update(db, m_service->ErrorObject());
        // The sub-tables' result decides, whatever the store's save gave.
        if (!storeOnly)
            result = m_tables.SaveAllChanged(reload);
        return result;
    };
    const auto reloadTheirs = [&] {
        m_store->Reopen(db, m_service->ErrorObject());
        CopyRecordToControls();
        m_tables.LoadAll();
        LoadDocumentFields();
    };
    return ConcurrentSave::Run(m_store->Baseline, db, write, reloadTheirs);
}

void frmStore::on_cmdOk_clicked() {
    if (!SaveStore(false, false))
        return;
    m_userCanceled = false;
    hide();
}

void frmStore::on_cmdApply_clicked() {
    if (!m_store)
        return;
    SaveStore(true, true);
    ShowCaption();
    EnableForExistingStore(m_store->StoreNo() != 0);
    m_tables.Load(SubTableKeys::Screens);
}

void frmStore::on_cmdCancel_clicked() {
    m_userCanceled = true;
    hide();
}

void frmStore::closeEvent(QCloseEvent* event) {
    // The caller reads the results after the modal run, so the close box only hides.
    event->ignore();
    hide();
}

void frmStore::reject() {
    hide();
}
