#include "store/control/Store.h"

#include "sdk/RuntimeError.h"
#include "store/control/GridFill.h"
#include "store/control/StoreShared.h"
#include "store/data/StoredProcedureCall.h"
#include "store/records/CStore.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <utility>

// Store selection, the tab strip and the layout of the control.

using namespace StoreShared;

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
    if (Deferred([this, index] { on_cmbStore_currentIndexChanged(index); }))
        return;
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
    mnuToolCheckStore->setEnabled(enabled);
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
    if (Deferred([this] { ShowCurrentTab(); }))
        return;
    // Each view starts unfiltered.
    picFilter->txtFilter->clear();
    // Parked panels are hidden too: a wide window would otherwise reach one parked to the left.
    for (QWidget* panel : {picOrderSearch, picLists, picSearchCustomer}) {
        panel->move(TwipsToPixels(Parked, this), panel->y());
        panel->setEnabled(false);
        panel->hide();
    }
    tabCustomer->move(TwipsToPixels(Parked, this), tabCustomer->y());
    tabCustomer->setEnabled(false);
    tabCustomer->hide();
    for (QPushButton* button : {cmdEdit, cmdAdd, cmdDelete})
        button->hide();
    ClearFound();
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
    panel->show();
}

void Store::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayoutControls();
}

// The views' panels and grid start below the tabs, however tall the style draws them.
int Store::ViewTop() const {
    return std::max(TwipsToPixels(300 + 120, this), tabStore->ClientRect().top() + TwipsToPixels(60, this));
}

// A panel is never lower than its controls need.
static int PanelHeight(const QWidget* panel) {
    return std::max(panel->height(), panel->minimumSizeHint().height());
}

void Store::LayoutControls() {
    auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    const int w = width();
    const int h = height();
    fraStore->setGeometry(px(60), px(60), std::max(0, w - px(120)),
                          std::max(fraStore->height(), fraStore->minimumSizeHint().height()));
    tabStore->setGeometry(px(60), fraStore->y() + fraStore->height() + px(30), std::max(0, w - px(120)),
                          std::max(0, h - fraStore->height() - px(180)));
    const QRect tab = tabStore->geometry();
    cmdDelete->move(tab.left() + tab.width() - cmdDelete->width() - px(120),
                    tab.top() + tab.height() - cmdAdd->height() - px(120));
    cmdAdd->move(cmdDelete->x() - cmdAdd->width() - px(60), cmdDelete->y());
    cmdEdit->move(cmdAdd->x() - cmdEdit->width() - px(60), cmdDelete->y());
    const int viewTop = ViewTop();
    const int panelTop = tab.top() + viewTop;
    for (QWidget* panel : {picOrderSearch, picSearchCustomer, picLists})
        panel->setGeometry(panel->x(), panelTop, std::max(0, tab.width() - px(240)), PanelHeight(panel));

    QRect area(tab.left() + px(120), tab.top() + viewTop, tab.width() - px(240),
               tab.height() - viewTop - px(100));
    auto below = [&](QWidget* panel) {
        area.setTop(panel->y() + panel->height() + px(60));
        area.setBottom(tab.bottom() - px(280));
    };
    if (IsTab("ORDER"))
        below(picOrderSearch);
    else if (IsTab("LIST"))
        below(picLists);
    else if (IsTab("CUST"))
        below(picSearchCustomer);
    // The buttons under the grid have a row of their own.
    if (IsTab("PRODUCT") || IsTab("LIST"))
        area.setBottom(cmdAdd->y() - px(60) - 1);
    // The quick filter sits right above the grid.
    const int filterHeight = picFilter->sizeHint().height();
    picFilter->setGeometry(area.left(), area.top(), area.width(), filterHeight);
    area.setTop(area.top() + filterHeight + px(30));
    area.setHeight(std::max(0, area.height()));
    gdData->setGeometry(area);
}

// The smallest size at which every control of every view shows whole, with a few rows of the grid.
QSize Store::minimumSizeHint() const {
    auto px = [this](int twips) { return TwipsToPixels(twips, this); };
    const int buttons =
        cmdEdit->sizeHint().width() + cmdAdd->sizeHint().width() + cmdDelete->sizeHint().width() + px(2 * 60);
    int width = std::max(fraStore->minimumSizeHint().width(), tabStore->tabBar()->sizeHint().width());
    int panels = buttons;
    int tallestPanel = 0;
    for (const QWidget* panel : {picOrderSearch, picSearchCustomer, picLists}) {
        panels = std::max(panels, panel->minimumSizeHint().width());
        tallestPanel = std::max(tallestPanel, PanelHeight(panel) + px(60));
    }
    width = std::max(width, panels + px(240)) + px(120);
    const int gridRows = gdData->verticalHeader()->defaultSectionSize() * 5 + 2 * gdData->frameWidth() +
                         picFilter->sizeHint().height() + px(30);
    const int buttonRow = cmdAdd->sizeHint().height() + px(60 + 120);
    // Below the panels: the grid and the strip's margin; the list view has the button row as well.
    const int views = ViewTop() + std::max(tallestPanel + gridRows + px(280),
                                           PanelHeight(picLists) + px(60) + gridRows + buttonRow);
    const int height = std::max(fraStore->height(), fraStore->minimumSizeHint().height()) + px(180) + views;
    return {width, height};
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
    // The product view keeps its groups and the list view its sequence, from which a new entry's number is
    // taken: only the order and customer log views sort by a clicked column.
    gdData->setSortable(false);
    gdData->setPasteable(false);
}

int32_t Store::FillGrid(StoredProcedureCall& call, const std::function<void()>& addRow) {
    ClearFound();
    GridFill fill(gdData, m_stopCount);
    m_filling = true;
    const auto filled = qScopeGuard([this] {
        m_filling = false;
        if (!m_deferred.empty())
            QMetaObject::invokeMethod(
                this,
                [this] {
                    for (const auto& command : std::exchange(m_deferred, {}))
                        command();
                },
                Qt::QueuedConnection);
    });
    int32_t found = -1;
    if (call.openRows()) {
        if (fill.Run(call, addRow)) {
            found = fill.RowsAdded();
        } else {
            m_foundShown = true;
            ShowStatus(QStringLiteral("Stopped: %1 rows found").arg(fill.RowsAdded()));
        }
    }
    fill.SizeColumns();
    return found;
}

void Store::ShowFound(int32_t rows, const QString& noneFound) {
    if (rows < 0)
        return;
    m_foundShown = true;
    if (rows == 0 && !noneFound.isEmpty())
        ShowStatus(noneFound);
    else
        ShowStatus(rows == 1 ? QStringLiteral("1 row found") : QStringLiteral("%1 rows found").arg(rows));
}

void Store::ClearFound() {
    if (m_foundShown) {
        m_foundShown = false;
        ShowStatus(QStringLiteral("Ready"));
    }
}

bool Store::Deferred(std::function<void()> command) {
    if (!m_filling)
        return false;
    ++m_stopCount;
    m_deferred.push_back(std::move(command));
    return true;
}

void Store::ShowStatus(const QString& text) {
    m_status = text;
    try {
        if (m_appServer)
            m_appServer->StatusText(text);
    } catch (const RuntimeError&) {
    }
}

void Store::ShowFilterCount(const QString& text) {
    try {
        if (m_appServer)
            m_appServer->StatusText(text.isEmpty() ? m_status : text);
    } catch (const RuntimeError&) {
    }
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
