#pragma once

#include "sdk/Variant.h"

// Formats a value with one of the host's named or pattern formats:
// "Currency" ($1,234.50, negative ($1,234.50)), "0", "0.00", "#.00" (2.5 gives 2.50, 0.5 gives .50),
// and date patterns built from yyyy, mm, dd, hh, nn (or mm after hours), ss and AMPM / am/pm.
// Null and Empty give empty text; text that is not a number or date comes back unchanged.
QString Format(const Variant& value, const QString& format);
