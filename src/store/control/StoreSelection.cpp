#include "store/control/Store.h"

#include "sdk/RuntimeError.h"
#include "store/control/GridFill.h"
#include "store/control/StoreShared.h"
#include "store/data/StoredProcedureCall.h"
#include "store/records/CStore.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"
#include "widgets/Twips.h"

#include <QGroupBox>
#include <QPushButton>
#include <QScopeGuard>
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

void Store::FillGrid(StoredProcedureCall& call, const std::function<void()>& addRow) {
    if (m_stopShown) {
        m_stopShown = false;
        ShowStatus(QStringLiteral("Ready"));
    }
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
    if (call.openRows() && !fill.Run(call, addRow)) {
        m_stopShown = true;
        ShowStatus(QStringLiteral("Stopped: %1 rows found").arg(fill.RowsAdded()));
    }
    fill.SizeColumns();
}

bool Store::Deferred(std::function<void()> command) {
    if (!m_filling)
        return false;
    ++m_stopCount;
    m_deferred.push_back(std::move(command));
    return true;
}

void Store::ShowStatus(const QString& text) {
    try {
        if (m_appServer)
            m_appServer->StatusText(text);
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
