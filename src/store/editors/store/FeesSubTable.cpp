// Fees: each tied to an item and optionally a price picked in the host's pickers, with a percentage shown
// ×100 and a group drop-down.

#include "sdk/Format.h"
#include "sdk/ItemTypes.h"
#include "store/data/StoredProcedureCall.h"
#include "store/data/modDataTypes.h"
#include "store/editors/store/StoreSubTables.h"
#include "store/editors/store/SubTableCells.h"
#include "store/editors/store/SubTableEngine.h"
#include "store/editors/store/SubTablePaste.h"
#include "store/host/CStoreMaint.h"
#include "widgets/FlexGrid.h"
#include "widgets/MsgBox.h"

#include <QRegularExpression>
#include <cmath>

using namespace SubTableCells;

namespace {

const QString New = QStringLiteral("<New>");
const QString CrLf = QStringLiteral("\r\n");
constexpr int32_t ItemNoField = 7;
constexpr int32_t ItemField = 8;
constexpr int32_t PriceField = 9;
constexpr int32_t PriceNoField = 10;
constexpr int32_t PriceAmountField = 11;

QString PriceText(const Variant& amount, const Variant& priceNo) {
    return Format(amount, QStringLiteral("Currency")) + QLatin1Char('(') + priceNo.toText() +
           QLatin1Char(')');
}

// A stored fraction as the percentage shown, and back; rounded so that 0.025 shows as 2.5, not
// 2.5000000000000004, and 1.3 is stored as 0.013, not 0.013000000000000001.
double Percentage(double fraction) {
    constexpr double Places = 1e9;
    return std::round(fraction * 100 * Places) / Places;
}

double Fraction(double percentage) {
    constexpr double Places = 1e11;
    return std::round(percentage / 100 * Places) / Places;
}

void ReadFee(const StoredProcedureCall& call, VariantTable& t, int32_t row, int32_t) {
    const QString id = call.readText(QStringLiteral("fee_id"));
    t.setValue(1, row, id);
    t.setValue(2, row, id);
    t.setValue(3, row, NullToZero(call.column(QStringLiteral("fee_amount"))));
    t.setValue(4, row, NullToZero(call.column(QStringLiteral("min_amount"))));
    t.setValue(5, row, Percentage(NullToZero(call.column(QStringLiteral("fee_percent"))).toDouble()));
    t.setValue(6, row, NullToZero(call.column(QStringLiteral("product_group_no"))));
    t.setValue(ItemNoField, row, NullToZero(call.column(QStringLiteral("item_no"))));
    t.setValue(ItemField, row, call.readText(QStringLiteral("item_desc")));
    const Variant priceNo = call.column(QStringLiteral("price_no"));
    if (priceNo.isNull()) {
        t.setValue(PriceNoField, row, Variant(int16_t(0)));
        t.setValue(PriceAmountField, row, Variant(int16_t(0)));
        return;
    }
    const Variant price = NullToZero(call.column(QStringLiteral("Price")));
    t.setValue(PriceNoField, row, NullToZero(priceNo));
    t.setValue(PriceAmountField, row, price);
    t.setValue(PriceField, row, PriceText(price, NullToZero(priceNo)));
}

// The store's saved groups, value 0 shown blank.
QString GroupList(const SubTableEngine& engine) {
    QString list = QStringLiteral("#0; ");
    const VariantTable& groups = engine.Table(SubTableKeys::Groups);
    for (int32_t row = 0; row < groups.Rows(); ++row)
        if (Status(groups, row) != stNew)
            list += QStringLiteral("|#") + Text(groups, 2, row) + QLatin1Char(';') + Text(groups, 8, row);
    return list;
}

void ClearPrice(VariantTable& t, int32_t row) {
    for (int32_t field : {PriceNoField, PriceAmountField, PriceField})
        t.setValue(field, row, Variant(QString()));
}

// Yes, No or Cancel for replacing or clearing what a fee holds.
int32_t AskSelectOrClear(const QString& what, const QString& caption) {
    return MsgBox(QStringLiteral("Would you like to select ") + what + QStringLiteral(" (Yes)") + CrLf +
                      QStringLiteral(" or clear the current ") +
                      what.mid(what.indexOf(QLatin1Char(' ')) + 1) + QStringLiteral(" (No)") + CrLf +
                      QStringLiteral(" or neither (Cancel)?"),
                  MsgBoxStyle::Question | MsgBoxStyle::YesNoCancel, caption);
}

void SelectPrice(SubTableEngine& engine, VariantTable& t, int32_t row) {
    int32_t priceNo = 0;
    QString price;
    int16_t unitQty = 0;
    if (!engine.Service().SelectPrice(LongOrZero(t, ItemNoField, row), 0, 0, 0, priceNo, price, unitQty, 0))
        return;
    t.setValue(PriceNoField, row, priceNo);
    t.setValue(PriceAmountField, row, price);
    setStatus(t, row, stModified);
    t.setValue(PriceField, row, PriceText(Variant(price), Variant(priceNo)));
}

void PriceButton(SubTableEngine& engine, VariantTable& t, int32_t row) {
    if (LongOrZero(t, PriceNoField, row) == 0) {
        SelectPrice(engine, t, row);
        return;
    }
    switch (AskSelectOrClear(QStringLiteral("a price"), QStringLiteral("Select Price"))) {
    case MsgBoxResult::Yes:
        SelectPrice(engine, t, row);
        break;
    case MsgBoxResult::No:
        setStatus(t, row, stModified);
        ClearPrice(t, row);
        break;
    default:
        break;
    }
}

// The host's item picker; true with the chosen item.
bool PickItem(SubTableEngine& engine, int32_t& itemNo, QString& description) {
    const auto items = engine.Service().ItemMaint();
    return items && items->SelectItem(ttoAll, false, itemNo, description).toBool();
}

void ItemButton(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const int32_t current = LongOrZero(t, ItemNoField, row);
    int32_t itemNo = 0;
    QString description;
    if (current == 0) {
        if (!PickItem(engine, itemNo, description))
            return;
        t.setValue(ItemField, row, description);
        t.setValue(ItemNoField, row, itemNo);
        setStatus(t, row, stModified);
        ClearPrice(t, row);
        return;
    }
    switch (AskSelectOrClear(QStringLiteral("an item"), QStringLiteral("Select Item"))) {
    case MsgBoxResult::Yes:
        if (!PickItem(engine, itemNo, description))
            return;
        t.setValue(ItemField, row, description);
        // The price belongs to the item: another item drops it.
        if (itemNo != current) {
            t.setValue(ItemNoField, row, itemNo);
            ClearPrice(t, row);
        }
        setStatus(t, row, stModified);
        break;
    case MsgBoxResult::No:
        t.setValue(ItemNoField, row, Variant(int32_t(0)));
        t.setValue(ItemField, row, Variant(QString()));
        ClearPrice(t, row);
        setStatus(t, row, stModified);
        break;
    default:
        break;
    }
}

void FeeButton(SubTableEngine& engine, int32_t gridRow, int32_t field) {
    VariantTable& t = engine.Table(SubTableKeys::Fees);
    if (field == PriceField)
        PriceButton(engine, t, gridRow - 1);
    else if (field == ItemField)
        ItemButton(engine, t, gridRow - 1);
    else
        return;
    engine.Grid().Refresh();
    engine.setChanged(SubTableKeys::Fees, true);
}

bool SaveFee(SubTableEngine& engine, VariantTable& t, int32_t row) {
    const StatusTypes status = Status(t, row);
    const QString original = Text(t, 1, row);
    const QString id = Text(t, 2, row);
    if (status == stDelete) {
        if (!original.isEmpty() && original != New &&
            !engine.Service().DeleteStoreFee(engine.StoreNo(), original))
            setStatus(t, row, stUnchanged);
        return true;
    }
    if (status != stNew && status != stModified)
        return true;
    if (id == New) {
        setStatus(t, row, stDelete);
        return true;
    }
    const int32_t itemNo = LongOrZero(t, ItemNoField, row);
    if (itemNo == 0) {
        MsgBox(QStringLiteral("Fee must be tied to an item."), MsgBoxStyle::Information,
               QStringLiteral("Item Required"));
        return false;
    }
    // A fee added here keeps "<New>" as its original id: the database inserts it.
    if (engine.Service().UpdateStoreFee(engine.StoreNo(), original, id, DoubleOrZero(t, 3, row),
                                        DoubleOrZero(t, 4, row), Fraction(DoubleOrZero(t, 5, row)), itemNo,
                                        RoundToInt32(DoubleOrZero(t, 6, row)),
                                        RoundToInt32(DoubleOrZero(t, PriceNoField, row)))) {
        t.setValue(1, row, id);
        setStatus(t, row, stUnchanged);
    }
    return true;
}

// A pasted item is named by its number or its description; a pasted price reads as the grid shows it, the
// amount and the price number in brackets. The database checks at saving that the price is the item's.
QString PasteFeeCell(SubTableEngine& engine, VariantTable& t, int32_t row, int32_t field,
                     const QString& text) {
    const QString wanted = text.trimmed();
    if (field == ItemField) {
        int32_t itemNo = 0;
        QString description;
        const auto items = engine.Service().ItemMaint();
        const bool found = !wanted.isEmpty() && items && items->FindItem(wanted, itemNo, description);
        t.setValue(ItemNoField, row, Variant(found ? itemNo : int32_t(0)));
        t.setValue(ItemField, row, found ? description : text);
        if (wanted.isEmpty())
            return QStringLiteral("Fee must be tied to an item.");
        return found ? QString() : QStringLiteral("There is no item \"%1\".").arg(wanted);
    }
    if (field != PriceField)
        return {};
    ClearPrice(t, row);
    if (wanted.isEmpty())
        return {};
    static const QRegularExpression shown(QStringLiteral("^(.*)\\((\\d+)\\)$"));
    const QRegularExpressionMatch match = shown.match(wanted);
    const QString amount = match.hasMatch() ? SubTablePaste::Unformatted(match.captured(1)) : QString();
    if (!match.hasMatch() || !IsNumericText(amount)) {
        t.setValue(PriceField, row, text);
        return QStringLiteral("A price reads as its amount and its price number in brackets: $12.50(345).");
    }
    const Variant priceNo(match.captured(2).toInt());
    t.setValue(PriceNoField, row, priceNo);
    t.setValue(PriceAmountField, row, amount);
    t.setValue(PriceField, row, PriceText(Variant(amount), priceNo));
    return {};
}

bool NotNumeric(const QString& text) {
    return !IsNumericText(text);
}

} // namespace

SubTableDescription FeesTable() {
    SubTableDescription d;
    d.key = SubTableKeys::Fees;
    d.caption = QStringLiteral("Fees");
    d.loadFailure = QStringLiteral("LoadFees");
    d.saveOrder = 1;
    d.fields = 12;
    d.format = QStringLiteral("Status|OrigFeeId|<Fee Id|Amount|Min Amount|Percentage (%)|Product "
                              "Group|ItemNo|Item|Price|Price#|Price");
    d.procedure = QStringLiteral("ZEV_SP_STORE_GetFee");
    d.emptiedBeforeLoad = true;
    d.readRow = ReadFee;
    d.hiddenFields = {0, 1, ItemNoField, PriceNoField, PriceAmountField};
    d.columns = [](FlexGrid& grid, const SubTableEngine& engine) {
        grid.setColFormat(3, QStringLiteral("Currency"));
        grid.setColFormat(4, QStringLiteral("Currency"));
        grid.setColFormat(5, QStringLiteral("#.00"));
        grid.setColFormat(PriceAmountField, QStringLiteral("Currency"));
        grid.setColComboList(6, GroupList(engine));
        grid.setColComboList(ItemField, QStringLiteral("..."));
        grid.setColComboList(PriceField, QStringLiteral("..."));
    };
    d.editable = [](const VariantTable& t, int32_t row, int32_t field) {
        if (field == PriceAmountField)
            return false;
        // A price needs an item first.
        return field != PriceField || LongOrZero(t, ItemNoField, row) != 0;
    };
    d.checks = {{2, [](const QString& text) { return text.size() > 50; },
                 QStringLiteral("Fee Id can not be longer than 50 characters."),
                 QStringLiteral("Description Too Long")},
                {3, NotNumeric, QStringLiteral("Fee Amount must be a numeric value."),
                 QStringLiteral("Invalid Fee Amount")},
                {5, NotNumeric, QStringLiteral("Fee percentage must be a numeric value."),
                 QStringLiteral("Invalid Fee Percentage")}};
    d.addRows = [](SubTableEngine&, VariantTable& t) {
        AppendNew(t, {{1, Variant(New)}, {2, Variant(New)}});
        return true;
    };
    d.cellButton = FeeButton;
    d.pasteable = true;
    d.pasteCell = PasteFeeCell;
    d.saveRow = SaveFee;
    return d;
}
