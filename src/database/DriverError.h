#pragma once

#include "sdk/RuntimeError.h"

#include <QSqlError>

// A failure reported by the database driver, as the host's raised error: the driver's own number where it
// is one (SQLite result codes, PostgreSQL SQLSTATE digits), and its text.
RuntimeError DriverError(const QSqlError& error, const QString& what = {});

namespace ErrorNumbers {
// The provider's generic number for a failure without a numeric code of its own.
constexpr int32_t ProviderError = -2147217900;
constexpr int32_t NoCurrentRecord = 3021;
constexpr int32_t ObjectClosed = 3704;
constexpr int32_t ProcedureNotFound = 2812;
constexpr int32_t ConnectionFailed = -2147467259;
} // namespace ErrorNumbers
