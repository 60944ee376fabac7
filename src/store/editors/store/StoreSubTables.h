#pragma once

#include "store/editors/store/SubTableDescription.h"

#include <vector>

// The store editor's six grid tabs, in load order: groups, lists, fees, pay methods, screens, extensions.
std::vector<SubTableDescription> StoreSubTables();

SubTableDescription GroupsTable();
SubTableDescription ListsTable();
SubTableDescription ScreensTable();
SubTableDescription FeesTable();
SubTableDescription PayMethodsTable();
SubTableDescription ExtensionsTable();

// Tab keys.
namespace SubTableKeys {
inline const QString Groups = QStringLiteral("GROUP");
inline const QString Lists = QStringLiteral("LIST");
inline const QString Fees = QStringLiteral("FEE");
inline const QString PayMethods = QStringLiteral("PAYMENT");
inline const QString Screens = QStringLiteral("SCREEN");
inline const QString Extensions = QStringLiteral("EXT");
} // namespace SubTableKeys
