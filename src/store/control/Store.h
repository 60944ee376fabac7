#pragma once

#include "sdk/Implements.h"
#include "store/data/ErrorState.h"
#include "store/viewers/StoreCheck.h"

#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class CListItem;
class CProduct;
class CStore;
class CStoreMaint;
class FlexGrid;
class GridFilterBox;
class KeyedCombo;
class ListItemPaste;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QAction;
class QMenu;
class QPushButton;
class StoredProcedureCall;
class TabStrip;

// The Store Maintenance control the host embeds: the store selector, four views of the current store
// (products, lists, customers, orders) in one shared grid, and the order and customer searches.
class Store : public QWidget, public Implements {
    Q_OBJECT
public:
    explicit Store(QWidget* parent = nullptr);
    ~Store() override;

    // The host's plug-in contract.
    void Enable() override;
    QString ProgID() override;
    void SetAppServer(const std::shared_ptr<AppServer>& oAppServer) override;
    void ShowAbout() override;
    void Setup() override;
    QString GetApplicationName() override;
    void ShutDown() override;

    // The control's own members.
    bool Enabled() const { return isEnabled(); }
    void setEnabled(bool enabled);
    void Refresh();
    QSize minimumSizeHint() const override;
    void setErrorObject(const std::shared_ptr<::ErrorObject>& errorObject) { m_error = errorObject; }
    void setDBConnection(const std::shared_ptr<::DBConnection>& db) { m_db = db; }

    const ErrorState& Errors() const { return m_errors; }
    const std::shared_ptr<CStore>& CurrentStore() const { return m_store; }
    bool StopRequested() const { return m_stopRequested; }
    // The control's keys, one "keys<tab>what they do" line each, for the host's list of shortcuts; the
    // control also carries them as its "KeyboardShortcuts" property.
    static QStringList KeyboardShortcuts();

    // Controls, named as the forms name them.
    QGroupBox* fraStore;
    KeyedCombo* cmbStore;
    QPushButton* cmdAddStore;
    QPushButton* cmdEditStore;
    QPushButton* cmdDeleteStore;
    TabStrip* tabStore;
    GridFilterBox* picFilter; // the quick filter above the grid
    FlexGrid* gdData;
    QPushButton* cmdAdd;
    QPushButton* cmdEdit;
    QPushButton* cmdDelete;
    QWidget* picLists;
    KeyedCombo* cmbList;
    QWidget* picOrderSearch;
    QComboBox* cmbStatus;
    QLineEdit* txtCartNo;
    QLineEdit* txtSalesOrderNo;
    QLineEdit* txtCustomerNo;
    QLineEdit* txtExternalCustomerNo;
    QPushButton* cmdFind;
    QPushButton* cmdNewSearch;
    QPushButton* cmdStop;
    QWidget* picSearchCustomer;
    TabStrip* tabCustomer;
    QPushButton* cmdCustFind;
    QLabel* lblCustomerName;
    QLabel* lblCustomerNo;
    QLabel* lblCustomerExternalNo;
    QCheckBox* ckbInsertedByStore;
    QLabel* lblInsertedDate;
    QLabel* lblLastModified;
    // The control's "Tools" menu, which the host shows among its own.
    QMenu* mnuTools;
    QAction* mnuToolSpecialOffer;
    // "Check Store...", enabled while a store is current.
    QAction* mnuToolCheckStore;
    // "Export..." of the grid, which the host offers in its File menu.
    QAction* mnuFileExport;

signals:
    void OkClick();
    void CancelClick();
    void Click();
    void DblClick();
    void KeyDown(int16_t& KeyCode, int16_t& Shift);
    void KeyPress(int16_t& KeyAscii);
    void KeyUp(int16_t& KeyCode, int16_t& Shift);
    void MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y);
    void MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y);
    // A property of the control changed ("Enabled").
    void PropertyChanged(const QString& name);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private slots:
    void on_cmbStore_currentIndexChanged(int index);
    void on_cmbStore_activated(int index);
    void on_cmbList_currentIndexChanged(int index);
    void on_cmdFind_clicked();
    void on_cmdNewSearch_clicked();
    void on_cmdStop_clicked();
    void on_cmdCustFind_clicked();
    void on_gdData_DblClick();
    void on_cmdAddStore_clicked();
    void on_cmdEditStore_clicked();
    void on_cmdDeleteStore_clicked();
    void on_cmdAdd_clicked();
    void on_cmdEdit_clicked();
    void on_cmdDelete_clicked();
    void on_mnuToolSpecialOffer_triggered();
    void on_mnuToolCheckStore_triggered();

private:
    bool OnSurface(const QMouseEvent* event) const;
    bool OnSurface(QKeyEvent* event) const;
    void RaiseMouse(void (Store::*signal)(int16_t&, int16_t&, float&, float&), const QMouseEvent* event,
                    Qt::MouseButtons buttons);
    void buildFrame();
    void SetUpKeys();
    void FocusView();
    QWidget* buildListPanel();
    QWidget* buildOrderPanel();
    QWidget* buildCustomerPanel();

    // Store selection, tabs and layout.
    void LoadStores(int32_t lDefaultStoreNo);
    void SetControlsEnabled(bool enabled);
    void EnableViews(bool enabled);
    void StoreChanged();
    void ShowCurrentTab();
    void LayoutControls();
    int ViewTop() const;
    QString SelectedTabKey() const;
    bool IsTab(const char* key) const;
    QWidget* PanelOfTab() const;

    // Product and list views.
    void LoadSearches(bool bListsOnly);
    void DisplayProducts(bool bCollapse);
    void DisplayLists();
    void LoadListItems();

    // Order and customer views.
    void DisplayOrders();
    void FindOrders();
    void DisplayCustomers();
    void FindCustomer();
    void FindCustomerLogs();
    void ResetCustomerPanel();
    void OpenDetail();

    // Commands: the editors, each returning whether the user confirmed.
    // The editors open on the tab given, else on their first.
    bool EditStoreDialog(CStore& store, const QString& tab = {});
    void EditSelectedStore(const QString& tab = {});
    QString StoredDescription(int32_t storeNo) const;
    QString ShownDescription(const CStore& edited, bool confirmed) const;
    bool EditProduct(CProduct& product, const QString& tab = {});
    bool EditListItem(CListItem& item);
    bool StoreSelected() const;
    QString SelectedListId() const;
    void SelectProductRow(int32_t productNo);
    void AddProduct();
    void AddListItem();
    static QString ListItemRow(const CListItem& item);
    void EditCurrentRow();
    void EditProductRow();
    void EditListItemRow();
    void DeleteProductRow();
    void DeleteListItemRow();
    void PasteListItems(const QList<QStringList>& rows);
    void UndoListPaste();

    // Check Store: a finding's record opened in its editor, and the view brought up to date after it.
    void OpenFinding(const StoreCheck::Finding& found);
    void OpenProductItem(const StoreCheck::Finding& found);
    void OpenSellLink(const StoreCheck::Finding& found);

    // Shared grid helpers.
    void ResetGrid(const QString& formatString);
    void PlaceGrid(int topTwips, int heightTwips);
    void ShowPanel(QWidget* panel);
    // Runs a loading operation under its report name; the grid repaints at the end whatever happened.
    void Load(const QString& operation, const std::function<void()>& body);
    // Fills the grid from the call's rows while the window stays alive, then sizes its columns; "&Stop" ends
    // the fill with the rows so far and says so in the status line. The rows found, or -1 when stopped.
    int32_t FillGrid(StoredProcedureCall& call, const std::function<void()>& addRow);
    // Says in the status line how many rows a search found, or noneFound when it found none; a stopped
    // search has said what it found already.
    void ShowFound(int32_t rows, const QString& noneFound = {});
    // The status line back to "Ready" once the view it spoke of has gone.
    void ClearFound();
    // While the grid is filling: ends the fill and keeps the command for right after it (true); else false.
    bool Deferred(std::function<void()> command);
    void ShowStatus(const QString& text);
    // The filter's "N of M rows" in the status line while a filter is set, else what was there before.
    void ShowFilterCount(const QString& text);
    // The current store's number, 0 when none.
    int32_t StoreNo() const;
    // Null when no store is current.
    Variant StoreNoOrNull() const;

    std::shared_ptr<AppServer> m_appServer;
    std::shared_ptr<::ErrorObject> m_error;
    std::shared_ptr<::DBConnection> m_db;
    std::shared_ptr<CStore> m_store;
    std::shared_ptr<CStoreMaint> m_maint;
    std::shared_ptr<ListItemPaste> m_listPaste;
    ErrorState m_errors{QStringLiteral("Store")};
    bool m_stopRequested = false;
    // Each "&Stop" counts; a fill ends when the count moves on from where it started.
    int m_stopCount = 0;
    bool m_filling = false;
    // The status line speaks of the grid's rows.
    bool m_foundShown = false;
    QString m_status; // the status line's text, apart from the filter's count
    std::vector<std::function<void()>> m_deferred;
};
