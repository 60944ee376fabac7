#include "store/editors/product/ProductItemFormRules.h"

#include "sdk/Format.h"
#include "sdk/RuntimeError.h"
#include "store/editors/product/PriceBinding.h"
#include "store/editors/product/SequenceChecks.h"
#include "store/records/CProductItem.h"
#include "store/records/CStoreProductItemSell.h"
#include "widgets/MsgBox.h"

#include <QStringList>

namespace {

// 0, or the box as a number when it holds one.
double AgeValue(const QString& box) {
    return !box.isEmpty() && IsNumericText(box) ? Variant(box).toDouble() : 0.0;
}

} // namespace

QString ProductItemFormRules::Price::Text() const {
    return PriceBindingText(unitQty, priceNo, amount);
}

QString ProductItemFormRules::Caption(const QString& productName, int32_t seqNo) {
    const QString number = seqNo == 0 ? QStringLiteral("<NEW>") : QString::number(seqNo);
    return QStringLiteral("Product Item ") + productName + QStringLiteral(" SeqNo(") + number +
           QLatin1Char(')');
}

ProductItemFormRules::Values ProductItemFormRules::Show(const CProductItem& item) {
    Values values;
    if (item.SeqNo() != 0)
        values.seqNo = QString::number(item.SeqNo());
    values.idValue = QString::number(item.IDValue());
    values.productType = item.ProductType();
    values.itemNo = item.ItemNo();
    values.packageNo = item.PackageNo();
    values.price = {item.PriceNo(), item.Price(), item.PriceUnitQty()};
    values.description = item.Description();
    values.productItemName = item.ProductItemName();
    values.productURL = item.ProductURL();
    values.startDate = item.AvailableStartDate();
    values.endDate = item.AvailableEndDate();
    values.advancePurchaseDays = QString::number(item.AdvancePurchaseDays());
    values.isActive = item.IsActive;
    const bool inherited = item.ProductManualInvoice || item.GroupManualInvoice;
    values.manualInvoiceEnabled = !inherited;
    values.manualInvoice = inherited ? 2 : (item.ManualInvoice != 0 ? 1 : 0);
    values.promptAlert = item.PromptAlert;
    values.promptCustomer = item.PromptCustomer();
    values.promptLesson = item.PromptLesson();
    values.promptPhoto = item.PromptPhoto();
    values.promptRental = item.PromptRental();
    values.minAge = Format(item.MinAge, QStringLiteral("0.00"));
    values.maxAge = Format(item.MaxAge, QStringLiteral("0.00"));
    return values;
}

CheckResult ProductItemFormRules::Check(const Values& values) {
    if (auto refusal = CheckSequenceNumber(values.seqNo))
        return refusal;
    // An item without an item or a package cannot be sold: 0 counts as no choice.
    if (values.idValue.isEmpty() || values.idValue == QLatin1String("0"))
        return Refusal{QStringLiteral("You must select an item or package"),
                       {},
                       MsgBoxStyle::OKOnly,
                       QStringLiteral("cmdSelect"),
                       {}};
    const QString& days = values.advancePurchaseDays;
    if (!days.isEmpty() && (!IsNumericText(days) || days.size() > 9))
        return Refusal{QStringLiteral("Advance Purchase Days must be a whole number of 9 digits or less."),
                       QStringLiteral("Invalid Advance Purchase Days"),
                       MsgBoxStyle::OKOnly | MsgBoxStyle::Information,
                       QStringLiteral("txtAdvancePurchaseDays"),
                       {}};
    return std::nullopt;
}

bool ProductItemFormRules::Fill(const Values& values, CProductItem& item) {
    int32_t seqNo = 0, id = 0, days = 0;
    try {
        seqNo = Variant(values.seqNo).toInt32();
        id = Variant(values.idValue).toInt32();
        if (!values.advancePurchaseDays.isEmpty())
            days = Variant(values.advancePurchaseDays).toInt32();
    } catch (const RuntimeError&) {
        return false;
    }
    item.setSeqNo(seqNo);
    item.setDescription(values.description);
    item.setProductItemName(values.productItemName);
    item.setProductURL(values.productURL);
    if (item.ProductType() == QLatin1String("ITEM"))
        item.setItemNo(id);
    else
        item.setPackageNo(id);
    const bool bound = values.price.priceNo != 0;
    item.setPriceNo(bound ? values.price.priceNo : 0);
    item.setPrice(bound ? values.price.amount : 0);
    item.setAvailableStartDate(values.startDate);
    item.setAvailableEndDate(values.endDate);
    item.setAdvancePurchaseDays(days);
    item.IsActive = values.isActive;
    if (!item.ProductManualInvoice && !item.GroupManualInvoice)
        item.ManualInvoice = int16_t(values.manualInvoice == 1 ? 1 : 0);
    item.MinAge = AgeValue(values.minAge);
    item.MaxAge = AgeValue(values.maxAge);
    item.PromptAlert = values.promptAlert;
    item.setPromptCustomer(values.promptCustomer);
    item.setPromptLesson(values.promptLesson);
    item.setPromptPhoto(values.promptPhoto);
    item.setPromptRental(values.promptRental);
    return true;
}

void ProductItemFormRules::ItemPicked(Values& values, int32_t number, const QString& description) {
    bool differs = false;
    if (values.productType == QLatin1String("ITEM")) {
        differs = number != values.itemNo || number != values.packageNo;
        values.itemNo = number;
    } else {
        values.packageNo = number;
        differs = number != values.itemNo;
    }
    values.idValue = QString::number(number);
    values.description = description;
    if (differs) {
        values.price.priceNo = 0;
        values.price.unitQty = 0;
    }
}

QString ProductItemFormRules::SellGridFormat() {
    return QStringLiteral("Type|From Price|To Price|Product No|Seq No|To Product Item Name");
}

QString ProductItemFormRules::SellGridRow(const QString& sellCode, const QString& fromText,
                                          const QString& toText, int32_t newProductNo, int32_t newSeqNo,
                                          const QString& newProductItemName) {
    const QString name = QStringLiteral("%1-%2 : %3").arg(newProductNo).arg(newSeqNo).arg(newProductItemName);
    return QStringList{sellCode, fromText, toText, QString::number(newProductNo), QString::number(newSeqNo),
                       name}
        .join(QLatin1Char('\t'));
}

QString ProductItemFormRules::SellGridRow(const CStoreProductItemSell& link) {
    return SellGridRow(link.SellCode(),
                       PriceBindingText(link.UnitQty().toInt16(), link.PriceNo(), link.Price()),
                       PriceBindingText(link.NewUnitQty().toInt16(), link.NewPriceNo(), link.NewPrice()),
                       link.NewProductNo(), link.NewSeqNo(), link.NewProductItemName());
}
