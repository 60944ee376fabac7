#pragma once

#include <QString>

// What a text column can hold. A text longer than its column, or holding a NUL character (PostgreSQL
// cannot store one), is refused with a message naming the field rather than cut or failing in the database.
// Raises TextRefused; maxLength < 0 means no limit but the NUL rule.
void CheckStorableText(const QString& field, const QString& value, int maxLength = -1);
