#include "app/ChangeHistoryDialog.h"
#include "database/ChangeHistory.h"
#include "dbsupport/ProcedureRun.h"
#include "dbsupport/TestDatabase.h"
#include "support/GridText.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ChangeHistoryView : public DatabaseTest {
protected:
    // Who the history names: on PostgreSQL the login, whatever name the connection was given.
    QString Who(SqlConnection& connection) {
        return db().backend() == Backend::PostgreSQL ? db().scalar("SELECT session_user").toString()
                                                     : connection.CurrentUser();
    }
};

// Two people's changes: newest first, each changed column with its old and new value side by side; the
// filters narrow it down and the pages go back in time without gaps.
TEST_P(ChangeHistoryView, ShowsTheNewestFirstSideBySideFilteredAndPaged) {
    auto clerk = connection("clerk"), admin = connection("admin");
    ASSERT_GE(ProcedureRun::Command(*clerk, "UpdateStore: store_no=1; description=Summit Peak; so_type=WEB")
                  .returnValue.toInt32(),
              0);
    ASSERT_GE(ProcedureRun::Command(*admin, "UpdateStoreFee: store_no=1; fee_id_key=SERVICE; fee_id=SERVICE; "
                                            "fee_amount=3.5; item_no=6003")
                  .returnValue.toInt32(),
              0);

    ChangeHistoryDialog dialog(admin->session());
    FlexGrid& grid = *dialog.gdChanges;
    ASSERT_GT(grid.Rows(), 2);
    EXPECT_EQ(GridCells(grid, 1).mid(1, 7).join('|'),
              Who(*admin) + "|zev_store_fee|1/SERVICE|UPDATE|fee_amount|2.5|3.5");

    dialog.txtUser->setText(Who(*clerk));
    dialog.cboTable->setCurrentIndex(dialog.cboTable->findData("zev_store"));
    dialog.cmdShow->click();
    ASSERT_GE(grid.Rows(), 2);
    QStringList shown;
    for (int32_t row = 1; row < grid.Rows(); ++row)
        shown << grid.TextMatrix(row, 5) + '=' + grid.TextMatrix(row, 7);
    EXPECT_TRUE(shown.contains("description=Summit Peak")) << shown.join(' ').toStdString();
    EXPECT_EQ(grid.TextMatrix(1, 2), "zev_store");
    EXPECT_FALSE(dialog.cmdOlder->isEnabled());

    // Nothing was changed before today.
    dialog.dtpTo->setDate(QDate::currentDate().addDays(-1));
    dialog.cmdShow->click();
    EXPECT_EQ(grid.Rows(), 1);

    // Page by page, the same changes as at once.
    HistoryFilter all;
    const auto whole = ChangeHistory::Read(db().session(), all, 0, 50);
    std::vector<qint64> paged;
    for (qint64 oldest = 0; paged.size() < whole.size();) {
        const auto page = ChangeHistory::Read(db().session(), all, oldest, 7);
        ASSERT_FALSE(page.empty());
        for (const HistoryChange& change : page)
            paged.push_back(change.no);
        oldest = page.back().no;
    }
    paged.resize(whole.size());
    for (size_t i = 0; i < whole.size(); ++i)
        EXPECT_EQ(paged[i], whole[i].no);
    all.storeNo = 2;
    for (const HistoryChange& change : ChangeHistory::Read(db().session(), all, 0, 50))
        EXPECT_TRUE(change.recordKey.startsWith("2/") || change.recordKey == "2")
            << change.recordKey.toStdString();
}

ZEV_INSTANTIATE_BACKENDS(ChangeHistoryView);

} // namespace
