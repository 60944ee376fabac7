#include "store/editors/store/frmSelectRegister.h"
#include "store/pickers/PickerTest.h"

#include <QLabel>

namespace {

const char* const FreeRegisters =
    "SELECT * FROM zev_register WHERE (status_id = 'Avail' OR status_id IS NULL) AND (check_out_computer IS "
    "NULL OR check_out_computer = '' OR check_out_computer = 'Avail') order by register_id";

Row Register(const char* id, const Variant& group, const Variant& revenueCenter, const Variant& location) {
    return {{"Register_id", id},
            {"Register_Group_ID", group},
            {"Revenue_Center_ID", revenueCenter},
            {"location_id", location}};
}

using frmSelectRegisterTest = PickerTest;

TEST_F(frmSelectRegisterTest, ListsTheFreeRegistersInFourColumns) {
    db->scriptQuery("zev_register")
        .row(Register("POS1", "FRONT", "RC1", "LODGE"))
        .row(Register("POS2", Variant::Null(), Variant::Null(), Variant::Null()));
    frmSelectRegister picker;
    picker.Setup(db, error);
    ASSERT_EQ(db->calls().size(), 1u);
    EXPECT_EQ(db->lastCall().kind, RecordedCall::Kind::Query);
    EXPECT_EQ(db->lastCall().procedure, FreeRegisters);

    EXPECT_EQ(picker.windowTitle(), "Select Register");
    EXPECT_EQ(picker.findChild<QLabel*>("Label1")->text(),
              "Select one of the following available registers to install:");
    const FlexGrid& grid = *picker.findChild<FlexGrid*>("dbgRegisters");
    EXPECT_EQ(Cells(grid, 0), QStringList({"Register", "Group", "RevenueCenter", "Location"}));
    EXPECT_EQ(Cells(grid, 1), QStringList({"POS1", "FRONT", "RC1", "LODGE"}));
    EXPECT_EQ(Cells(grid, 2), QStringList({"POS2", "", "", ""}));
    EXPECT_TRUE(error->reports.empty());
}

TEST_F(frmSelectRegisterTest, TheChosenRegisterIsTheCurrentRow) {
    frmSelectRegister empty;
    empty.Setup(db, error);
    EXPECT_EQ(empty.RegisterId(), "");
    Button(empty, "cmdOk")->click();
    EXPECT_FALSE(empty.UserCanceled);

    db->scriptQuery("zev_register").row(Register("POS1", "", "", "")).row(Register("POS2", "", "", ""));
    frmSelectRegister picker;
    picker.Setup(db, error);
    EXPECT_TRUE(picker.UserCanceled);
    FlexGrid& grid = ShownGrid(picker, "dbgRegisters");
    EXPECT_EQ(picker.RegisterId(), "POS1");
    DoubleClick(grid, 2, 1);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_FALSE(picker.UserCanceled);
    EXPECT_EQ(picker.RegisterId(), "POS2");

    picker.show();
    Button(picker, "cmdCancel")->click();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(picker.UserCanceled);

    picker.show();
    picker.close();
    EXPECT_FALSE(picker.isVisible());
    EXPECT_TRUE(picker.UserCanceled);
}

TEST_F(frmSelectRegisterTest, AFailureIsReportedUnderTheRegisterSourceAndKeepsTheRowsRead) {
    Row broken = Register("POS2", "", "", "");
    broken.pop_back();
    db->scriptQuery("zev_register").row(Register("POS1", "", "", "")).row(broken);
    frmSelectRegister picker;
    picker.Setup(db, error);
    ExpectReported("ZevRegister.frmSelectRegister (1.0.0) Setup");
    EXPECT_EQ(error->reports[0].number, 3265);
    EXPECT_EQ(picker.Errors().LastErrorNumber(), 3265);
    EXPECT_EQ(picker.findChild<FlexGrid*>("dbgRegisters")->Rows(), 2);

    // Without a connection there is nothing to list and nothing to report.
    error->reports.clear();
    picker.Setup(nullptr, error);
    EXPECT_EQ(picker.findChild<FlexGrid*>("dbgRegisters")->Rows(), 1);
    EXPECT_TRUE(error->reports.empty());
}

} // namespace
