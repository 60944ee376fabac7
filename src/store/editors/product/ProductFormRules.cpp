#include "store/editors/product/ProductFormRules.h"

#include "sdk/RuntimeError.h"
#include "sdk/Variant.h"
#include "store/records/CProduct.h"
#include "store/records/CProductItem.h"
#include "widgets/MsgBox.h"

#include <QStringList>

namespace {

const QString None = QStringLiteral("<None>");
const int32_t InfoOk = MsgBoxStyle::OKOnly | MsgBoxStyle::Information;

// A step whose conversion fails is skipped; the next one still runs.
template <typename Step> void Try(Step&& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

// 0, or the box as a 32-bit integer when it holds a number.
void SetSize(const QString& box, int32_t& field) {
    field = 0;
    Try([&] {
        if (!box.isEmpty() && IsNumericText(box))
            field = Variant(box).toInt32();
    });
}

// "PICTURE&DESC" shows as "Picture&Desc": each word capitalised.
QString WordCase(const QString& text) {
    QString result = text.toLower();
    bool start = true;
    for (QChar& c : result) {
        if (start && c.isLetter())
            c = c.toUpper();
        start = !c.isLetterOrNumber();
    }
    return result;
}

} // namespace

const QStringList& ProductFormRules::PhotoFamilies() {
    static const QStringList list{None, QStringLiteral("Collection"), QStringLiteral("Holiday"),
                                  QStringLiteral("Individual"), QStringLiteral("Retail")};
    return list;
}

const QStringList& ProductFormRules::ItemDisplayTypes() {
    static const QStringList list{None,
                                  QStringLiteral("Button"),
                                  QStringLiteral("DropDown"),
                                  QStringLiteral("Hyperlink"),
                                  QStringLiteral("Picture"),
                                  QStringLiteral("Picture&Desc")};
    return list;
}

QString ProductFormRules::Caption(const CProduct& product) {
    const QString number =
        product.ProductNo() == 0 ? QStringLiteral("NEW") : QString::number(product.ProductNo());
    return QStringLiteral("Store Product ") + product.ProductName() + QStringLiteral(" (") + number +
           QLatin1Char(')');
}

void ProductFormRules::Show(const CProduct& product, Values& values) {
    if (product.OriginalProductNo() != 0)
        values.productNo = QString::number(product.OriginalProductNo());
    values.productName = product.ProductName();
    values.shortDescription = product.ShortDescription();
    values.longDescription = product.LongDescription();
    values.productURL = product.ProductURL();
    if (product.ImageWidth > 0)
        values.imageWidth = QString::number(product.ImageWidth);
    if (product.ImageHeight > 0)
        values.imageHeight = QString::number(product.ImageHeight);
    values.numCols = QString::number(product.NumCols);
    values.productType = product.ProductType();
    values.isActive = product.IsActive;
    values.photoFamily = product.PhotoFamily;
    values.itemDisplayType = WordCase(product.ItemDisplayType);
    values.manualInvoiceEnabled = !product.GroupManualInvoice;
    values.manualInvoice = product.GroupManualInvoice ? 2 : (product.ManualInvoice != 0 ? 1 : 0);
    values.groupNumber = product.ProductGroupNo();
}

CheckResult ProductFormRules::Check(const Values& values) {
    const QString numberCaption = QStringLiteral("InValid Product Number");
    const QString numberBox = QStringLiteral("txtProductNo");
    const QString general = QStringLiteral("GENERAL");
    if (values.productNo.isEmpty())
        return Refusal{QStringLiteral("You must supply a product number."), numberCaption, InfoOk, numberBox,
                       general};
    if (!IsNumericText(values.productNo))
        return Refusal{QStringLiteral("Product Number must be numeric."), numberCaption, InfoOk, numberBox,
                       general};
    if (values.productNo.size() > 9)
        return Refusal{QStringLiteral("Product Number must be 9 digits or less."), numberCaption, InfoOk,
                       numberBox, general};
    if (values.productName.trimmed().isEmpty())
        return Refusal{QStringLiteral("Please enter a product name before saving."),
                       QStringLiteral("Product Name Required"), InfoOk, QStringLiteral("txtProductName"),
                       general};
    if (values.groupIndex < 0)
        return Refusal{QStringLiteral("Please select a product group for this product before saving."),
                       QStringLiteral("Product Group Required"),
                       InfoOk,
                       QStringLiteral("cmbProductGroup"),
                       {}};
    const QString& family = values.photoFamily;
    if (values.itemDisplayType == QLatin1String("DropDown") &&
        (family.isEmpty() || family == None || family == QLatin1String("Collection")))
        return Refusal{QStringLiteral("Product item display of 'DropDown' is not valid unless the photo "
                                      "family is 'Holiday' or 'Individual'."),
                       QStringLiteral("Invalid Combination"),
                       InfoOk,
                       QStringLiteral("cmbItemDisplayType"),
                       {}};
    return std::nullopt;
}

void ProductFormRules::Fill(const Values& values, CProduct& product) {
    Try([&] { product.setProductNo(Variant(values.productNo).toInt32()); });
    product.PhotoFamily.clear();
    if (values.photoFamily != None)
        product.PhotoFamily = values.photoFamily.toUpper();
    product.setShortDescription(values.shortDescription);
    product.setLongDescription(values.longDescription);
    product.setProductName(values.productName);
    product.setProductGroupNo(values.groupNumber);
    product.setProductGroupDescription(values.groupNumber != 0 ? values.groupText : QString());
    SetSize(values.imageWidth, product.ImageWidth);
    SetSize(values.imageHeight, product.ImageHeight);
    SetSize(values.numCols, product.NumCols);
    product.setProductURL(values.productURL);
    product.setProductType(values.productType.left(255));
    product.IsActive = values.isActive;
    product.ItemDisplayType.clear();
    if (values.manualInvoice != 2)
        product.ManualInvoice = int16_t(values.manualInvoice);
    if (values.itemDisplayType != None)
        product.ItemDisplayType = values.itemDisplayType.toUpper();
}

int32_t ProductFormRules::ProposedSeqNo(int32_t defaultSeqNo, int32_t highestSeqNo) {
    return defaultSeqNo < highestSeqNo + 1 ? highestSeqNo + 1 : defaultSeqNo;
}

QString ProductFormRules::GridFormat() {
    return QStringLiteral("^SeqNo|IsActive|^Type|Item\\Pkg|PriceNo|>Price|Name");
}

ProductFormRules::Kind ProductFormRules::LoadedKind(int32_t itemNo, int32_t packageNo, int32_t priceNo,
                                                    const Kind& previous) {
    Kind kind = previous;
    if (itemNo != 0)
        kind = {QStringLiteral("ITEM"), itemNo};
    if (packageNo != 0)
        kind = {QStringLiteral("PKG"), packageNo};
    if (priceNo != 0)
        kind.type = QStringLiteral("PRICE");
    return kind;
}

QString ProductFormRules::GridRow(int32_t seqNo, bool isActive, const Kind& kind, int32_t priceNo,
                                  double price, const QString& name) {
    const QStringList cells{QString::number(seqNo),
                            Variant(isActive).toText(),
                            kind.type,
                            QString::number(kind.number),
                            priceNo == 0 ? QString() : QString::number(priceNo),
                            priceNo == 0 ? QString() : QString::number(price),
                            name};
    return cells.join(QLatin1Char('\t'));
}

QString ProductFormRules::GridRow(const CProductItem& item) {
    return GridRow(item.SeqNo(), item.IsActive, {item.ProductType(), item.IDValue()}, item.PriceNo(),
                   item.Price(), item.ProductItemName());
}
