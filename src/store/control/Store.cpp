#include "store/control/Store.h"

#include "store/control/ListItemPaste.h"

#include "sdk/RuntimeError.h"
#include "sdk/Version.h"
#include "store/control/StoreShared.h"
#include "store/host/CStoreMaint.h"
#include "store/host/frmAbout.h"
#include "widgets/BusyPointer.h"
#include "widgets/ExportDialog.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

// The control's frame: construction, the host's plug-in contract and the events of its own surface.
// Store selection and layout are in StoreSelection.cpp, the product and list views in StoreViews.cpp, the
// order and customer searches in StoreSearches.cpp, the buttons' commands in StoreCommands.cpp.

using namespace StoreShared;

namespace {

const QString SecurityAlert = QStringLiteral("Security Alert");

// Panel heights and the frame's height, in twips.
constexpr int FrameHeight = 900;
constexpr int ListPanelHeight = 420;
constexpr int OrderPanelHeight = 1140;
constexpr int CustomerPanelHeight = 1200;

int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    return int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                   (modifiers & Qt::AltModifier ? 4 : 0));
}

int16_t MouseButtons(Qt::MouseButtons buttons) {
    return int16_t((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                   (buttons & Qt::MiddleButton ? 4 : 0));
}

} // namespace

Store::Store(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Store"));
    // A click on the bare surface takes the focus, so that the keys typed next are the control's own.
    setFocusPolicy(Qt::ClickFocus);
    buildFrame();
    QMetaObject::connectSlotsByName(this);
    SetUpKeys();
    connect(tabStore, &TabStrip::Click, this, [this] { ShowCurrentTab(); });
    SetControlsEnabled(false);
    cmbStore->setEnabled(false);
    resize(TwipsToPixels(12000, this), TwipsToPixels(8000, this));
}

Store::~Store() {
    ShutDown();
}

// ---- construction
// -------------------------------------------------------------------------------------------

void Store::buildFrame() {
    fraStore = NamedControl<QGroupBox>("fraStore", QStringLiteral("Current Store"), this);
    fraStore->setGeometry(TwipsRect(60, 60, 9000, FrameHeight, this));
    cmbStore = NamedControl<KeyedCombo>("cmbStore", fraStore);
    cmdAddStore = NamedControl<QPushButton>("cmdAddStore", QStringLiteral("Add"), fraStore);
    cmdEditStore = NamedControl<QPushButton>("cmdEditStore", QStringLiteral("Edit"), fraStore);
    cmdDeleteStore = NamedControl<QPushButton>("cmdDeleteStore", QStringLiteral("Delete"), fraStore);
    auto* storeRow = new QHBoxLayout(fraStore);
    storeRow->setContentsMargins(TwipsToPixels(120, this), TwipsToPixels(60, this), TwipsToPixels(120, this),
                                 TwipsToPixels(60, this));
    storeRow->addWidget(cmbStore, 1);
    storeRow->addWidget(cmdAddStore);
    storeRow->addWidget(cmdEditStore);
    storeRow->addWidget(cmdDeleteStore);
    storeRow->addStretch(1);

    tabStore = NamedControl<TabStrip>("tabStore", this);
    tabStore->AddTab(QStringLiteral("PRODUCT"), QStringLiteral("Products"));
    tabStore->AddTab(QStringLiteral("LIST"), QStringLiteral("Lists"));
    tabStore->AddTab(QStringLiteral("CUST"), QStringLiteral("Customers"));
    tabStore->AddTab(QStringLiteral("ORDER"), QStringLiteral("Orders"));

    gdData = NamedControl<FlexGrid>("gdData", this);
    gdData->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    gdData->setExtendedSelection(true);
    connect(gdData, &FlexGrid::PasteRows, this, &Store::PasteListItems);
    connect(gdData, &FlexGrid::UndoPaste, this, &Store::UndoListPaste);
    picFilter = new GridFilterBox(gdData, this);
    connect(picFilter, &GridFilterBox::CountChanged, this, &Store::ShowFilterCount);
    cmdAdd = NamedControl<QPushButton>("cmdAdd", QStringLiteral("Add"), this);
    cmdEdit = NamedControl<QPushButton>("cmdEdit", QStringLiteral("Edit"), this);
    cmdDelete = NamedControl<QPushButton>("cmdDelete", QStringLiteral("Delete"), this);
    picLists = buildListPanel();
    picOrderSearch = buildOrderPanel();
    picSearchCustomer = buildCustomerPanel();
    mnuTools = NamedControl<QMenu>("mnuTools", QStringLiteral("&Tools"), this);
    mnuToolSpecialOffer = mnuTools->addAction(QStringLiteral("Special Offers..."));
    mnuToolSpecialOffer->setObjectName(QStringLiteral("mnuToolSpecialOffer"));
    mnuToolCheckStore = mnuTools->addAction(QStringLiteral("Check Store..."));
    mnuToolCheckStore->setObjectName(QStringLiteral("mnuToolCheckStore"));
    mnuToolCheckStore->setEnabled(false);
    mnuFileExport = new QAction(QStringLiteral("&Export..."), this);
    mnuFileExport->setObjectName(QStringLiteral("mnuFileExport"));
    connect(mnuFileExport, &QAction::triggered, this, [this] {
        if (!Deferred([this] { mnuFileExport->trigger(); }))
            ExportDialog::Export(gdData, this);
    });
    for (QWidget* widget : std::initializer_list<QWidget*>{picFilter, gdData, cmdAdd, cmdEdit, cmdDelete,
                                                           picLists, picOrderSearch, picSearchCustomer})
        widget->raise();
}

QWidget* Store::buildListPanel() {
    auto* panel = NamedControl<QWidget>("picLists", this);
    panel->setGeometry(TwipsRect(Parked, 0, 6000, ListPanelHeight, this));
    cmbList = NamedControl<KeyedCombo>("cmbList", panel);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, TwipsToPixels(60, this), 0);
    row->addWidget(new QLabel(QStringLiteral("List:"), panel));
    row->addWidget(cmbList, 1);
    row->addStretch(1);
    return panel;
}

QWidget* Store::buildOrderPanel() {
    auto* panel = NamedControl<QWidget>("picOrderSearch", this);
    panel->setGeometry(TwipsRect(Parked, 0, 9000, OrderPanelHeight, this));
    cmbStatus = NamedControl<QComboBox>("cmbStatus", panel);
    cmbStatus->setEditable(true);
    txtCartNo = NamedControl<QLineEdit>("txtCartNo", panel);
    txtSalesOrderNo = NamedControl<QLineEdit>("txtSalesOrderNo", panel);
    txtCustomerNo = NamedControl<QLineEdit>("txtCustomerNo", panel);
    txtExternalCustomerNo = NamedControl<QLineEdit>("txtExternalCustomerNo", panel);
    // The filters and the buttons beside them share the panel's width: a narrow window narrows the boxes,
    // never lays the buttons over them.
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, TwipsToPixels(60, this), 0);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, TwipsToPixels(60, this), 0, 0);
    const std::pair<const char*, QWidget*> cells[] = {{"Status:", cmbStatus},
                                                      {"Cart #:", txtCartNo},
                                                      {"SalesOrder #:", txtSalesOrderNo},
                                                      {"Customer #:", txtCustomerNo},
                                                      {"External Customer #:", txtExternalCustomerNo}};
    for (QLineEdit* box : {txtCartNo, txtSalesOrderNo, txtCustomerNo, txtExternalCustomerNo})
        box->setMinimumWidth(TwipsToPixels(1200, this)); // room for a ten-digit number at the smallest
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(QLatin1String(cells[i].first), panel), i / 3, (i % 3) * 2, Qt::AlignRight);
        grid->addWidget(cells[i].second, i / 3, (i % 3) * 2 + 1);
        grid->setColumnStretch((i % 3) * 2 + 1, 1);
    }
    grid->setRowStretch(2, 1);
    row->addLayout(grid, 1);
    cmdFind = NamedControl<QPushButton>("cmdFind", QStringLiteral("F&ind Now"), panel);
    cmdNewSearch = NamedControl<QPushButton>("cmdNewSearch", QStringLiteral("Ne&w Search"), panel);
    cmdStop = NamedControl<QPushButton>("cmdStop", QStringLiteral("&Stop"), panel);
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(TwipsToPixels(30, this));
    for (QPushButton* button : {cmdFind, cmdNewSearch, cmdStop}) {
        button->setMinimumWidth(TwipsToPixels(1300, this));
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
    return panel;
}

QWidget* Store::buildCustomerPanel() {
    auto* panel = NamedControl<QWidget>("picSearchCustomer", this);
    panel->setGeometry(TwipsRect(Parked, 0, 9000, CustomerPanelHeight, this));
    tabCustomer = NamedControl<TabStrip>("tabCustomer", panel);
    tabCustomer->setGeometry(TwipsRect(Parked, 0, 2000, 400, this));
    tabCustomer->setEnabled(false);
    tabCustomer->hide();
    cmdCustFind = NamedControl<QPushButton>("cmdCustFind", QStringLiteral("Select Customer"), panel);
    lblCustomerName = NamedControl<QLabel>("lblCustomerName", QStringLiteral("<Select Customer>"), panel);
    lblCustomerNo = NamedControl<QLabel>("lblCustomerNo", panel);
    lblCustomerExternalNo = NamedControl<QLabel>("lblCustomerExternalNo", panel);
    ckbInsertedByStore =
        NamedControl<QCheckBox>("ckbInsertedByStore", QStringLiteral("Inserted By Store"), panel);
    ckbInsertedByStore->setAttribute(Qt::WA_TransparentForMouseEvents);
    ckbInsertedByStore->setFocusPolicy(Qt::NoFocus);
    lblInsertedDate = NamedControl<QLabel>("lblInsertedDate", panel);
    lblLastModified = NamedControl<QLabel>("lblLastModified", panel);
    lblCustomerNo->setProperty("Tag", QStringLiteral("0"));
    lblCustomerExternalNo->setProperty("Tag", QStringLiteral("0"));
    // A long name must not widen the panel beyond the window: it is cut at the panel's edge instead.
    lblCustomerName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, TwipsToPixels(60, this), TwipsToPixels(60, this), 0);
    grid->addWidget(cmdCustFind, 0, 0);
    auto label = [&](const char* text, QWidget* value, int row, int col) {
        grid->addWidget(new QLabel(QLatin1String(text), panel), row, col, Qt::AlignRight);
        grid->addWidget(value, row, col + 1);
    };
    grid->addWidget(new QLabel(QStringLiteral("Full Name:"), panel), 0, 1, Qt::AlignRight);
    grid->addWidget(lblCustomerName, 0, 2, 1, 3);
    label("Number:", lblCustomerNo, 1, 1);
    label("External Number:", lblCustomerExternalNo, 1, 3);
    grid->addWidget(ckbInsertedByStore, 2, 0);
    label("Inserted:", lblInsertedDate, 2, 1);
    label("Modified:", lblLastModified, 2, 3);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(3, 1);
    return panel;
}

// ---- the plug-in contract
// -----------------------------------------------------------------------------------

void Store::Enable() {
    SetControlsEnabled(true);
}

QString Store::ProgID() {
    return QLatin1String(zev::Title) + QStringLiteral(".Store");
}

QString Store::GetApplicationName() {
    return QLatin1String(zev::ProductName);
}

void Store::SetAppServer(const std::shared_ptr<AppServer>& oAppServer) {
    BusyPointer busy;
    try {
        if (!m_appServer)
            m_appServer = oAppServer;
        if (m_appServer) {
            m_error = m_appServer->ErrorObject();
            Enable();
        }
    } catch (const RuntimeError& error) {
        if (m_error)
            m_errors.Report(m_error, QStringLiteral("ApplicationServer"), error);
        else
            MsgBox(QStringLiteral("Error Attempting to Bind Application Server: ") + error.description);
    }
    try {
        if (m_appServer)
            m_appServer->StatusText(QStringLiteral("Ready"));
    } catch (const RuntimeError&) {
    }
}

void Store::Setup() {
    BusyPointer busy;
    m_errors.Guard(m_error, QStringLiteral("ApplicationServer"), [&] {
        if (!m_appServer)
            throw ObjectVariableNotSet();
        if (!m_appServer->HasPermission(QStringLiteral("STORE"), QStringLiteral("STOREADMIN"), QString())) {
            MsgBox(QStringLiteral(
                       "You do not have permission to use Store Maintenance.  Please contact your System "
                       "Administrator to set up appropriate permissions."),
                   MsgBoxStyle::Information, SecurityAlert);
            return false;
        }
        if (m_appServer->SuppressSetup())
            return false;
        if (!m_appServer->UserValidated()) {
            MsgBox(QStringLiteral(
                       "You do not have permission to use Store Maintenance.  Your user id could not be "
                       "validated."),
                   MsgBoxStyle::Information, SecurityAlert);
            return false;
        }
        m_db = m_appServer->GetDBConnection(QString());
        m_maint = std::make_shared<CStoreMaint>();
        m_maint->setAppServer(m_appServer);
        m_listPaste = std::make_shared<ListItemPaste>(m_db, m_error, m_maint);
        LoadSearches(false);
        if (m_db) {
            const Variant stored =
                m_appServer->Settings()->ReadSetting(AppKey, Section, DefaultStoreNo, int16_t(0));
            LoadStores(stored.toInt16());
        }
        return true;
    });
    try {
        for (int i = 0; i < 2; ++i)
            QCoreApplication::processEvents();
        ShowCurrentTab();
        // A clerk starts with the keys on the current store's view, or on the store selector.
        if (m_store)
            FocusView();
        else
            cmbStore->setFocus();
        if (m_appServer)
            m_appServer->StatusText(QStringLiteral("Ready"));
    } catch (const RuntimeError&) {
    }
}

void Store::ShowAbout() {
    frmAbout about;
    ShowModal(&about);
}

void Store::ShutDown() {
    ++m_stopCount; // a view still filling ends
    m_db.reset();
    m_error.reset();
    m_appServer.reset();
    m_maint.reset();
    m_listPaste.reset();
}

void Store::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void Store::Refresh() {
    update();
}

// ---- events of the control's own surface
// --------------------------------------------------------------------

// Mouse events that a child control passed on are not events of the control's own surface.
bool Store::OnSurface(const QMouseEvent* event) const {
    const QPoint point = event->position().toPoint();
    return rect().contains(point) && !childAt(point);
}

void Store::RaiseMouse(void (Store::*signal)(int16_t&, int16_t&, float&, float&), const QMouseEvent* event,
                       Qt::MouseButtons buttons) {
    int16_t button = MouseButtons(buttons);
    int16_t shift = ShiftState(event->modifiers());
    float x = float(PixelsToTwips(int(event->position().x()), this));
    float y = float(PixelsToTwips(int(event->position().y()), this));
    emit(this->*signal)(button, shift, x, y);
}

void Store::mousePressEvent(QMouseEvent* event) {
    if (OnSurface(event))
        RaiseMouse(&Store::MouseDown, event, event->button());
}

void Store::mouseMoveEvent(QMouseEvent* event) {
    if (OnSurface(event))
        RaiseMouse(&Store::MouseMove, event, event->buttons());
}

void Store::mouseReleaseEvent(QMouseEvent* event) {
    if (!OnSurface(event))
        return;
    RaiseMouse(&Store::MouseUp, event, event->button());
    emit Click();
}

void Store::mouseDoubleClickEvent(QMouseEvent* event) {
    if (OnSurface(event))
        emit DblClick();
}

// A key a child control did not use reaches the control too; only keys of its own surface are its events:
// those pressed while the control itself, or nothing inside it, has the focus.
bool Store::OnSurface(QKeyEvent* event) const {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || focus == this || !isAncestorOf(focus))
        return true;
    event->ignore();
    return false;
}

void Store::keyPressEvent(QKeyEvent* event) {
    if (!OnSurface(event))
        return;
    int16_t key = int16_t(event->key() & 0x7fff);
    int16_t shift = ShiftState(event->modifiers());
    emit KeyDown(key, shift);
    if (!event->text().isEmpty()) {
        int16_t ascii = int16_t(event->text().at(0).unicode());
        emit KeyPress(ascii);
    }
}

void Store::keyReleaseEvent(QKeyEvent* event) {
    if (!OnSurface(event))
        return;
    int16_t key = int16_t(event->key() & 0x7fff);
    int16_t shift = ShiftState(event->modifiers());
    emit KeyUp(key, shift);
}
