#pragma once

#include <QString>
#include <cstdint>

// Delimiter-separated fields of a text. Only the first character of a delimiter counts; an empty delimiter
// means ",".

// 0 for an empty text, otherwise 1 plus the number of delimiters in it.
int32_t CountFields(const QString& text, const QString& delimiter = QStringLiteral(","));

// The field-th piece (from 1) without leading and trailing blanks; the last piece is the rest of the text.
// Empty text when the text has fewer fields.
QString GetField(const QString& text, int16_t field, const QString& delimiter = QStringLiteral(","));
