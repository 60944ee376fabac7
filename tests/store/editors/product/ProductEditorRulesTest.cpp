#include "store/editors/product/ListItemFormRules.h"
#include "store/editors/product/ProductFormRules.h"
#include "store/editors/product/ProductItemFormRules.h"
#include "store/editors/product/SellFormRules.h"
#include "store/editors/product/SequenceChecks.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "store/records/CStoreProductItemSell.h"

#include <gtest/gtest.h>

namespace {

// The text of the first refused check, empty when everything passes.
QString Refused(const CheckResult& result) {
    return result ? result->text : QString();
}

ProductFormRules::Values ValidProduct() {
    ProductFormRules::Values values;
    values.productNo = "120";
    return values;
}

TEST(ProductFormRulesTest, ChecksRunInOrderWithTheirCaptionsAndFocus) {
    struct Case {
        QString productNo;
        int groupIndex;
        QString family, display, text, caption, focus;
        QString name = "Day pass";
    };
    const QString number = "InValid Product Number";
    const QString dropDown =
        QStringLiteral("Product item display of 'DropDown' is not valid unless the photo "
                       "family is 'Holiday' or 'Individual'.");
    const QString combination = "Invalid Combination";
    const QString display = "cmbItemDisplayType";
    const Case cases[] = {
        {"", -1, "<None>", "DropDown", "You must supply a product number.", number, "txtProductNo"},
        {"12a", -1, "<None>", "<None>", "Product Number must be numeric.", number, "txtProductNo"},
        {"1234567890", 0, "<None>", "<None>", "Product Number must be 9 digits or less.", number,
         "txtProductNo"},
        {"12", -1, "<None>", "DropDown", "Please enter a product name before saving.",
         "Product Name Required", "txtProductName", " "},
        {"12", -1, "<None>", "DropDown", "Please select a product group for this product before saving.",
         "Product Group Required", "cmbProductGroup"},
        {"12", 0, "<None>", "DropDown", dropDown, combination, display},
        {"12", 0, "", "DropDown", dropDown, combination, display},
        {"12", 0, "Collection", "DropDown", dropDown, combination, display},
        {"12", 0, "Holiday", "DropDown", "", "", ""},
        {"12", 0, "Individual", "DropDown", "", "", ""},
        {"12", 0, "Retail", "DropDown", "", "", ""},
        {"12.5", 3, "<None>", "Picture", "", "", ""},
    };
    for (const Case& c : cases) {
        ProductFormRules::Values values;
        values.productNo = c.productNo;
        values.productName = c.name;
        values.groupIndex = c.groupIndex;
        values.photoFamily = c.family;
        values.itemDisplayType = c.display;
        const CheckResult result = ProductFormRules::Check(values);
        SCOPED_TRACE(c.productNo.toStdString() + " " + c.family.toStdString());
        EXPECT_EQ(Refused(result), c.text);
        if (result) {
            EXPECT_EQ(result->caption, c.caption);
            EXPECT_EQ(result->focus, c.focus);
            EXPECT_EQ(result->buttons, 64);
            EXPECT_EQ(result->tabKey, c.focus.startsWith("txtProduct") ? "GENERAL" : "");
        }
    }
}

TEST(ProductFormRulesTest, FillConvertsAndKeepsWhatTheFormDoesNotDecide) {
    CProduct product;
    product.ManualInvoice = 1;
    product.ImageWidth = 300;
    ProductFormRules::Values values = ValidProduct();
    values.productNo = "12.5";
    values.photoFamily = "Holiday";
    values.itemDisplayType = "Picture&Desc";
    values.groupNumber = 20;
    values.groupText = "Season Passes";
    values.numCols = "x";
    values.manualInvoice = 2; // grey: the group decides
    values.productType = QString(300, QLatin1Char('T'));
    ProductFormRules::Fill(values, product);
    // The number's half goes to the even neighbour; numbers that are not are 0; grey leaves the invoice flag.
    EXPECT_EQ(std::tuple(product.ProductNo(), product.ProductGroupNo(), product.ImageWidth, product.NumCols,
                         product.ManualInvoice, product.ProductType().size()),
              std::tuple(12, 20, 0, 0, 1, 255));
    EXPECT_EQ(QStringList({product.PhotoFamily, product.ItemDisplayType, product.ProductGroupDescription()}),
              QStringList({"HOLIDAY", "PICTURE&DESC", "Season Passes"}));

    values.photoFamily = values.itemDisplayType = "<None>";
    values.groupNumber = 0;
    values.manualInvoice = 0;
    ProductFormRules::Fill(values, product);
    EXPECT_EQ(product.PhotoFamily + product.ItemDisplayType + product.ProductGroupDescription(), "");
    EXPECT_EQ(product.ManualInvoice, 0);
}

TEST(ProductFormRulesTest, ShowCaptionAndProposedNumbers) {
    CProduct product;
    EXPECT_EQ(ProductFormRules::Caption(product), "Store Product  (NEW)"); // a stored one: the form test's

    product.ItemDisplayType = "PICTURE&DESC";
    ProductFormRules::Values values;
    values.productNo = "typed";
    values.imageWidth = "kept";
    ProductFormRules::Show(product, values);
    EXPECT_EQ(values.productNo, "typed");
    EXPECT_EQ(values.imageWidth, "kept");
    EXPECT_EQ(values.itemDisplayType, "Picture&Desc");

    EXPECT_EQ(ProductFormRules::ProposedSeqNo(1, 5), 6);
    EXPECT_EQ(ProductFormRules::ProposedSeqNo(9, 5), 9);
}

TEST(SequenceChecksTest, SaveAndLinkChecks) {
    EXPECT_EQ(Refused(CheckSequenceNumber("")), "You must supply a sequence number.");
    EXPECT_EQ(Refused(CheckSequenceNumber("x")), "Sequence Number must be numeric.");
    EXPECT_EQ(Refused(CheckSequenceNumber("1234567890")), "Sequence Number must be 9 digits or less.");
    EXPECT_FALSE(CheckSequenceNumber("12"));
    EXPECT_EQ(Refused(CheckSequenceForSells("", 3)),
              "You must supply a sequence number and apply before editing cross\\up sells.");
    EXPECT_EQ(Refused(CheckSequenceForSells("x", 3)),
              "Sequence Number must be numeric and apply before editing cross\\up sells.");
    EXPECT_EQ(Refused(CheckSequenceForSells("1234567890", 3)),
              "Sequence Number must be 9 digits or less and apply before editing cross\\up sells.");
    const CheckResult changed = CheckSequenceForSells("4", 3);
    EXPECT_EQ(Refused(changed), "The new sequence number must be applied before editing cross\\up sells.");
    EXPECT_EQ(changed->focus, "cmdApply");
    EXPECT_EQ(changed->caption, "InValid Sequence Number");
    EXPECT_FALSE(CheckSequenceForSells("3", 3));
}

TEST(ProductItemFormRulesTest, CaptionShowAndFill) {
    EXPECT_EQ(ProductItemFormRules::Caption("Day Tickets", 0), "Product Item Day Tickets SeqNo(<NEW>)");
    CProductItem item;
    item.setItemNo(1001);
    item.MinAge = 13;
    item.ManualInvoice = 1;
    item.ProductManualInvoice = true;
    ProductItemFormRules::Values values = ProductItemFormRules::Show(item);
    EXPECT_EQ(values.minAge, "13.00");
    EXPECT_EQ(values.manualInvoice, 2);

    values.seqNo = "7";
    values.minAge.clear();
    values.maxAge = "old";
    values.advancePurchaseDays.clear();
    values.manualInvoice = 0;
    values.price = {0, 12.5, 2};
    item.setPriceNo(44);
    ASSERT_TRUE(ProductItemFormRules::Fill(values, item));
    // Empty and wrong ages are 0, an inherited invoice flag is unchanged, an unbound price is cleared.
    EXPECT_EQ(std::tuple(item.MinAge, item.MaxAge, item.ManualInvoice, item.PriceNo(), item.Price()),
              std::tuple(0.0, 0.0, 1, 0, 0.0));

    values.advancePurchaseDays = "three";
    EXPECT_EQ(Refused(ProductItemFormRules::Check(values)),
              "Advance Purchase Days must be a whole number of 9 digits or less.");
    values.idValue = "0";
    EXPECT_EQ(Refused(ProductItemFormRules::Check(values)), "You must select an item or package");
}

TEST(ProductItemFormRulesTest, AnotherItemClearsThePriceBinding) {
    ProductItemFormRules::Values values;
    values.productType = "PKG";
    values.packageNo = 501;
    values.price = {130, 99.0, 1};
    ProductItemFormRules::ItemPicked(values, 502, "Family Four Pack");
    EXPECT_EQ(values.idValue, "502");
    EXPECT_EQ(values.description, "Family Four Pack");
    EXPECT_EQ(values.price.priceNo, 0);
    EXPECT_EQ(values.price.Text(), "");
}

SellFormRules::Values Prices(int32_t from, int32_t to, bool upSell) {
    SellFormRules::Values values;
    values.from = SellFormRules::Label(2, from, 12.5);
    values.to = SellFormRules::Label(1, to, 1234.5);
    values.upSell = upSell;
    return values;
}

TEST(SellFormRulesTest, PriceRulesAndTheCrossSellQuestion) {
    EXPECT_EQ(Prices(15, 0, true).from.text, "2@(15) $12.50");
    EXPECT_EQ(Refused(SellFormRules::Check(Prices(15, 0, true))),
              "Both a from and a to price must be defined if one is defined.");
    EXPECT_EQ(SellFormRules::Check(Prices(0, 16, false))->caption, "Prices Required");
    EXPECT_FALSE(SellFormRules::Check(Prices(15, 16, false)));
    EXPECT_TRUE(SellFormRules::NeedsConfirmation(Prices(15, 16, false)));
    EXPECT_FALSE(SellFormRules::NeedsConfirmation(Prices(15, 16, true)));
    EXPECT_FALSE(SellFormRules::NeedsConfirmation(Prices(0, 0, false)));
    EXPECT_EQ(SellFormRules::ConfirmText,
              "You have defined from and to prices.  Are you sure this is not an UPSELL?");
    EXPECT_EQ(SellFormRules::ConfirmCaption, "Confirm Sell Type");
}

TEST(SellFormRulesTest, FillReadsPricesBackFromTheLabels) {
    CStoreProductItemSell link;
    SellFormRules::Values values = Prices(15, 16, true);
    values.sellText = "Ski more";
    SellFormRules::Fill(values, link);
    EXPECT_EQ(std::tuple(link.PriceNo(), link.UnitQty(), link.Price(), link.NewPrice()),
              std::tuple(15, Variant(int16_t(2)), 12.5, 1234.5));
    EXPECT_EQ(QStringList({link.SellCode(), link.SellText()}), QStringList({"UPSELL", "Ski more"}));

    SellFormRules::Fill(Prices(0, 0, false), link);
    EXPECT_EQ(std::tuple(link.PriceNo(), link.Price(), link.NewPriceNo(), link.NewPrice()),
              std::tuple(0, 0.0, 0, 0.0));
    EXPECT_EQ(link.SellCode(), "CROSSSELL");
}

TEST(ListItemFormRulesTest, RefusalsInOrder) {
    ListItemFormRules::Values values;
    values.seqNo = "4";
    const CheckResult noPrice = ListItemFormRules::Check(values);
    EXPECT_EQ(Refused(noPrice), "A price is required.");
    EXPECT_EQ(noPrice->caption, "Price is required");
    EXPECT_EQ(noPrice->focus, "cmdSelectPrice");
    values.price = {109, 499.0, 1};
    const CheckResult noProduct = ListItemFormRules::Check(values);
    EXPECT_EQ(Refused(noProduct), "You must select a product.");
    EXPECT_EQ(noProduct->caption, "");
    EXPECT_EQ(noProduct->buttons, 0);

    values.productNo = 200;
    values.productItemSeqNo = 2;
    values.productItemName = "Season Pass";
    EXPECT_FALSE(ListItemFormRules::Check(values));
    EXPECT_EQ(ListItemFormRules::ProductItemText(values), "200-2 : Season Pass");
}

} // namespace
