#include "store/control/Store.h"

#include "widgets/FlexGrid.h"
#include "widgets/GridFilterBox.h"
#include "widgets/GridKeys.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>

// The control's keys, for clerks who work without the mouse: the grid's command keys, Ctrl+Tab between the
// views, Enter on a focused button and in the order filters, and a tab order that follows the screen.

namespace {

const char* const Shortcuts[][2] = {
    {"Tab, Shift+Tab", "Next or previous control; Tab leaves a grid for the buttons under it"},
    {"Ctrl+Tab, Ctrl+Shift+Tab", "Next or previous view: Products, Lists, Customers, Orders"},
    {"Enter, F2 (in a grid)",
     "Edit the product, list item, product item or link; show the order or customer log entry"},
    {"Delete (in a grid)", "Delete the product, list item, product item or link, after the usual question"},
    {"Insert, Ctrl+N (in a grid)", "Add a product, list item, product item or link"},
    {"Click on a column title", "Sort the orders, log entries or a picker's rows; again the other way, a "
                                "third time back"},
    {"Arrow keys, Page Up, Page Down, Home, End", "Move the grid's current row"},
    {"Ctrl+C (in a grid)", "Copy the selected rows"},
    {"Ctrl+F", "Filter the grid: only the rows holding the typed text show"},
    {"Esc (in the filter)", "Empty the filter and show every row again"},
    {"Enter (in an order filter)", "Find Now"},
    {"Alt+I, Alt+W, Alt+S", "Find Now, New Search, Stop"},
    {"Enter, Space (on a button)", "Press the button"},
};

} // namespace

QStringList Store::KeyboardShortcuts() {
    QStringList lines;
    for (const auto& [keys, what] : Shortcuts)
        lines << QLatin1String(keys) + QLatin1Char('\t') + QLatin1String(what);
    return lines;
}

// The keys go on where the view's work starts: its first filter, or the grid.
void Store::FocusView() {
    QWidget* first = gdData;
    if (IsTab("LIST"))
        first = cmbList;
    else if (IsTab("ORDER"))
        first = cmbStatus;
    else if (IsTab("CUST"))
        first = cmdCustFind;
    if (first->isEnabled())
        first->setFocus(Qt::TabFocusReason);
}

void Store::SetUpKeys() {
    GridKeys::Attach(gdData, {[this] { on_gdData_DblClick(); },
                              [this] {
                                  if (!cmdDelete->isHidden())
                                      cmdDelete->click();
                              },
                              [this] {
                                  if (!cmdAdd->isHidden())
                                      cmdAdd->click();
                              }});

    auto stepTab = [this](int step) {
        const int count = tabStore->Count();
        if (!tabStore->isEnabled() || count == 0)
            return;
        tabStore->setSelectedIndex((tabStore->SelectedIndex() + step + count) % count);
        FocusView();
    };
    const std::pair<QKeySequence, int> steps[] = {{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), -1}};
    for (const auto& [keys, step] : steps) {
        auto* shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [stepTab, step = step] { stepTab(step); });
    }

    // Outside a dialog a focused button takes only Space unless it is told to take Enter too.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(true);

    for (QLineEdit* box : {txtCartNo, txtSalesOrderNo, txtCustomerNo, txtExternalCustomerNo})
        connect(box, &QLineEdit::returnPressed, cmdFind, &QPushButton::click);
    connect(cmbStatus->lineEdit(), &QLineEdit::returnPressed, cmdFind, &QPushButton::click);

    cmdEdit->setToolTip(GridKeys::OpenKeys());
    cmdAdd->setToolTip(GridKeys::AddKeys());
    cmdDelete->setToolTip(GridKeys::RemoveKeys());
    cmdFind->setToolTip(QStringLiteral("Alt+I, or Enter in a filter"));
    cmdNewSearch->setToolTip(QStringLiteral("Alt+W"));
    cmdStop->setToolTip(QStringLiteral("Alt+S"));
    setProperty("KeyboardShortcuts", KeyboardShortcuts());

    // The tab order follows the screen: the store, the views, the selected view's filters, the grid and the
    // buttons under it, left to right.
    QWidget* order[] = {cmbStore,
                        cmdAddStore,
                        cmdEditStore,
                        cmdDeleteStore,
                        tabStore->tabBar(),
                        cmbList,
                        cmbStatus,
                        txtCartNo,
                        txtSalesOrderNo,
                        txtCustomerNo,
                        txtExternalCustomerNo,
                        cmdFind,
                        cmdNewSearch,
                        cmdStop,
                        cmdCustFind,
                        picFilter->txtFilter,
                        gdData,
                        cmdEdit,
                        cmdAdd,
                        cmdDelete};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}
