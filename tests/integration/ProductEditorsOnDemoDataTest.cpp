#include "dbsupport/TestDatabase.h"
#include "store/editors/product/frmStoreListItem.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/editors/product/frmStoreProductItem.h"
#include "store/editors/product/frmStoreProductItemSell.h"
#include "store/host/CStoreMaint.h"
#include "store/pickers/frmSelectPrice.h"
#include "store/pickers/frmSelectStoreProductItem.h"
#include "store/records/CListItem.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStoreProductItemSell.h"
#include "support/FakeAppServer.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"
#include "widgets/FlexGrid.h"
#include "widgets/KeyedCombo.h"
#include "widgets/NullableDatePicker.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlRecord>

namespace {

constexpr int32_t StoreNo = 1;
constexpr int32_t NewProduct = 700;
const QDateTime Jan5(QDate(2027, 1, 5), QTime(0, 0));
const QDateTime Mar31(QDate(2027, 3, 31), QTime(0, 0));

// Everything on the demo data, the new product's rows excluded, as one text.
QString Untouched(TestDatabase& db) {
    const QString others = QStringLiteral(" WHERE NOT (store_no = 1 AND product_no = 700)");
    QString dump;
    for (const QString& sql :
         {QStringLiteral("SELECT * FROM zev_store_product") + others,
          QStringLiteral("SELECT * FROM zev_store_product_item") + others,
          QStringLiteral("SELECT * FROM zev_store_product_item_sell") + others +
              QStringLiteral(" AND NOT (store_no = 1 AND new_product_no = 700)"),
          QStringLiteral(
              "SELECT * FROM zev_store_list_item WHERE NOT (store_no = 1 AND list_id = 'FEATURED' AND "
              "seq_no = 9)"),
          QStringLiteral("SELECT * FROM zev_store_product_group"), QStringLiteral("SELECT * FROM zev_price"),
          QStringLiteral("SELECT * FROM zev_store_list")}) {
        QSqlQuery rows = db.session().run(sql + QStringLiteral(" ORDER BY 1, 2, 3"));
        while (rows.next())
            for (int c = 0; c < rows.record().count(); ++c)
                dump += rows.value(c).toString() + QLatin1Char('|');
        dump += QLatin1Char('\n');
    }
    return dump;
}

// Picks rows in the pickers as a user would.
void ChooseProductItem(frmSelectStoreProductItem& picker, int32_t productNo, int32_t seqNo) {
    for (int32_t row = 1; row < picker.gdItems->Rows(); ++row)
        if (picker.gdItems->TextMatrix(row, 0) == QString::number(productNo) &&
            picker.gdItems->TextMatrix(row, 2) == QString::number(seqNo))
            picker.gdItems->setIsSelected(row, true);
    picker.cmdOk->click();
}

void ChoosePrice(frmSelectPrice& picker, int32_t priceNo) {
    for (int32_t row = 1; row < picker.gdItems->Rows(); ++row)
        if (picker.gdItems->TextMatrix(row, 0) == QString::number(priceNo))
            picker.gdItems->setRow(row);
    ASSERT_EQ(picker.gdItems->TextMatrix(picker.gdItems->Row(), 0), QString::number(priceNo));
    picker.cmdOk->click();
}

class ProductEditorsOnDemoDataTest : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped())
            return;
        server->db = connection();
        server->error = error;
        maint.setAppServer(server);
    }

    // Adds an item or package through the host's picker and saves it with the proposed number.
    void AddItem(frmStoreProduct& editor, const char* button, int32_t number, const QString& name) {
        server->items->choice = std::pair{number, name};
        ModalScript dialogs;
        dialogs.on<frmStoreProductItem>([&](frmStoreProductItem& item) {
            item.txtProductItemName->setText(name);
            item.cmdOk->click();
        });
        editor.findChild<QPushButton*>(button)->click();
    }

    // Binds price 103, sets ages, prompts and dates, and adds an up-sell to the season pass.
    void EditFirstItem(frmStoreProductItem& item) {
        ModalScript dialogs;
        dialogs.on<frmSelectPrice>([](frmSelectPrice& picker) { ChoosePrice(picker, 103); });
        if (item.cmdClearPrice->isEnabled())
            item.cmdClearPrice->click();
        item.cmdSelectPrice->click();
        item.txtMinAge->setText(QStringLiteral("6.5"));
        item.txtMaxAge->setText(QStringLiteral("12"));
        item.ckbPromptLesson->setChecked(true);
        item.ckbPromptAlert->setChecked(true);
        item.dtStartDate->setValue(Jan5);
        item.dtEndDate->setValue(Mar31);
        item.txtAdvancePurchaseDays->setText(QStringLiteral("3"));

        dialogs.on<frmSelectStoreProductItem>(
            [](frmSelectStoreProductItem& picker) { ChooseProductItem(picker, 200, 2); });
        dialogs.on<frmStoreProductItemSell>([&](frmStoreProductItemSell& link) {
            ModalScript prices;
            prices.on<frmSelectPrice>([](frmSelectPrice& picker) { ChoosePrice(picker, 103); });
            prices.on<frmSelectPrice>([](frmSelectPrice& picker) { ChoosePrice(picker, 109); });
            link.cmdSelectPrice->click();
            link.cmdNewPriceSelect->click();
            link.optUpSell->setChecked(true);
            link.txtSellText->setText(QStringLiteral("Ski all winter"));
            link.cmdOk->click();
            EXPECT_FALSE(link.UserCancelled());
        });
        item.cmdAdd->click();
        EXPECT_EQ(item.gdItemSell->Rows(), 2);
        item.cmdOk->click();
        EXPECT_FALSE(item.UserCancelled());
    }

    std::shared_ptr<FakeAppServer> server = std::make_shared<FakeAppServer>();
    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
    CStoreMaint maint;
};

TEST_P(ProductEditorsOnDemoDataTest, ProductItemsLinksAndListItemRoundTrip) {
    const QString before = Untouched(db());
    CProduct product;
    product.setStoreNo(StoreNo);
    frmStoreProduct editor;
    editor.Setup(maint, product);
    editor.txtProductNo->setText(QStringLiteral("100"));
    editor.txtProductName->setText(QStringLiteral("Night Skiing"));
    editor.txtShortDescription->setText(QStringLiteral("Under the lights"));
    editor.cmbProductGroup->setSelectedIndex(editor.cmbProductGroup->IndexOfNumber(10));
    {
        // A number already taken is refused with the procedure's message; the input stays.
        ScriptedMessages messages;
        messages.expect();
        editor.findChild<QPushButton*>("cmdApply")->click();
        EXPECT_EQ(messages.shown()[0].prompt, "Product 100 already exists in store 1.");
        EXPECT_EQ(editor.txtProductName->text(), "Night Skiing");
    }
    editor.txtProductNo->setText(QString::number(NewProduct));
    editor.findChild<QPushButton*>("cmdApply")->click();
    EXPECT_EQ(db().count("zev_store_product", "store_no = 1 AND product_no = 700"), 1);
    editor.tabProperties->SelectKey(QStringLiteral("ITEMS"));

    AddItem(editor, "cmdAddItem", 1001, QStringLiteral("Night Adult"));
    AddItem(editor, "cmdAddPackage", 503, QStringLiteral("Night Combo"));
    ASSERT_EQ(editor.gdItems->Rows(), 3);
    EXPECT_EQ(editor.gdItems->TextMatrix(2, 2), "PKG");
    editor.gdItems->setRow(1);
    {
        ModalScript dialogs;
        dialogs.on<frmStoreProductItem>([&](frmStoreProductItem& item) { EditFirstItem(item); });
        editor.cmdEdit->click();
    }
    EXPECT_EQ(editor.gdItems->TextMatrix(1, 4), "103");
    editor.txtProductURL->setText(QStringLiteral("https://summitpeak.example/night"));
    editor.cmdOk->click();
    EXPECT_FALSE(editor.UserCanceled());

    // Everything is found again.
    CProduct reopened;
    ASSERT_TRUE(reopened.OpenProduct(connection(), error, StoreNo, NewProduct));
    EXPECT_EQ(reopened.ProductName(), "Night Skiing");
    EXPECT_EQ(reopened.ShortDescription(), "Under the lights");
    EXPECT_EQ(reopened.ProductURL(), "https://summitpeak.example/night");
    EXPECT_EQ(reopened.ProductGroupNo(), 10);
    CProductItem item;
    ASSERT_TRUE(item.OpenProductItem(connection(), error, StoreNo, NewProduct, 1));
    EXPECT_EQ(item.ProductItemName(), "Night Adult");
    EXPECT_EQ(item.ItemNo(), 1001);
    EXPECT_EQ(item.PriceNo(), 103);
    EXPECT_EQ(item.MinAge, 6.5);
    EXPECT_EQ(item.MaxAge, 12.0);
    EXPECT_TRUE(item.PromptLesson());
    EXPECT_TRUE(item.PromptAlert);
    EXPECT_EQ(item.AdvancePurchaseDays(), 3);
    EXPECT_EQ(item.AvailableStartDate().toDateTime(), Jan5);
    EXPECT_EQ(item.AvailableEndDate().toDateTime(), Mar31);
    CStoreProductItemSell link;
    ASSERT_TRUE(link.OpenStoreProductItemSell(connection(), error, StoreNo, NewProduct, 1, 103, 200, 2, 109));
    EXPECT_EQ(link.SellCode(), "UPSELL");
    EXPECT_EQ(link.SellText(), "Ski all winter");

    // The reopened product lists both items; deleting the package removes it at once.
    frmStoreProduct again;
    again.Setup(maint, reopened);
    again.tabProperties->SelectKey(QStringLiteral("ITEMS"));
    ASSERT_EQ(again.gdItems->Rows(), 3);
    EXPECT_EQ(again.txtProductName->text(), "Night Skiing");
    {
        ScriptedMessages messages;
        messages.expect(MsgBoxResult::Yes);
        again.gdItems->setRow(2);
        again.cmdDelete->click();
    }
    EXPECT_EQ(again.gdItems->Rows(), 2);
    EXPECT_EQ(db().count("zev_store_product_item", "store_no = 1 AND product_no = 700"), 1);

    // A new featured entry for the item at its bound price.
    CListItem entry;
    entry.setStoreNo(StoreNo);
    entry.setListId(QStringLiteral("FEATURED"));
    frmStoreListItem listEditor;
    listEditor.Setup(maint, entry);
    {
        ModalScript dialogs;
        dialogs.on<frmSelectStoreProductItem>(
            [](frmSelectStoreProductItem& picker) { ChooseProductItem(picker, NewProduct, 1); });
        dialogs.on<frmSelectPrice>([](frmSelectPrice& picker) { ChoosePrice(picker, 103); });
        listEditor.show();
        QApplication::processEvents();
        listEditor.cmdSelectPrice->click();
    }
    listEditor.txtSeqNo->setText(QStringLiteral("9"));
    listEditor.cmdOk->click();
    EXPECT_FALSE(listEditor.UserCancelled());
    EXPECT_EQ(db().count("zev_store_list_item",
                         "store_no = 1 AND list_id = 'FEATURED' AND seq_no = 9 AND product_no = 700 AND "
                         "product_item_seq_no = 1 AND price_no = 103"),
              1);

    EXPECT_EQ(Untouched(db()), before);
    EXPECT_TRUE(error->reports.empty()) << error->reports[0].description.toStdString();
}

ZEV_INSTANTIATE_BACKENDS(ProductEditorsOnDemoDataTest);

} // namespace
