#include "dbsupport/TestDatabase.h"
#include "store/control/Store.h"
#include "support/FakeAppServer.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/TabStrip.h"

#include <QCryptographicHash>
#include <QPushButton>

namespace {

// What the views show on the demo data, pinned as the control showed it when it still filled its grid in one
// go: every row, in order, with every cell, and the outline of the product view.
class ViewsOnDemoDataTest : public DatabaseTest {
protected:
    static void Add(QCryptographicHash& hash, const FlexGrid* grid) {
        for (int32_t row = 0; row < grid->Rows(); ++row) {
            QString line = QStringLiteral("%1%2|").arg(grid->IsSubtotal(row)).arg(grid->RowShown(row));
            for (int32_t col = 0; col < grid->Cols(); ++col)
                line += grid->TextMatrix(row, col) + QLatin1Char('\t');
            hash.addData(line.toUtf8() + '\n');
        }
    }
    static QString Short(const QCryptographicHash& hash) {
        return QString::fromLatin1(hash.result().toHex().left(16));
    }
};

TEST_P(ViewsOnDemoDataTest, ProductOrderAndCustomerLogGridsAreThoseOfTheOneGoFill) {
    auto server = host();
    auto picker = std::make_shared<ScriptedCustomerPicker>();
    picker->choice = std::make_shared<FakeCustomer>(
        Variant(int32_t(database()
                            .scalar("SELECT customer_no FROM zev_customer_log GROUP BY customer_no "
                                    "ORDER BY COUNT(*) DESC, customer_no LIMIT 1")
                            .toInt())),
        "Demo Customer");
    server->customers = picker;
    Store control;
    control.resize(1000, 700);
    control.SetAppServer(server);
    control.Setup();
    QCryptographicHash products(QCryptographicHash::Sha1);
    QCryptographicHash orders(QCryptographicHash::Sha1);
    QCryptographicHash logs(QCryptographicHash::Sha1);
    int32_t rows = 0;
    for (int index = 0; index < control.cmbStore->count(); ++index) {
        control.cmbStore->setCurrentIndex(index);
        control.tabStore->SelectKey("PRODUCT");
        Add(products, control.gdData);
        rows += control.gdData->Rows();
        control.tabStore->SelectKey("ORDER");
        control.cmdFind->click();
        Add(orders, control.gdData);
        rows += control.gdData->Rows();
        control.tabStore->SelectKey("CUST");
        control.cmdCustFind->click();
        Add(logs, control.gdData);
        rows += control.gdData->Rows();
    }
    const QStringList shown = {Short(products), Short(orders), Short(logs), QString::number(rows)};
    EXPECT_EQ(shown.join(' ').toStdString(), "e7b9313bb54bc87a 94605f9d0edab608 9bb253bb4c3983d4 44");
    EXPECT_TRUE(server->error->reports.empty());
}

ZEV_INSTANTIATE_BACKENDS(ViewsOnDemoDataTest);

} // namespace
