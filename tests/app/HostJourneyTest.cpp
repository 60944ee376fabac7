#include "DemoHost.h"
#include "app/ItemSearchDialog.h"
#include "app/MainWindow.h"
#include "support/GridText.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/NullableDatePicker.h"
#include "widgets/TabStrip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <functional>
#include <map>

// A user's whole day in the main window on a fresh demo database: a new store with a group and a list, a
// product with two items, their prices and a link between them, a list entry; each edited, then all deleted.
// The module's dialogs come from the plug-in, so they are worked by their controls' names, as a user sees
// them.

namespace {

// A control the journey needs is not there: ends the dialog being worked (and the step) as a failure.
struct MissingControl {
    QString name;
};

template <typename Widget> Widget& Child(QObject& parent, const QString& name) {
    auto* child = parent.findChild<Widget*>(name);
    if (!child)
        throw MissingControl{name};
    return *child;
}

void Click(QObject& parent, const QString& button) {
    Child<QAbstractButton>(parent, button).click();
}

void Type(QObject& parent, const QString& box, const QString& text) {
    Child<QLineEdit>(parent, box).setText(text);
}

// The first data row whose cells in the given columns read as given.
int32_t RowWith(const FlexGrid& grid, const std::map<int32_t, QString>& cells) {
    for (int32_t row = 1; row < grid.Rows(); ++row) {
        bool all = true;
        for (const auto& [col, text] : cells)
            all = all && grid.TextMatrix(row, col) == text;
        if (all)
            return row;
    }
    throw MissingControl{QStringLiteral("grid row ") + cells.begin()->second};
}

// Types into the cell editor that is open, and confirms with Enter.
void TypeIntoOpenCell(FlexGrid& grid, const QString& text) {
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    if (!editor)
        throw MissingControl{"cell editor"};
    editor->setText(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
}

void TypeIntoCell(FlexGrid& grid, int32_t row, int32_t col, const QString& text) {
    grid.setRow(row);
    grid.setCol(col);
    grid.EditCell();
    TypeIntoOpenCell(grid, text);
}

// Queues the work for the next dialog, which must be the form of that class.
void Expect(ModalScript& dialogs, const char* form, std::function<void(QDialog&)> work) {
    dialogs.on<QDialog>([form, work = std::move(work)](QDialog& dialog) {
        try {
            if (QLatin1String(dialog.metaObject()->className()) != QLatin1String(form))
                throw MissingControl{QLatin1String(form)};
            work(dialog);
        } catch (const MissingControl& missing) {
            ADD_FAILURE() << form << ": no " << missing.name.toStdString() << " (got "
                          << dialog.metaObject()->className() << ")";
            dialog.hide();
        }
    });
}

void ChoosePrice(ModalScript& dialogs, int32_t priceNo) {
    Expect(dialogs, "frmSelectPrice", [priceNo](QDialog& picker) {
        auto& grid = Child<FlexGrid>(picker, "gdItems");
        grid.setRow(RowWith(grid, {{0, QString::number(priceNo)}}));
        Click(picker, "cmdOk");
    });
}

void ChooseProductItem(ModalScript& dialogs, int32_t productNo, int32_t seqNo) {
    Expect(dialogs, "frmSelectStoreProductItem", [=](QDialog& picker) {
        auto& grid = Child<FlexGrid>(picker, "gdItems");
        grid.setIsSelected(RowWith(grid, {{0, QString::number(productNo)}, {2, QString::number(seqNo)}}),
                           true);
        Click(picker, "cmdOk");
    });
}

// In a product item editor: a bound price is cleared first, since only an unbound item offers the picker.
void BindItemPrice(QDialog& item, int32_t priceNo) {
    auto& clear = Child<QAbstractButton>(item, "cmdClearPrice");
    if (clear.isEnabled())
        clear.click();
    ModalScript prices;
    ChoosePrice(prices, priceNo);
    Click(item, "cmdSelectPrice");
}

// The host's own item picker.
void ChooseItem(ModalScript& dialogs, int32_t itemNo) {
    Expect(dialogs, "ItemSearchDialog", [itemNo](QDialog& dialog) {
        auto& picker = dynamic_cast<ItemSearchDialog&>(dialog);
        picker.Search(QString::number(itemNo));
        picker.Choose(RowWith(*picker.gdList, {{0, QString::number(itemNo)}}));
    });
}

constexpr int32_t ProductNo = 900;

class HostJourneyTest : public BothBackends {
protected:
    void SetUp() override {
        BothBackends::SetUp();
        if (IsSkipped())
            return;
        ZEV_SKIP_WITHOUT_PLUGIN();
        host = std::make_unique<DemoHost>("admin", GetParam());
        window = std::make_unique<MainWindow>(host->server);
        ASSERT_TRUE(window->StartModule(PluginFolder)) << window->ModuleError().toStdString();
        window->resize(1000, 700);
        window->show();
        control = window->Control();
        stores = &Child<KeyedCombo>(*control, "cmbStore");
        views = &Child<TabStrip>(*control, "tabStore");
        grid = &Child<FlexGrid>(*control, "gdData");
        lists = &Child<KeyedCombo>(*control, "cmbList");
    }
    void TearDown() override {
        if (host) {
            EXPECT_EQ(host->LogLines(), QStringList());
        }
    }

    // The first row the query finds, its columns joined by "|".
    QString Row(const QString& sql) {
        QSqlQuery query = host->db->session()->run(sql, {storeNo});
        if (!query.next())
            return "(none)";
        QStringList cells;
        for (int col = 0; col < query.record().count(); ++col)
            cells << query.value(col).toString();
        return cells.join(QLatin1Char('|'));
    }
    int Count(const QString& table) {
        return host->Scalar("SELECT COUNT(*) FROM " + table + " WHERE store_no = ?", {storeNo}).toInt();
    }
    QString GridRow(int32_t row) const { return GridCells(*grid, row).join(QLatin1Char('|')); }
    void SelectRow(int32_t row) {
        grid->setRow(row);
        grid->ShowCell(row, 0);
    }
    void DoubleClickRow(int32_t row) {
        SelectRow(row);
        const QRect cell = grid->visualRect(grid->model()->index(row, 1));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }
    void ShowList(const QString& description) {
        views->SelectKey("LIST");
        lists->setSelectedIndex(lists->findText(description));
    }

    void AddStore();
    void RefuseAnUnstorableName();
    void GiveItAGroupAndAList();
    void AddAProductWithTwoItemsAndALink();
    void AddAListItem();
    void EditTheListItem();
    void EditTheProductItsItemAndLink();
    void DeleteTheLinkListItemAndProduct();
    void DeleteTheStore();

    std::unique_ptr<DemoHost> host;
    std::unique_ptr<MainWindow> window;
    QWidget* control = nullptr;
    KeyedCombo* stores = nullptr;
    TabStrip* views = nullptr;
    FlexGrid* grid = nullptr;
    KeyedCombo* lists = nullptr;
    ScriptedMessages messages;
    int32_t storeNo = 0;
};

void HostJourneyTest::AddStore() {
    const int listed = stores->count();
    const QVariant stored = host->Scalar("SELECT COUNT(*) FROM zev_store");
    ModalScript dialogs;
    Expect(dialogs, "frmStore", [this](QDialog& editor) {
        messages.expect();
        Click(editor, "cmdOk"); // no description: refused, the editor stays open
        EXPECT_EQ(messages.shown().back().title, "Description Required");
        Type(editor, "txtDescription", "Second Thoughts");
        Click(editor, "cmdCancel");
    });
    Click(*control, "cmdAddStore");
    EXPECT_EQ(stores->count(), listed);
    EXPECT_EQ(host->Scalar("SELECT COUNT(*) FROM zev_store"), stored);

    Expect(dialogs, "frmStore", [](QDialog& editor) {
        Type(editor, "txtDescription", "Valley Outlet");
        Type(editor, "txtStoreURL", "https://valley.example");
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdAddStore");
    storeNo = host->Scalar("SELECT store_no FROM zev_store WHERE description = 'Valley Outlet'").toInt();
    ASSERT_GT(storeNo, 0);
    EXPECT_EQ(Row("SELECT store_url FROM zev_store WHERE store_no = ?"), "https://valley.example");
    EXPECT_EQ(stores->Text(), "Valley Outlet");
    EXPECT_EQ(stores->SelectedNumber(), storeNo);
}

// A description the store cannot hold (a NUL character, as a paste can bring): the save is refused in a
// sentence, the editor's OK still closes it, and the selector keeps the stored name.
void HostJourneyTest::RefuseAnUnstorableName() {
    ModalScript dialogs;
    Expect(dialogs, "frmStore", [this](QDialog& editor) {
        Type(editor, "txtDescription", QString(60, 'x'));
        EXPECT_EQ(Child<QLineEdit>(editor, "txtDescription").text().size(), 50) << "the box holds the column";
        Type(editor, "txtDescription", QString("Bad") + QChar(0) + "Name");
        messages.expect();
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdEditStore");
    ASSERT_FALSE(messages.shown().empty());
    EXPECT_EQ(messages.shown().back().prompt,
              "Store description holds a NUL character, which cannot be stored.");
    EXPECT_EQ(Row("SELECT description FROM zev_store WHERE store_no = ?"), "Valley Outlet");
    EXPECT_EQ(stores->Text(), "Valley Outlet");
}

void HostJourneyTest::GiveItAGroupAndAList() {
    ModalScript dialogs;
    Expect(dialogs, "frmStore", [](QDialog& editor) {
        Type(editor, "txtDescription", "Valley Outlet North");
        auto& tabs = Child<TabStrip>(editor, "tabTabs");
        auto& rows = Child<FlexGrid>(editor, "gdData");
        tabs.SelectKey("GROUP");
        Click(editor, "cmdAdd");
        TypeIntoOpenCell(rows, "10");
        TypeIntoCell(rows, rows.Rows() - 1, 8, "Lift Tickets");
        tabs.SelectKey("LIST");
        Click(editor, "cmdAdd");
        TypeIntoOpenCell(rows, "FEATURED");
        TypeIntoCell(rows, rows.Rows() - 1, 3, "Featured");
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdEditStore");
    EXPECT_EQ(Row("SELECT description FROM zev_store WHERE store_no = ?"), "Valley Outlet North");
    EXPECT_EQ(Row("SELECT product_group_no, description FROM zev_store_product_group WHERE store_no = ?"),
              "10|Lift Tickets");
    EXPECT_EQ(Row("SELECT list_id, description FROM zev_store_list WHERE store_no = ?"), "FEATURED|Featured");
    EXPECT_EQ(stores->Text(), "Valley Outlet North");
    // The changed lists reach the list selector at once.
    EXPECT_GE(lists->findText("Featured"), 0);
}

void HostJourneyTest::AddAProductWithTwoItemsAndALink() {
    views->SelectKey("PRODUCT");
    ModalScript dialogs;
    Expect(dialogs, "frmStoreProduct", [this](QDialog& editor) {
        Type(editor, "txtProductNo", QString::number(ProductNo));
        messages.expect();
        Click(editor, "cmdApply"); // a number only: refused before anything is written
        EXPECT_EQ(messages.shown().back().title, "Product Name Required");
        Type(editor, "txtProductName", "Valley Pass");
        auto& groups = Child<KeyedCombo>(editor, "cmbProductGroup");
        groups.setSelectedIndex(groups.IndexOfNumber(10));
        Click(editor, "cmdApply");
        Child<TabStrip>(editor, "tabProperties").SelectKey("ITEMS");
        // Each item through the host's picker, named and priced in the product item editor.
        for (const auto& [itemNo, name, priceNo] :
             {std::tuple{1001, "Adult Day", 103}, {1002, "Child Day", 106}}) {
            ModalScript items;
            ChooseItem(items, itemNo);
            Expect(items, "frmStoreProductItem", [name = QString(name), priceNo = priceNo](QDialog& item) {
                Type(item, "txtProductItemName", name);
                BindItemPrice(item, priceNo);
                Click(item, "cmdOk");
            });
            Click(editor, "cmdAddItem");
        }
        // The first item up-sells the second.
        auto& itemRows = Child<FlexGrid>(editor, "gdItems");
        itemRows.setRow(RowWith(itemRows, {{0, "1"}}));
        ModalScript items;
        Expect(items, "frmStoreProductItem", [](QDialog& item) {
            ModalScript link;
            ChooseProductItem(link, ProductNo, 2);
            Expect(link, "frmStoreProductItemSell", [](QDialog& sell) {
                ModalScript prices;
                ChoosePrice(prices, 103);
                ChoosePrice(prices, 106);
                Click(sell, "cmdSelectPrice");
                Click(sell, "cmdNewPriceSelect");
                Click(sell, "optUpSell");
                Type(sell, "txtSellText", "Bring the kids");
                Click(sell, "cmdOk");
            });
            Click(item, "cmdAdd");
            Click(item, "cmdOk");
        });
        Click(editor, "cmdEdit");
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdAdd");
    EXPECT_EQ(
        Row("SELECT product_no, product_name, product_group_no FROM zev_store_product WHERE store_no = ?"),
        "900|Valley Pass|10");
    EXPECT_EQ(Row("SELECT seq_no, product_item_name, item_no, price_no FROM zev_store_product_item "
                  "WHERE store_no = ? AND seq_no = 1"),
              "1|Adult Day|1001|103");
    EXPECT_EQ(Row("SELECT seq_no, product_item_name, item_no, price_no FROM zev_store_product_item "
                  "WHERE store_no = ? AND seq_no = 2"),
              "2|Child Day|1002|106");
    EXPECT_EQ(Row("SELECT seq_no, price_no, new_seq_no, new_price_no, sell_code, sell_text "
                  "FROM zev_store_product_item_sell WHERE store_no = ?"),
              "1|103|2|106|UPSELL|Bring the kids");
    const int32_t row = RowWith(*grid, {{1, "900"}});
    EXPECT_EQ(GridRow(row).section('|', 1), "900||Valley Pass");
    EXPECT_EQ(grid->Row(), row);
}

void HostJourneyTest::AddAListItem() {
    ShowList("Featured");
    ASSERT_EQ(grid->Rows(), 1);
    ModalScript dialogs;
    Expect(dialogs, "frmStoreListItem", [](QDialog& editor) {
        // A new entry asks for its product item as soon as it shows.
        ModalScript pickers;
        ChooseProductItem(pickers, ProductNo, 1);
        ChoosePrice(pickers, 103);
        editor.show();
        QApplication::processEvents();
        Click(editor, "cmdSelectPrice");
        EXPECT_EQ(Child<QLineEdit>(editor, "txtSeqNo").text(), "1");
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdAdd");
    EXPECT_EQ(
        Row("SELECT list_id, seq_no, product_no, product_item_seq_no, price_no FROM zev_store_list_item "
            "WHERE store_no = ?"),
        "FEATURED|1|900|1|103");
    ASSERT_EQ(grid->Rows(), 2);
    EXPECT_EQ(GridRow(1), "1|900|1|Adult Day|103|99");
}

void HostJourneyTest::EditTheListItem() {
    ModalScript dialogs;
    Expect(dialogs, "frmStoreListItem", [](QDialog& editor) {
        ModalScript prices;
        ChoosePrice(prices, 105);
        Click(editor, "cmdSelectPrice");
        Click(editor, "cmdOk");
    });
    DoubleClickRow(1);
    EXPECT_EQ(Row("SELECT seq_no, price_no FROM zev_store_list_item WHERE store_no = ?"), "1|105");
    EXPECT_EQ(GridRow(1), "1|900|1|Adult Day|105|267");
}

void HostJourneyTest::EditTheProductItsItemAndLink() {
    views->SelectKey("PRODUCT");
    SelectRow(RowWith(*grid, {{1, "900"}}));
    ModalScript dialogs;
    Expect(dialogs, "frmStoreProduct", [this](QDialog& editor) {
        Type(editor, "txtProductName", "Valley Season Pass");
        Child<TabStrip>(editor, "tabProperties").SelectKey("ITEMS");
        auto& itemRows = Child<FlexGrid>(editor, "gdItems");
        itemRows.setRow(RowWith(itemRows, {{0, "1"}}));
        ModalScript items;
        Expect(items, "frmStoreProductItem", [this](QDialog& item) {
            Type(item, "txtProductItemName", "Adult Day Ticket");
            Type(item, "txtMinAge", "6.5");
            Type(item, "txtAdvancePurchaseDays", "3");
            Child<QCheckBox>(item, "ckbPromptLesson").setChecked(true);
            Child<NullableDatePicker>(item, "dtStartDate").setValue(QDateTime(QDate(2027, 1, 5), QTime()));
            Child<FlexGrid>(item, "gdItemSell").setRow(1);
            ModalScript link;
            Expect(link, "frmStoreProductItemSell", [this](QDialog& sell) {
                Click(sell, "optCrossSell");
                Type(sell, "txtSellText", "Add a child ticket");
                messages.expect(MsgBoxResult::Yes); // both prices stay: a cross sell after all
                Click(sell, "cmdOk");
            });
            Click(item, "cmdEdit");
            Click(item, "cmdOk");
        });
        Click(editor, "cmdEdit");
        Click(editor, "cmdOk");
    });
    Click(*control, "cmdEdit");
    EXPECT_EQ(Row("SELECT product_name FROM zev_store_product WHERE store_no = ?"), "Valley Season Pass");
    EXPECT_EQ(Row("SELECT product_item_name, min_age, advance_purchase_days, prompt_lesson, "
                  "CASE WHEN available_start_date IS NULL THEN 'no start' ELSE 'start' END, "
                  "CASE WHEN available_end_date IS NULL THEN 'no end' ELSE 'end' END "
                  "FROM zev_store_product_item WHERE store_no = ? AND seq_no = 1"),
              "Adult Day Ticket|6.5|3|1|start|no end");
    EXPECT_EQ(Row("SELECT sell_code, sell_text FROM zev_store_product_item_sell WHERE store_no = ?"),
              "CROSSSELL|Add a child ticket");
    EXPECT_EQ(GridRow(grid->Row()).section('|', 1), "900||Valley Season Pass");
}

void HostJourneyTest::DeleteTheLinkListItemAndProduct() {
    {
        ModalScript dialogs;
        Expect(dialogs, "frmStoreProduct", [this](QDialog& editor) {
            Child<TabStrip>(editor, "tabProperties").SelectKey("ITEMS");
            auto& itemRows = Child<FlexGrid>(editor, "gdItems");
            itemRows.setRow(RowWith(itemRows, {{0, "1"}}));
            ModalScript items;
            Expect(items, "frmStoreProductItem", [this](QDialog& item) {
                Child<FlexGrid>(item, "gdItemSell").setRow(1);
                messages.expect(MsgBoxResult::Yes);
                Click(item, "cmdDelete");
                Click(item, "cmdOk");
            });
            Click(editor, "cmdEdit");
            Click(editor, "cmdOk");
        });
        DoubleClickRow(grid->Row());
    }
    EXPECT_EQ(messages.shown().back().title, "Confirm Delete");
    EXPECT_EQ(Count("zev_store_product_item_sell"), 0);

    ShowList("Featured");
    SelectRow(1);
    messages.expect(MsgBoxResult::Yes);
    Click(*control, "cmdDelete");
    EXPECT_EQ(messages.shown().back().prompt,
              "Are you sure you want to delete list item (1:Adult Day Ticket)?");
    EXPECT_EQ(Count("zev_store_list_item"), 0);
    EXPECT_EQ(grid->Rows(), 1);

    views->SelectKey("PRODUCT");
    SelectRow(RowWith(*grid, {{1, "900"}}));
    messages.expect(MsgBoxResult::Yes);
    Click(*control, "cmdDelete");
    EXPECT_EQ(
        messages.shown().back().prompt,
        "Are you sure you want to delete product (900:Valley Season Pass) and all of its support tables "
        "and items?");
    EXPECT_EQ(Count("zev_store_product"), 0);
    EXPECT_EQ(Count("zev_store_product_item"), 0);
    EXPECT_THROW(RowWith(*grid, {{1, "900"}}), MissingControl);
}

void HostJourneyTest::DeleteTheStore() {
    const int index = stores->SelectedIndex();
    ASSERT_GT(index, 0);
    const QString before = stores->itemText(index - 1);
    messages.expect(MsgBoxResult::Yes).expect(MsgBoxResult::Yes);
    Click(*control, "cmdDeleteStore");
    ASSERT_GE(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown().back().title, "Confirm Store Absolute Delete");
    EXPECT_EQ(host->Scalar("SELECT COUNT(*) FROM zev_store WHERE store_no = ?", {storeNo}).toInt(), 0);
    EXPECT_EQ(Count("zev_store_product_group"), 0);
    EXPECT_EQ(Count("zev_store_list"), 0);
    EXPECT_EQ(stores->findText("Valley Outlet North"), -1);
    EXPECT_EQ(stores->Text(), before);
}

// Each step checks the database before the next one builds on it.
#define STEP(step)                                                                                           \
    do {                                                                                                     \
        SCOPED_TRACE(#step);                                                                                 \
        ASSERT_NO_FATAL_FAILURE(step());                                                                     \
        EXPECT_FALSE(QApplication::overrideCursor()) << "the busy pointer stayed";                           \
    } while (false)

TEST_P(HostJourneyTest, AStoreItsProductsAndListsAreMadeEditedAndDeletedFromTheMainWindow) {
    STEP(AddStore);
    STEP(RefuseAnUnstorableName);
    STEP(GiveItAGroupAndAList);
    STEP(AddAProductWithTwoItemsAndALink);
    STEP(AddAListItem);
    STEP(EditTheListItem);
    STEP(EditTheProductItsItemAndLink);
    STEP(DeleteTheLinkListItemAndProduct);
    STEP(DeleteTheStore);
}

// Tools -> Check Store... follows the module's store selection and opens the module's window on that store.
TEST_P(HostJourneyTest, CheckStoreFollowsTheSelectedStore) {
    stores->setSelectedIndex(-1);
    EXPECT_FALSE(window->mnuToolCheckStore->isEnabled());
    stores->setSelectedIndex(stores->IndexOfNumber(3));
    ASSERT_TRUE(window->mnuToolCheckStore->isEnabled());
    ModalScript dialogs;
    Expect(dialogs, "frmCheckStore", [](QDialog& check) {
        EXPECT_EQ(check.windowTitle(), "Check Store - Valley Lodge Gift Shop");
        EXPECT_EQ(Child<FlexGrid>(check, "gdFindings").Rows(), 7);
        check.hide();
    });
    window->mnuToolCheckStore->trigger();
}

ZEV_INSTANTIATE_BACKENDS(HostJourneyTest);

} // namespace
