#pragma once

#include <QString>

// The rights of the users table that the store maintenance module and its procedures ask about.
namespace HostRights {
// May use Store Maintenance and look at orders.
inline const QString Store = QStringLiteral("STORE");
// May administer stores; implies what Store allows.
inline const QString StoreAdmin = QStringLiteral("STOREADMIN");
// May see card numbers in full in an order's cart.
inline const QString ViewCardNumbers = QStringLiteral("STORE_VIEW_CARD");
} // namespace HostRights
