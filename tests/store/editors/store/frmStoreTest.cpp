#include "store/editors/store/frmStore.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/host/ServiceTest.h"
#include "store/records/CStore.h"
#include "widgets/FlexGrid.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using namespace SubTableKeys;
const QString UpdateStore = "ZEV_SP_STORE_UpdateStore";

// The store editor over a scripted connection, for what the demo database cannot show: store 3 with a
// group and a list.
class frmStoreTest : public ServiceTest {
protected:
    frmStoreTest() {
        store_.setStoreNo(3);
        store_.setDescription("Summit Lifts");
    }

    // The editor set up on the store, showing the tab.
    void Open(const QString& tab = Groups) {
        db->script("ZEV_SP_STORE_GetGroups")
            .row({{"product_group_no", 5}, {"Description", "Lifts"}, {"image_width", 120}});
        db->script("ZEV_SP_STORE_GetLists").row({{"list_id", "HOME"}, {"Description", "Home page"}});
        form.Setup(maint, store_);
        form.tabTabs->SelectKey(tab);
    }

    // A user's edit of a grid cell on the current tab: false when refused.
    bool Edit(int32_t gridRow, int32_t col, const QString& text) {
        bool cancel = false;
        form.Tables().BeforeEdit(gridRow, col, cancel);
        if (!cancel)
            form.Tables().ValidateEdit(gridRow, col, text, cancel);
        if (cancel)
            return false;
        form.gdData->gridModel()->CommitEdit(gridRow, col, text); // as the grid stores it
        form.Tables().AfterEdit(gridRow, col);
        return true;
    }
    StatusTypes Status(const QString& key, int32_t row) {
        return SubTableCells::Status(form.Tables().Table(key), row);
    }

    CStore store_;
    ScriptedMessages messages;
    frmStore form;
};

TEST_F(frmStoreTest, AFailedStoreUpdateStillConfirmsWhenTheChangedTablesSave) {
    Open();
    db->script(UpdateStore).notSucceeded();
    ASSERT_TRUE(Edit(1, 8, "Lift tickets"));
    db->script("ZEV_SP_STORE_UpdateProductGroup").output("@product_group_no", 5).returns(0);
    form.cmdOk->click();
    EXPECT_FALSE(form.UserCanceled());
    EXPECT_EQ(db->callsOf("ZEV_SP_STORE_UpdateProductGroup").size(), 1u);
}

TEST_F(frmStoreTest, AStoreWithoutADescriptionIsRefusedBeforeAnythingIsWritten) {
    Open();
    ASSERT_TRUE(Edit(1, 8, "Lift tickets"));
    form.txtDescription->setText("  ");
    for (QPushButton* button : {form.cmdOk, form.cmdApply}) {
        messages.expect();
        button->click();
        EXPECT_EQ(messages.last(),
                  "Description Required: Please enter a description for the store before saving.");
    }
    EXPECT_TRUE(form.UserCanceled());
    EXPECT_TRUE(db->callsOf(UpdateStore).empty());
    EXPECT_TRUE(db->callsOf("ZEV_SP_STORE_UpdateProductGroup").empty());
    EXPECT_EQ(form.txtDescription->maxLength(), 50);
}

// OK is a few Tab presses from the grid, however many cells the grid has.
TEST_F(frmStoreTest, TabLeavesTheGridForItsButtonsAndOK) {
    Open();
    form.show();
    QApplication::setActiveWindow(&form);
    form.gdData->setFocus();
    int presses = 0;
    for (; presses < 8 && QApplication::focusWidget() && QApplication::focusWidget() != form.cmdOk; ++presses)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.cmdOk);
    EXPECT_LE(presses, 4) << "the grid's own buttons, then OK";
}

TEST_F(frmStoreTest, ListsDropUnnamedRowsAndKeepRefusedOnesPending) {
    Open(Lists);
    form.cmdAdd->click(); // left "<New>": dropped
    form.cmdAdd->click();
    ASSERT_TRUE(Edit(3, 2, "SALE"));
    ASSERT_TRUE(Edit(1, 3, "Home"));
    db->script("ZEV_SP_STORE_UpdateStoreList").output("@message", "List HOME is locked.").returns(-1);
    messages.expect();
    EXPECT_TRUE(form.Tables().Save(Lists));
    EXPECT_EQ(messages.last(), "Update Store List Error: List HOME is locked.");
    EXPECT_EQ(Status(Lists, 0), stModified); // kept pending
    EXPECT_EQ(Status(Lists, 1), stDelete);   // never named
    EXPECT_EQ(Status(Lists, 2), stUnchanged);
    const auto updates = db->callsOf("ZEV_SP_STORE_UpdateStoreList");
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[1].value("@list_id_key"), Variant::Null());
    EXPECT_EQ(updates[1].value("@list_id"), Variant("SALE"));
    EXPECT_TRUE(form.ReportToOutsideListHasChanged());
}

// The database tells an added fee by its key "<New>".
TEST_F(frmStoreTest, AnAddedFeeIsSentWithItsNewKey) {
    Open(Fees);
    form.cmdAdd->click();
    ASSERT_TRUE(Edit(1, 2, "BOOKING"));
    form.Tables().Table(Fees).setValue(7, 0, Variant(int32_t(1001)));
    db->script("ZEV_SP_STORE_UpdateStoreFee").returns(0);
    EXPECT_TRUE(form.Tables().Save(Fees));
    const auto updates = db->callsOf("ZEV_SP_STORE_UpdateStoreFee");
    ASSERT_EQ(updates.size(), 1u);
    EXPECT_EQ(updates[0].value("@fee_id_key"), Variant("<New>"));
    EXPECT_EQ(Status(Fees, 0), stUnchanged);
}

} // namespace
