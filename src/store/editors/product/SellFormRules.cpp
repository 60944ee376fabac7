#include "store/editors/product/SellFormRules.h"

#include "sdk/RuntimeError.h"
#include "sdk/Variant.h"
#include "store/editors/product/PriceBinding.h"
#include "store/editors/product/Strings.h"
#include "store/records/CStoreProductItemSell.h"
#include "widgets/MsgBox.h"

namespace {

const QString UpSell = QStringLiteral("UPSELL");
const QString CrossSell = QStringLiteral("CROSSSELL");

// One side of the link as read back from its label: units and amount only for a bound price.
struct Side {
    int32_t priceNo = 0;
    Variant units;
    double amount = 0;
};

Side ReadSide(const SellFormRules::PriceLabel& label) {
    Side side;
    side.priceNo = label.PriceNo();
    if (side.priceNo != 0) {
        side.units = Variant(GetField(label.text, 1, QStringLiteral("@"))).toInt16();
        side.amount =
            Variant(GetField(label.text, 2, QStringLiteral("$")).remove(QLatin1Char(','))).toDouble();
    }
    return side;
}

} // namespace

const QString SellFormRules::ConfirmText =
    QStringLiteral("You have defined from and to prices.  Are you sure this is not an UPSELL?");
const QString SellFormRules::ConfirmCaption = QStringLiteral("Confirm Sell Type");
const int32_t SellFormRules::ConfirmButtons = MsgBoxStyle::YesNo | MsgBoxStyle::Question;

int32_t SellFormRules::PriceLabel::PriceNo() const {
    if (tag.isEmpty())
        return 0;
    try {
        return Variant(tag).toInt32();
    } catch (const RuntimeError&) {
        return 0;
    }
}

SellFormRules::PriceLabel SellFormRules::Label(int16_t unitQty, int32_t priceNo, double amount) {
    if (priceNo == 0)
        return {{}, QStringLiteral("0")};
    return {PriceBindingText(unitQty, priceNo, amount), QString::number(priceNo)};
}

SellFormRules::Values SellFormRules::Show(const CStoreProductItemSell& link) {
    Values values;
    values.fromName = link.ProductItemName();
    values.toName = link.NewProductItemName();
    values.upSell = link.SellCode() == UpSell;
    values.from = Label(link.UnitQty().toInt16(), link.PriceNo(), link.Price());
    values.to = Label(link.NewUnitQty().toInt16(), link.NewPriceNo(), link.NewPrice());
    values.sellText = link.SellText();
    return values;
}

CheckResult SellFormRules::Check(const Values& values) {
    if ((values.from.PriceNo() == 0) != (values.to.PriceNo() == 0))
        return Refusal{QStringLiteral("Both a from and a to price must be defined if one is defined."),
                       QStringLiteral("Prices Required"),
                       MsgBoxStyle::OKOnly | MsgBoxStyle::Information,
                       {},
                       {}};
    return std::nullopt;
}

bool SellFormRules::NeedsConfirmation(const Values& values) {
    return !values.upSell && values.from.PriceNo() != 0 && values.to.PriceNo() != 0;
}

void SellFormRules::Fill(const Values& values, CStoreProductItemSell& link) {
    const Side from = ReadSide(values.from);
    const Side to = ReadSide(values.to);
    // A side whose price number is unchanged keeps its units and amount.
    if (from.priceNo != link.PriceNo()) {
        link.setPriceNo(from.priceNo);
        if (from.priceNo != 0)
            link.setUnitQty(from.units);
        link.setPrice(from.amount);
    }
    if (to.priceNo != link.NewPriceNo()) {
        link.setNewPriceNo(to.priceNo);
        if (to.priceNo != 0)
            link.setNewUnitQty(to.units);
        link.setNewPrice(to.amount);
    }
    link.setSellCode(values.upSell ? UpSell : CrossSell);
    link.setSellText(values.sellText);
}
