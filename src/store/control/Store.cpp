#include "store/control/Store.h"

#include "sdk/Format.h"
#include "sdk/RuntimeError.h"
#include "sdk/Version.h"
#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/host/CStoreMaint.h"
#include "store/host/frmAbout.h"
#include "store/records/CStore.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

constexpr int Parked = -20000;
const QString Any = QStringLiteral("<ANY>");
const QString AppKey = QStringLiteral("AppData\\Store");
const QString Section = QStringLiteral("Environment");
const QString DefaultStoreNo = QStringLiteral("DefaultStoreNo");
const QString SecurityAlert = QStringLiteral("Security Alert");

// Panel heights and the frame's height, in twips.
constexpr int FrameHeight = 900;
constexpr int ListPanelHeight = 420;
constexpr int OrderPanelHeight = 1140;
constexpr int CustomerPanelHeight = 1200;

template <typename Widget, typename... Args>
Widget* Named(QWidget* parent, const char* name, Args&&... args) {
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A grid row's text: the cells separated by tabs, built in one allocation.
QString Joined(std::initializer_list<QString> cells) {
    qsizetype size = 0;
    for (const QString& cell : cells)
        size += cell.size() + 1;
    QString row;
    row.reserve(size);
    for (auto cell = cells.begin(); cell != cells.end(); ++cell) {
        if (cell != cells.begin())
            row += QLatin1Char('\t');
        row += *cell;
    }
    return row;
}

int16_t ShiftState(Qt::KeyboardModifiers modifiers) {
    return int16_t((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                   (modifiers & Qt::AltModifier ? 4 : 0));
}

int16_t MouseButtons(Qt::MouseButtons buttons) {
    return int16_t((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                   (buttons & Qt::MiddleButton ? 4 : 0));
}

// A filter text counts only when it holds a number.
bool IsFilter(const QLineEdit* box) {
    return !box->text().isEmpty() && IsNumericText(box->text());
}

} // namespace

Store::Store(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Store"));
    buildFrame();
    QMetaObject::connectSlotsByName(this);
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
    fraStore = Named<QGroupBox>(this, "fraStore", QStringLiteral("Current Store"));
    fraStore->setGeometry(TwipsRect(60, 60, 9000, FrameHeight, this));
    cmbStore = Named<KeyedCombo>(fraStore, "cmbStore");
    cmdAddStore = Named<QPushButton>(fraStore, "cmdAddStore", QStringLiteral("Add"));
    cmdEditStore = Named<QPushButton>(fraStore, "cmdEditStore", QStringLiteral("Edit"));
    cmdDeleteStore = Named<QPushButton>(fraStore, "cmdDeleteStore", QStringLiteral("Delete"));
    auto* storeRow = new QHBoxLayout(fraStore);
    storeRow->setContentsMargins(TwipsToPixels(120, this), TwipsToPixels(60, this), TwipsToPixels(120, this),
                                 TwipsToPixels(60, this));
    storeRow->addWidget(cmbStore, 1);
    storeRow->addWidget(cmdAddStore);
    storeRow->addWidget(cmdEditStore);
    storeRow->addWidget(cmdDeleteStore);
    storeRow->addStretch(1);

    tabStore = Named<TabStrip>(this, "tabStore");
    tabStore->AddTab(QStringLiteral("PRODUCT"), QStringLiteral("Products"));
    tabStore->AddTab(QStringLiteral("LIST"), QStringLiteral("Lists"));
    tabStore->AddTab(QStringLiteral("CUST"), QStringLiteral("Customers"));
    tabStore->AddTab(QStringLiteral("ORDER"), QStringLiteral("Orders"));

    gdData = Named<FlexGrid>(this, "gdData");
    gdData->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    cmdAdd = Named<QPushButton>(this, "cmdAdd", QStringLiteral("Add"));
    cmdEdit = Named<QPushButton>(this, "cmdEdit", QStringLiteral("Edit"));
    cmdDelete = Named<QPushButton>(this, "cmdDelete", QStringLiteral("Delete"));
    picLists = buildListPanel();
    picOrderSearch = buildOrderPanel();
    picSearchCustomer = buildCustomerPanel();
    for (QWidget* widget : std::initializer_list<QWidget*>{gdData, cmdAdd, cmdEdit, cmdDelete, picLists,
                                                           picOrderSearch, picSearchCustomer})
        widget->raise();
}

QWidget* Store::buildListPanel() {
    auto* panel = Named<QWidget>(this, "picLists");
    panel->setGeometry(TwipsRect(Parked, 0, 6000, ListPanelHeight, this));
    cmbList = Named<KeyedCombo>(panel, "cmbList");
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("List:"), panel));
    row->addWidget(cmbList, 1);
    row->addStretch(1);
    return panel;
}

QWidget* Store::buildOrderPanel() {
    auto* panel = Named<QWidget>(this, "picOrderSearch");
    panel->setGeometry(TwipsRect(Parked, 0, 9000, OrderPanelHeight, this));
    cmbStatus = Named<QComboBox>(panel, "cmbStatus");
    cmbStatus->setEditable(true);
    txtCartNo = Named<QLineEdit>(panel, "txtCartNo");
    txtSalesOrderNo = Named<QLineEdit>(panel, "txtSalesOrderNo");
    txtCustomerNo = Named<QLineEdit>(panel, "txtCustomerNo");
    txtExternalCustomerNo = Named<QLineEdit>(panel, "txtExternalCustomerNo");
    auto* fields = new QWidget(panel);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QWidget*> cells[] = {{"Status:", cmbStatus},
                                                      {"Cart #:", txtCartNo},
                                                      {"SalesOrder #:", txtSalesOrderNo},
                                                      {"Customer #:", txtCustomerNo},
                                                      {"External Customer #:", txtExternalCustomerNo}};
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(new QLabel(QLatin1String(cells[i].first), fields), i / 3, (i % 3) * 2,
                        Qt::AlignRight);
        grid->addWidget(cells[i].second, i / 3, (i % 3) * 2 + 1);
    }
    fields->setGeometry(TwipsRect(0, 60, 8200, 720, this));
    cmdFind = Named<QPushButton>(panel, "cmdFind", QStringLiteral("F&ind Now"));
    cmdNewSearch = Named<QPushButton>(panel, "cmdNewSearch", QStringLiteral("Ne&w Search"));
    cmdStop = Named<QPushButton>(panel, "cmdStop", QStringLiteral("&Stop"));
    int top = 0;
    for (QPushButton* button : {cmdFind, cmdNewSearch, cmdStop}) {
        button->setGeometry(TwipsRect(7600, top, 1300, 345, this));
        top += 375;
    }
    return panel;
}

QWidget* Store::buildCustomerPanel() {
    auto* panel = Named<QWidget>(this, "picSearchCustomer");
    panel->setGeometry(TwipsRect(Parked, 0, 9000, CustomerPanelHeight, this));
    tabCustomer = Named<TabStrip>(panel, "tabCustomer");
    tabCustomer->setGeometry(TwipsRect(Parked, 0, 2000, 400, this));
    tabCustomer->setEnabled(false);
    cmdCustFind = Named<QPushButton>(panel, "cmdCustFind", QStringLiteral("Select Customer"));
    lblCustomerName = Named<QLabel>(panel, "lblCustomerName", QStringLiteral("<Select Customer>"));
    lblCustomerNo = Named<QLabel>(panel, "lblCustomerNo");
    lblCustomerExternalNo = Named<QLabel>(panel, "lblCustomerExternalNo");
    ckbInsertedByStore = Named<QCheckBox>(panel, "ckbInsertedByStore", QStringLiteral("Inserted By Store"));
    ckbInsertedByStore->setAttribute(Qt::WA_TransparentForMouseEvents);
    ckbInsertedByStore->setFocusPolicy(Qt::NoFocus);
    lblInsertedDate = Named<QLabel>(panel, "lblInsertedDate");
    lblLastModified = Named<QLabel>(panel, "lblLastModified");
    lblCustomerNo->setProperty("Tag", QStringLiteral("0"));
    lblCustomerExternalNo->setProperty("Tag", QStringLiteral("0"));
    auto* fields = new QWidget(panel);
    auto* grid = new QGridLayout(fields);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(cmdCustFind, 0, 0);
    auto label = [&](const char* text, QWidget* value, int row, int col) {
        grid->addWidget(new QLabel(QLatin1String(text), fields), row, col, Qt::AlignRight);
        grid->addWidget(value, row, col + 1);
    };
    label("Full Name:", lblCustomerName, 0, 1);
    label("Number:", lblCustomerNo, 1, 1);
    label("External Number:", lblCustomerExternalNo, 1, 3);
    grid->addWidget(ckbInsertedByStore, 2, 0);
    label("Inserted:", lblInsertedDate, 2, 1);
    label("Modified:", lblLastModified, 2, 3);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    fields->setGeometry(TwipsRect(0, 60, 8800, 1080, this));
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
    m_db.reset();
    m_error.reset();
    m_appServer.reset();
    m_maint.reset();
}

void Store::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

void Store::Refresh() {
    update();
}

// ---- store selection, tabs and layout
// -----------------------------------------------------------------------

int32_t Store::StoreNo() const {
    return m_store ? m_store->StoreNo() : 0;
}

Variant Store::StoreNoOrNull() const {
    return m_store ? Variant(m_store->StoreNo()) : Variant::Null();
}

void Store::LoadStores(int32_t lDefaultStoreNo) {
    int selected = -1;
    {
        const QSignalBlocker quiet(cmbStore);
        cmbStore->Clear();
        m_errors.Guard(
            m_error, QStringLiteral("LoadStores"),
            [&] {
                StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetStore"));
                if (!call.openRows())
                    return false;
                for (; !call.atEnd(); call.next()) {
                    const int32_t storeNo = call.readLong(QStringLiteral("store_no"));
                    const int index =
                        cmbStore->AddEntry(call.readText(QStringLiteral("Description")), {}, storeNo);
                    if (storeNo == lDefaultStoreNo)
                        selected = index;
                }
                return true;
            },
            m_db ? m_db->NativeConnection() : nullptr);
        cmbStore->setSelectedIndex(-1);
    }
    if (selected >= 0)
        cmbStore->setSelectedIndex(selected);
}

// The user may choose the entry that is already selected: that is a selection too.
void Store::on_cmbStore_activated(int index) {
    on_cmbStore_currentIndexChanged(index);
}

void Store::on_cmbStore_currentIndexChanged(int index) {
    BusyPointer busy;
    try {
        const std::shared_ptr<CStore> previous = m_store;
        const int32_t previousNo = previous ? previous->StoreNo() : 0;
        m_store.reset();
        EnableViews(false);
        if (index < 0)
            return;
        const int32_t storeNo = cmbStore->Number(index);
        if (previousNo != 0 && previousNo == storeNo) {
            m_store = previous;
            EnableViews(true);
            return;
        }
        auto store = std::make_shared<CStore>();
        if (!store->OpenStore(m_db, m_error, storeNo))
            return;
        m_store = store;
        m_appServer->Settings()->WriteSetting(AppKey, Section, DefaultStoreNo, QString::number(storeNo));
        StoreChanged();
    } catch (const RuntimeError&) {
        // a store that cannot be selected leaves no store current
    }
}

void Store::SetControlsEnabled(bool enabled) {
    cmbStore->setEnabled(enabled);
    EnableViews(enabled && m_store);
}

void Store::EnableViews(bool enabled) {
    tabStore->setEnabled(enabled);
    gdData->setEnabled(enabled);
    if (QWidget* panel = PanelOfTab())
        panel->setEnabled(enabled);
}

QString Store::SelectedTabKey() const {
    return tabStore->SelectedKey();
}

bool Store::IsTab(const char* key) const {
    return SelectedTabKey().compare(QLatin1String(key), Qt::CaseInsensitive) == 0;
}

QWidget* Store::PanelOfTab() const {
    if (IsTab("CUST"))
        return picSearchCustomer;
    if (IsTab("LIST"))
        return picLists;
    if (IsTab("ORDER"))
        return picOrderSearch;
    return nullptr;
}

void Store::StoreChanged() {
    try {
        gdData->setRows(1);
        gdData->update();
        if (m_store) {
            LoadSearches(false);
            EnableViews(true);
        }
    } catch (const RuntimeError&) {
    }
    ShowCurrentTab();
}

void Store::ShowCurrentTab() {
    for (QWidget* panel : {picOrderSearch, picLists, picSearchCustomer}) {
        panel->move(TwipsToPixels(Parked, this), panel->y());
        panel->setEnabled(false);
    }
    tabCustomer->move(TwipsToPixels(Parked, this), tabCustomer->y());
    tabCustomer->setEnabled(false);
    for (QPushButton* button : {cmdEdit, cmdAdd, cmdDelete})
        button->hide();
    PlaceGrid(300 + 120, -400 - 120);
    try {
        if (IsTab("PRODUCT") || IsTab("LIST")) {
            for (QPushButton* button : {cmdAdd, cmdDelete, cmdEdit})
                button->show();
        }
        if (IsTab("PRODUCT"))
            DisplayProducts(true);
        else if (IsTab("LIST"))
            DisplayLists();
        else if (IsTab("CUST"))
            DisplayCustomers();
        else if (IsTab("ORDER"))
            DisplayOrders();
    } catch (const RuntimeError&) {
    }
    LayoutControls();
}

// The grid inside the tab strip: top and height given in twips relative to the strip's top and height.
void Store::PlaceGrid(int topTwips, int heightTwips) {
    const QRect tab = tabStore->geometry();
    gdData->setGeometry(tab.left() + TwipsToPixels(120, this), tab.top() + TwipsToPixels(topTwips, this),
                        tab.width() - TwipsToPixels(240, this),
                        tab.height() + TwipsToPixels(heightTwips, this));
}

void Store::ShowPanel(QWidget* panel) {
    panel->move(TwipsToPixels(120, this), panel->y());
    panel->setEnabled(true);
}

void Store::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

void Store::LayoutControls() {
    auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    const int w = width();
    const int h = height();
    fraStore->setGeometry(px(60), px(60), std::max(0, w - px(120)), fraStore->height());
    tabStore->setGeometry(px(60), fraStore->y() + fraStore->height() + px(30), std::max(0, w - px(120)),
                          std::max(0, h - fraStore->height() - px(180)));
    const QRect tab = tabStore->geometry();
    cmdDelete->move(tab.left() + tab.width() - cmdDelete->width() - px(120),
                    tab.top() + tab.height() - cmdAdd->height() - px(120));
    cmdAdd->move(cmdDelete->x() - cmdAdd->width() - px(60), cmdDelete->y());
    cmdEdit->move(cmdAdd->x() - cmdEdit->width() - px(60), cmdDelete->y());
    const int panelTop = tab.top() + px(420);
    for (QWidget* panel : {picOrderSearch, picSearchCustomer, picLists})
        panel->setGeometry(panel->x(), panelTop, std::max(0, tab.width() - px(240)), panel->height());
    const int buttonLeft = picOrderSearch->width() - cmdFind->width() - px(60);
    for (QPushButton* button : {cmdFind, cmdNewSearch, cmdStop})
        button->move(buttonLeft, button->y());

    QRect area(tab.left() + px(120), tab.top() + px(300 + 120), tab.width() - px(240),
               tab.height() - px(400 + 120));
    auto below = [&](QWidget* panel, int less) {
        area.setTop(panel->y() + panel->height() + px(60));
        area.setHeight(tab.height() - px(400 + 120) - panel->height() - px(240) - less);
    };
    if (IsTab("ORDER"))
        below(picOrderSearch, 0);
    else if (IsTab("PRODUCT"))
        area.setHeight(area.height() - px(120));
    else if (IsTab("LIST"))
        below(picLists, cmdAdd->height() + px(60));
    else if (IsTab("CUST"))
        below(picSearchCustomer, 0);
    area.setHeight(std::max(0, area.height()));
    gdData->setGeometry(area);
}

// ---- shared grid helpers
// ------------------------------------------------------------------------------------

void Store::ResetGrid(const QString& formatString) {
    gdData->setRedraw(false);
    gdData->setEnabled(true);
    gdData->setRows(1);
    gdData->setCols(1);
    gdData->setFormatString(formatString);
    gdData->setOutlineBar(false);
}

void Store::Load(const QString& operation, const std::function<void()>& body) {
    m_errors.Guard(
        m_error, operation,
        [&] {
            body();
            return true;
        },
        m_db ? m_db->NativeConnection() : nullptr);
    gdData->setRedraw(true);
}

// ---- product and list views
// ---------------------------------------------------------------------------------

void Store::LoadSearches(bool bListsOnly) {
    const QSignalBlocker quiet(cmbList);
    m_errors.Guard(
        m_error, QStringLiteral("LoadSearches"),
        [&] {
            if (!bListsOnly) {
                cmbStatus->clear();
                cmbStatus->addItem(Any);
                cmbStatus->setCurrentText(Any);
                StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetOrderStatus"));
                call.set(QStringLiteral("@store_no"), StoreNoOrNull());
                if (call.openRows())
                    for (; !call.atEnd(); call.next())
                        cmbStatus->addItem(call.readText(QStringLiteral("status_id")));
            }
            if (IsTab("LIST"))
                gdData->setRows(1);
            cmbList->Clear();
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetLists"));
            call.set(QStringLiteral("@store_no"), StoreNoOrNull());
            if (call.openRows())
                for (; !call.atEnd(); call.next())
                    cmbList->AddEntry(call.readText(QStringLiteral("Description")),
                                      QLatin1Char('\'') + call.readText(QStringLiteral("list_id")));
            cmbList->setSelectedIndex(-1);
            return true;
        },
        m_db ? m_db->NativeConnection() : nullptr);
}

void Store::DisplayProducts(bool bCollapse) {
    ResetGrid(QStringLiteral("Product Group|Product|Type|Product Name"));
    PlaceGrid(300 + 120, -400 - 240);
    gdData->setOutlineCol(0);
    gdData->setOutlineBar(true);
    Load(QStringLiteral("DisplayProducts"), [&] {
        if (m_store) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetProduct"));
            call.set(QStringLiteral("@store_no"), m_store->StoreNo());
            int32_t previousGroup = 0;
            if (call.openRows()) {
                for (; !call.atEnd(); call.next()) {
                    const int32_t productNo = call.readLong(QStringLiteral("product_no"));
                    const Variant group = call.column(QStringLiteral("product_group_no"));
                    const int32_t groupNo = NullToZero(group).toInt32();
                    gdData->AddItem(
                        Joined({group.toText() + QLatin1Char(' ') +
                                    call.readText(QStringLiteral("group_description")),
                                QString::number(productNo), call.readText(QStringLiteral("product_type")),
                                call.readText(QStringLiteral("product_name"))}));
                    const int32_t row = gdData->Rows() - 1;
                    gdData->setRowData(row, productNo);
                    gdData->setIsSubtotal(row, groupNo != previousGroup);
                    gdData->setRowOutlineLevel(row, 0);
                    previousGroup = groupNo;
                }
            }
        }
        gdData->setRowBold(0, true);
        gdData->AutoSize();
        if (bCollapse)
            gdData->Outline(0);
    });
}

void Store::DisplayLists() {
    ShowPanel(picLists);
    ResetGrid(QStringLiteral("Seq #|Product #|Item Seq #|Product Name|Price #|Price"));
    gdData->setRowBold(0, true);
    gdData->setColFormat(5, QStringLiteral("Currency"));
    LayoutControls();
    gdData->AutoSize();
    gdData->setRedraw(true);
    if (cmbList->SelectedIndex() >= 0)
        LoadListItems();
    else if (cmbList->count() > 0)
        cmbList->setSelectedIndex(0);
}

void Store::on_cmbList_currentIndexChanged(int) {
    LoadListItems();
}

void Store::LoadListItems() {
    gdData->setRedraw(false);
    Load(QStringLiteral("LoadListItems"), [&] {
        if (IsTab("LIST"))
            gdData->setRows(1);
        const QString listId = cmbList->SelectedKey().mid(1);
        if (!listId.isEmpty()) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetListItems"));
            call.set(QStringLiteral("@store_no"), StoreNoOrNull()).set(QStringLiteral("@list_id"), listId);
            if (call.openRows())
                for (; !call.atEnd(); call.next())
                    gdData->AddItem(Joined({call.readText(QStringLiteral("seq_no")),
                                            call.readText(QStringLiteral("product_no")),
                                            call.readText(QStringLiteral("product_item_seq_no")),
                                            call.readText(QStringLiteral("product_item_name")),
                                            NullToZero(call.column(QStringLiteral("price_no"))).toText(),
                                            NullToZero(call.column(QStringLiteral("Price"))).toText()}));
        }
        gdData->AutoSize();
    });
}

// ---- order and customer views
// -------------------------------------------------------------------------------

void Store::DisplayOrders() {
    ShowPanel(picOrderSearch);
    Load(QStringLiteral("DisplayOrders"), [&] {
        ResetGrid(
            QStringLiteral("Cart No|Inserted|Status|Sales Order|Customer #|Ext. Customer #|Notify Email"));
        gdData->setColFormat(1, QStringLiteral("MM/DD/YYYY hh:nn AMPM"));
        LayoutControls();
        gdData->setRowBold(0, true);
        gdData->AutoSize();
    });
}

void Store::on_cmdFind_clicked() {
    FindOrders();
}

void Store::FindOrders() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindOrders"), [&] {
        gdData->setRows(1);
        StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetOrders"));
        call.set(QStringLiteral("@store_no"), StoreNoOrNull());
        const QString status = cmbStatus->currentText();
        call.set(QStringLiteral("@status_id"),
                 status.compare(Any, Qt::CaseInsensitive) == 0 ? Variant::Null() : Variant(status));
        if (IsFilter(txtCartNo))
            call.set(QStringLiteral("@shopping_cart_no"), Variant(txtCartNo->text()).toDouble());
        const std::pair<const char*, QLineEdit*> numbers[] = {
            {"@salesorder_no", txtSalesOrderNo},
            {"@customer_no", txtCustomerNo},
            {"@external_customer_no", txtExternalCustomerNo}};
        for (const auto& [parameter, box] : numbers)
            if (IsFilter(box))
                call.set(QLatin1String(parameter), Variant(box->text()).toInt32());
        if (call.openRows()) {
            for (; !call.atEnd(); call.next())
                gdData->AddItem(Joined({call.readText(QStringLiteral("shopping_cart_no")),
                                        call.readText(QStringLiteral("inserted_datetime")),
                                        call.readText(QStringLiteral("status_id")),
                                        call.readText(QStringLiteral("salesorder_no")),
                                        call.readText(QStringLiteral("customer_no")),
                                        call.readText(QStringLiteral("external_customer_no")),
                                        call.readText(QStringLiteral("notify_email_address"))}));
        }
        gdData->AutoSize();
    });
}

void Store::on_cmdNewSearch_clicked() {
    cmbStatus->setCurrentText(Any);
    for (QLineEdit* box : {txtCartNo, txtSalesOrderNo, txtCustomerNo, txtExternalCustomerNo})
        box->clear();
    gdData->setRows(1);
}

void Store::on_cmdStop_clicked() {
    m_stopRequested = true;
}

void Store::DisplayCustomers() {
    ShowPanel(picSearchCustomer);
    ResetGrid(QStringLiteral("Log No|Log Date Time|Customer No| External Customer No"));
    gdData->setColFormat(1, QStringLiteral("mm/dd/yyyy hh:mm ampm"));
    gdData->setRowBold(0, true);
    LayoutControls();
    gdData->AutoSize();
    gdData->setRedraw(true);
    FindCustomerLogs();
}

void Store::on_cmdCustFind_clicked() {
    FindCustomer();
}

void Store::ResetCustomerPanel() {
    for (QLabel* label :
         {lblCustomerName, lblCustomerNo, lblCustomerExternalNo, lblLastModified, lblInsertedDate})
        label->clear();
    lblCustomerNo->setProperty("Tag", QStringLiteral("0"));
    lblCustomerExternalNo->setProperty("Tag", QStringLiteral("0"));
    ckbInsertedByStore->setChecked(false);
}

void Store::FindCustomer() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindCustomer"), [&] {
        gdData->setRows(1);
        ResetCustomerPanel();
        const int32_t storeNo = StoreNo();
        if (!m_appServer)
            throw ObjectVariableNotSet();
        const std::shared_ptr<CustomerPicker> picker = m_appServer->CustomerLookup();
        if (!picker)
            throw ObjectVariableNotSet();
        bool cancelled = false;
        const std::shared_ptr<Customer> customer =
            picker->SelectCustomer(nullptr, m_db, m_error, cancelled, false, true);
        if (cancelled || !customer)
            return;
        const int32_t customerNo = customer->CustomerNo().toInt32();
        const QString fullName = customer->FullName();
        lblCustomerName->setText(
            fullName.isEmpty() ? customer->FirstName() + QLatin1Char(' ') + customer->LastName() : fullName);
        lblCustomerNo->setText(QString::number(customerNo));
        lblCustomerNo->setProperty("Tag", QString::number(customerNo));
        lblCustomerExternalNo->setText(QStringLiteral("<Not Found In Store>"));
        {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetStoreCustomer"));
            call.set(QStringLiteral("@store_no"), storeNo).set(QStringLiteral("@customer_no"), customerNo);
            if (call.openRows() && !call.atEnd()) {
                const Variant external = call.column(QStringLiteral("external_customer_no"));
                if (!external.isNull()) {
                    const QString number = QString::number(external.toInt32());
                    lblCustomerExternalNo->setText(number);
                    lblCustomerExternalNo->setProperty("Tag", number);
                }
                ckbInsertedByStore->setChecked(call.readBool(QStringLiteral("inserted_by_store")));
                const Variant modified = call.column(QStringLiteral("modified_datetime"));
                if (!modified.isNull())
                    lblLastModified->setText(Format(modified, QStringLiteral("mm/dd/yyyy")));
                const Variant inserted = call.column(QStringLiteral("inserted_datetime"));
                if (!inserted.isNull())
                    lblInsertedDate->setText(Format(inserted, QStringLiteral("mm/dd/yyyy")));
            }
        }
        FindCustomerLogs();
    });
}

void Store::FindCustomerLogs() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindCustomerLogs"), [&] {
        gdData->setRows(1);
        const QString tag = lblCustomerNo->property("Tag").toString();
        const int32_t customerNo = !tag.isEmpty() && IsNumericText(tag) ? Variant(tag).toInt32() : 0;
        if (customerNo != 0) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetCustomerLogs"));
            call.set(QStringLiteral("@customer_no"), customerNo);
            if (call.openRows())
                for (; !call.atEnd(); call.next())
                    gdData->AddItem(Joined({call.readText(QStringLiteral("log_no")),
                                            call.readText(QStringLiteral("log_datetime")),
                                            call.readText(QStringLiteral("customer_no")),
                                            call.readText(QStringLiteral("external_customer_no"))}));
        }
        gdData->AutoSize();
    });
}

void Store::on_gdData_DblClick() {
    try {
        const int32_t row = gdData->Row();
        if (row <= 0 || gdData->Rows() <= 1 || !m_maint)
            return;
        const double number = Variant(gdData->TextMatrix(row, 0)).toDouble();
        if (IsTab("ORDER") && m_store)
            m_maint->DisplayOrderDetail(m_store->StoreNo(), number);
        else if (IsTab("CUST"))
            m_maint->DisplayCustomerLogDetail(number);
    } catch (const RuntimeError&) {
        // a row without a number opens nothing
    }
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

void Store::keyPressEvent(QKeyEvent* event) {
    int16_t key = int16_t(event->key() & 0x7fff);
    int16_t shift = ShiftState(event->modifiers());
    emit KeyDown(key, shift);
    if (!event->text().isEmpty()) {
        int16_t ascii = int16_t(event->text().at(0).unicode());
        emit KeyPress(ascii);
    }
}

void Store::keyReleaseEvent(QKeyEvent* event) {
    int16_t key = int16_t(event->key() & 0x7fff);
    int16_t shift = ShiftState(event->modifiers());
    emit KeyUp(key, shift);
}
