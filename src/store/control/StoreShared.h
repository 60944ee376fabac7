#pragma once

#include <QString>
#include <initializer_list>

class QLineEdit;

// What the control's source files share.
namespace StoreShared {

// Hidden panels are parked this far to the left, in twips.
inline constexpr int Parked = -20000;
// The order status that filters nothing.
inline const QString Any = QStringLiteral("<ANY>");
// Where the default store is kept in the host's settings.
inline const QString AppKey = QStringLiteral("AppData\\Store");
inline const QString Section = QStringLiteral("Environment");
inline const QString DefaultStoreNo = QStringLiteral("DefaultStoreNo");

// A grid row's text: the cells separated by tabs, built in one allocation.
QString Joined(std::initializer_list<QString> cells);

// A filter text counts only when it holds a number.
bool IsFilter(const QLineEdit* box);

} // namespace StoreShared
