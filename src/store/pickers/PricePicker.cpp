#include "store/pickers/PricePicker.h"

#include "store/data/StoredProcedureCall.h"
#include "widgets/FlexGrid.h"

PricePicker::PricePicker(const QString& caption, Buttons buttons, DoubleClick doubleClick,
                         PriceColumns columns, QWidget* parent)
    : GridPicker(caption, buttons, doubleClick, parent), m_columns(columns) {}

void PricePicker::getSelectedPriceNo(int32_t& lPriceNo, QString& sPrice, int16_t& iUnitQty) const {
    const int32_t row = gdItems->Row();
    ReadLong(row, 0, lPriceNo);
    ReadText(row, m_columns.price, sPrice);
    ReadInteger(row, m_columns.unitQty, iUnitQty);
}

void PricePicker::FormatPriceColumns() {
    // The unit price sits just left of the price.
    for (int32_t col : {m_columns.price - 1, m_columns.price})
        gdItems->setColFormat(col, QStringLiteral("Currency"));
}

QString PricePicker::SeasonText(const StoredProcedureCall& row) {
    const int32_t season = row.readLong(QStringLiteral("season_no"));
    if (season == 0)
        return {};
    return row.readText(QStringLiteral("season_desc")) + QStringLiteral(" (") + QString::number(season) +
           QLatin1Char(')');
}

QStringList PricePicker::PriceCells(const StoredProcedureCall& row) {
    return {row.readText(QStringLiteral("price_no")),   SeasonText(row),
            row.readText(QStringLiteral("unit_id")),    row.readText(QStringLiteral("unit_qty")),
            row.readText(QStringLiteral("unit_price")), row.readText(QStringLiteral("Price"))};
}
