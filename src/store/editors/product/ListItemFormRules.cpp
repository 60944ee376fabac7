#include "store/editors/product/ListItemFormRules.h"

#include "sdk/RuntimeError.h"
#include "store/editors/product/SequenceChecks.h"
#include "store/records/CListItem.h"
#include "widgets/MsgBox.h"

ListItemFormRules::Values ListItemFormRules::Show(const CListItem& item) {
    Values values;
    if (item.SeqNo() != 0)
        values.seqNo = QString::number(item.SeqNo());
    values.productNo = item.ProductNo();
    values.productItemSeqNo = item.ProductItemSeqNo();
    values.productItemName = item.ProductItemName();
    if (item.PriceNo() != 0)
        values.price = {item.PriceNo(), item.Price(), item.UnitQty()};
    return values;
}

QString ListItemFormRules::ProductItemText(const Values& values) {
    return QStringLiteral("%1-%2 : %3")
        .arg(values.productNo)
        .arg(values.productItemSeqNo)
        .arg(values.productItemName);
}

CheckResult ListItemFormRules::Check(const Values& values) {
    if (auto refusal = CheckSequenceNumber(values.seqNo))
        return refusal;
    if (values.price.priceNo == 0)
        return Refusal{QStringLiteral("A price is required."),
                       QStringLiteral("Price is required"),
                       MsgBoxStyle::OKOnly | MsgBoxStyle::Information,
                       QStringLiteral("cmdSelectPrice"),
                       {}};
    if (values.productNo == 0 || values.productItemSeqNo == 0)
        return Refusal{QStringLiteral("You must select a product."), {}, MsgBoxStyle::OKOnly, {}, {}};
    return std::nullopt;
}

bool ListItemFormRules::Fill(const Values& values, CListItem& item) {
    int32_t seqNo = 0;
    try {
        seqNo = Variant(values.seqNo).toInt32();
    } catch (const RuntimeError&) {
        return false;
    }
    item.setSeqNo(seqNo);
    item.setProductNo(values.productNo);
    item.setProductItemSeqNo(values.productItemSeqNo);
    item.setProductItemName(values.productItemName);
    item.setPriceNo(values.price.priceNo);
    item.setPrice(values.price.amount);
    item.setUnitQty(values.price.unitQty);
    return true;
}
