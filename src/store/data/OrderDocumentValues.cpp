#include "store/data/OrderDocumentValues.h"

#include "sdk/Format.h"
#include "store/data/StoredProcedureCall.h"

namespace {

struct FieldColumn {
    const char* field;
    const char* column;
    const char* format; // empty: the text as it is
};

constexpr FieldColumn Columns[] = {
    {"[OrderNo]", "shopping_cart_no", "0"},     {"[OrderDate]", "inserted_datetime", "mm/dd/yyyy"},
    {"[CustomerName]", "customer_name", ""},    {"[OrderTotal]", "order_total", "Currency"},
    {"[ShipAddress]", "ship_address", ""},      {"[StoreName]", "store_name", ""},
    {"[PickupLocation]", "pickup_location", ""}};

} // namespace

bool OrderDocumentValues::Read(const std::shared_ptr<DBConnection>& db, int32_t storeNo, double orderNo) {
    m_orderNo = 0;
    m_values.clear();
    StoredProcedureCall call(db, QStringLiteral("ZEV_SP_STORE_GetOrderDocumentValues"));
    call.set(QStringLiteral("@store_no"), storeNo)
        .setNullIfZero(QStringLiteral("@shopping_cart_no"), orderNo);
    if (!call.openRows() || call.atEnd())
        return false;
    m_orderNo = call.readDouble(QStringLiteral("shopping_cart_no"));
    for (const FieldColumn& field : Columns) {
        const Variant value = call.column(QLatin1String(field.column));
        const QString text = *field.format ? Format(value, QLatin1String(field.format)) : value.toText();
        if (!text.trimmed().isEmpty())
            m_values.insert(QLatin1String(field.field), text);
    }
    return true;
}
