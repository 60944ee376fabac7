#include "DemoHost.h"
#include "app/CustomerSearchDialog.h"
#include "app/ItemSearchDialog.h"
#include "app/SpecialOffersDialog.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class HostPickersTest : public BothBackends {};

struct Picked {
    std::shared_ptr<Customer> customer;
    bool cancelled = false;
};

Picked PickCustomer(DemoHost& host, bool showDetail = true) {
    auto db = host.server->GetDBConnection(QString());
    auto errors = host.server->ErrorObject();
    const auto dbBefore = db;
    const auto errorsBefore = errors;
    Picked picked;
    picked.cancelled = true; // the picker must set it either way
    picked.customer =
        host.server->CustomerLookup()->SelectCustomer({}, db, errors, picked.cancelled, false, showDetail);
    // The picker keeps the references it was handed.
    EXPECT_EQ(db, dbBefore);
    EXPECT_EQ(errors, errorsBefore);
    return picked;
}

TEST_P(HostPickersTest, CustomerPickerSearchesAndHandsBackTheChosenCustomer) {
    DemoHost host("admin", GetParam());
    ModalScript dialogs;
    dialogs.on<CustomerSearchDialog>([](CustomerSearchDialog& picker) {
        EXPECT_EQ(picker.windowTitle(), "Select Customer");
        EXPECT_EQ(picker.gdList->Cols(), 5); // with the contact details
        EXPECT_GT(picker.gdList->Rows(), 8);
        QTest::keyClicks(picker.txtSearch, "HANSEN");
        ASSERT_EQ(picker.gdList->Rows(), 2);
        EXPECT_EQ(picker.gdList->TextMatrix(1, 0), "5008");
        EXPECT_EQ(picker.gdList->TextMatrix(1, 4), "Oslo");
        picker.cmdOK->click();
    });
    const Picked picked = PickCustomer(host);
    EXPECT_FALSE(picked.cancelled);
    ASSERT_TRUE(picked.customer);
    EXPECT_EQ(picked.customer->CustomerNo(), Variant(int32_t(5008)));
    // No full name stored: the caller builds it from the two names.
    EXPECT_EQ(
        QStringList({picked.customer->FirstName(), picked.customer->LastName(), picked.customer->FullName()}),
        QStringList({"Ole", "Hansen", ""}));
}

// Runs SelectItem with the picker worked by work; returns what SelectItem answered.
bool SelectItem(DemoHost& host, ItemTypes kind, bool showInactive, int32_t& itemNo, QString& description,
                std::function<void(ItemSearchDialog&)> work) {
    ModalScript dialogs;
    dialogs.on<ItemSearchDialog>(std::move(work));
    return host.server->ItemMaint()->SelectItem(kind, false, itemNo, description, showInactive).toBool();
}

TEST_P(HostPickersTest, SelectItemListsTheKindAskedFor) {
    DemoHost host("admin", GetParam());
    const int items = host.Scalar("SELECT COUNT(*) FROM zev_item WHERE is_active <> 0").toInt();
    const int skiSchool =
        host.Scalar("SELECT COUNT(*) FROM zev_item WHERE item_type = 4 AND is_active <> 0").toInt();
    ASSERT_GT(skiSchool, 0);
    ASSERT_GT(items, skiSchool);
    int32_t itemNo = 0;
    QString description;

    SelectItem(host, ttoAll, false, itemNo, description, [&](ItemSearchDialog& picker) {
        EXPECT_EQ(picker.windowTitle(), "Select Item");
        EXPECT_EQ(picker.gdList->Rows() - 1, items);
        picker.cmdCancel->click();
    });
    SelectItem(host, ttoSkiSchool, false, itemNo, description, [&](ItemSearchDialog& picker) {
        EXPECT_EQ(picker.gdList->Rows() - 1, skiSchool);
        EXPECT_EQ(GridColumn(*picker.gdList, 2).removeDuplicates(), skiSchool - 1);
        EXPECT_EQ(picker.gdList->TextMatrix(1, 2), "Ski School");
        picker.cmdCancel->click();
    });
    // Packages: the inactive one only when asked for.
    SelectItem(host, ttoPackage, false, itemNo, description, [&](ItemSearchDialog& picker) {
        EXPECT_EQ(picker.windowTitle(), "Select Package");
        EXPECT_EQ(GridColumn(*picker.gdList, 0), (QStringList{"501", "502", "503"}));
        picker.cmdCancel->click();
    });
    SelectItem(host, ttoPackage, true, itemNo, description, [&](ItemSearchDialog& picker) {
        EXPECT_EQ(GridColumn(*picker.gdList, 0), (QStringList{"501", "502", "503", "504"}));
        EXPECT_EQ(picker.gdList->TextMatrix(4, 3), "No");
        picker.cmdCancel->click();
    });

    // A pasted fee names its item by number or by description, in any case.
    const auto maint = host.server->ItemMaint();
    const QString name = host.Scalar("SELECT long_description FROM zev_item WHERE item_no = 1001").toString();
    for (const QString& text : {QString("1001"), name.toUpper(), " " + name + " "}) {
        itemNo = 0;
        EXPECT_TRUE(maint->FindItem(text, itemNo, description)) << text.toStdString();
        EXPECT_EQ(std::make_pair(itemNo, description), std::make_pair(1001, name));
    }
    EXPECT_FALSE(maint->FindItem("No Such Item", itemNo, description));
    EXPECT_FALSE(maint->FindItem("", itemNo, description));
}

TEST_P(HostPickersTest, SpecialOffersListTheDiscountedPrices) {
    DemoHost host("admin", GetParam());
    host.Execute("UPDATE zev_price SET discount_id = 'MIL' WHERE price_no = 131"); // a package on offer
    const int offers = host.Scalar("SELECT COUNT(*) FROM zev_price WHERE discount_id IS NOT NULL").toInt();
    ModalScript dialogs;
    dialogs.on<SpecialOffersDialog>([&](SpecialOffersDialog& window) {
        EXPECT_EQ(window.windowTitle(), "Special Offers");
        const FlexGrid& grid = *window.gdOffers;
        ASSERT_EQ(grid.Rows() - 1, offers);
        EXPECT_EQ(GridColumn(grid, 1).removeDuplicates(), offers - 3); // Early Bird, Group Rate, Military
        const int row = GridColumn(grid, 0).indexOf("104") + 1;
        ASSERT_GT(row, 0);
        const QStringList cells = GridCells(grid, row);
        EXPECT_EQ(cells.mid(1, 3) + QStringList({cells[5], cells[8]}),
                  QStringList({"Military", "Item", "1001", "Regular Season", "$79.00"}));
        const int package = GridColumn(grid, 0).indexOf("131") + 1;
        EXPECT_EQ(grid.TextMatrix(package, 2), "Package");
        EXPECT_EQ(grid.TextMatrix(package, 4), "Family Four Pack");
        window.cmdClose->click();
    });
    host.server->ItemMaint()->ShowSpecialOffer();
}

TEST_P(HostPickersTest, APickerOverABrokenDatabaseReportsAndChoosesNothing) {
    DemoHost host("admin", GetParam());
    host.Execute("DROP TABLE zev_store_customer");
    host.Execute("DROP TABLE zev_customer_log");
    host.Execute("DROP TABLE zev_customer");
    ScriptedMessages messages;
    messages.expect();
    ModalScript dialogs;
    dialogs.on<CustomerSearchDialog>([](CustomerSearchDialog& picker) {
        EXPECT_EQ(picker.gdList->Rows(), 1);
        picker.cmdCancel->click();
    });
    const Picked picked = PickCustomer(host);
    EXPECT_TRUE(picked.cancelled);
    EXPECT_FALSE(picked.customer);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.contains("zev_customer"));
    ASSERT_EQ(host.LogLines().size(), 1);
    EXPECT_TRUE(host.LogLines()[0].contains("\tZevStore.dlgSelectCustomer Search\t"));
}

ZEV_INSTANTIATE_BACKENDS(HostPickersTest);

} // namespace
