#pragma once

#include "store/pickers/GridPicker.h"

// The price picker and the price viewer: a grid of prices whose current row can be read back.
class PricePicker : public GridPicker {
    Q_OBJECT
public:
    // From the current row (not the selected rows): the price number, the price as text and the unit
    // quantity. With no current row the out arguments stay as they were.
    void getSelectedPriceNo(int32_t& lPriceNo, QString& sPrice, int16_t& iUnitQty) const;

protected:
    struct PriceColumns {
        int32_t unitQty;
        int32_t price;
    };
    PricePicker(const QString& caption, Buttons buttons, DoubleClick doubleClick, PriceColumns columns,
                QWidget* parent);

    // Shows the two price columns in the currency format.
    void FormatPriceColumns();
    // Price number, season, unit, unit quantity, unit price and price of one record.
    static QStringList PriceCells(const StoredProcedureCall& row);
    // "<season_desc> (<season_no>)", empty for a price without a season.
    static QString SeasonText(const StoredProcedureCall& row);

private:
    PriceColumns m_columns;
};
