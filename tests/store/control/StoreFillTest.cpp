#include "store/control/StoreTest.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

constexpr int Orders = 400;

// A long order search fills the grid a screenful first, then in blocks with the event loop running between.
class StoreFillTest : public StoreTest {
protected:
    StoreFillTest() { openOn("ORDER"); }

    void scriptOrders() {
        ProcedureScript script = db->script("ZEV_SP_STORE_GetOrders");
        for (int i = 1; i <= Orders; ++i)
            script.row(OrderRow(1000.0 + i, i, QStringLiteral("c%1@example.com").arg(i)));
    }

    // Runs the order search with something done the first time it lets the event loop run.
    void findWhile(const std::function<void()>& meanwhile) {
        QTimer::singleShot(0, &control, meanwhile);
        control.cmdFind->click();
        QCoreApplication::processEvents();
    }

    // Whole rows in their order under the order header.
    void expectWholeOrders() const {
        const FlexGrid* grid = control.gdData;
        ASSERT_EQ(grid->Cols(), 7);
        EXPECT_EQ(grid->TextMatrix(0, 0) + grid->TextMatrix(0, 6), "Cart NoNotify Email");
        for (int row = 1; row < grid->Rows(); ++row) {
            ASSERT_EQ(grid->TextMatrix(row, 0), QString::number(1000 + row));
            ASSERT_EQ(grid->TextMatrix(row, 6), QStringLiteral("c%1@example.com").arg(row));
        }
    }
};

TEST_F(StoreFillTest, StopKeepsTheWholeRowsFoundSaysSoAndTheNextSearchFindsAll) {
    scriptOrders();
    scriptOrders();
    findWhile([&] { control.cmdStop->click(); });
    const int kept = control.gdData->Rows() - 1;
    EXPECT_GT(kept, 0);
    EXPECT_LT(kept, Orders);
    expectWholeOrders();
    EXPECT_EQ(server->statusTexts.back(), QStringLiteral("Stopped: %1 rows found").arg(kept));
    EXPECT_TRUE(control.StopRequested());

    control.cmdFind->click();
    EXPECT_EQ(control.gdData->Rows() - 1, Orders);
    expectWholeOrders();
    EXPECT_EQ(server->statusTexts.back(), QStringLiteral("%1 rows found").arg(Orders));
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(StoreFillTest, FindNewSearchOrAnotherTabDuringASearchEndItThenTakeEffect) {
    struct Case {
        const char* name;
        std::function<void()> click;
        int orderCalls;
        int rows;
        QString header;
    };
    const Case cases[] = {
        {"Find", [&] { control.cmdFind->click(); }, 2, Orders, "Cart No"},
        {"New Search", [&] { control.cmdNewSearch->click(); }, 1, 0, "Cart No"},
        {"Products tab", [&] { control.tabStore->SelectKey("PRODUCT"); }, 1, 0, "Product Group"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        control.tabStore->SelectKey("ORDER");
        const auto before = db->calls().size();
        for (int i = 0; i < c.orderCalls; ++i)
            scriptOrders();
        findWhile(c.click);
        EXPECT_EQ(std::count_if(db->calls().begin() + qsizetype(before), db->calls().end(),
                                [](const auto& call) { return call.procedure == "ZEV_SP_STORE_GetOrders"; }),
                  c.orderCalls);
        EXPECT_EQ(control.gdData->Rows() - 1, c.rows);
        EXPECT_EQ(control.gdData->TextMatrix(0, 0), c.header);
        if (c.header == "Cart No")
            expectWholeOrders();
    }
    EXPECT_TRUE(error->reports.empty());
}

} // namespace
