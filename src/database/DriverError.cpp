#include "database/DriverError.h"

RuntimeError DriverError(const QSqlError& error, const QString& what) {
    const QString code = error.nativeErrorCode();
    bool numeric = false;
    const int32_t number = code.toInt(&numeric);
    QString text = error.text().trimmed();
    if (text.isEmpty())
        text = QStringLiteral("The database reported an unknown failure.");
    if (!code.isEmpty() && !numeric)
        text = QStringLiteral("[%1] %2").arg(code, text);
    if (!what.isEmpty())
        text = what + QStringLiteral(": ") + text;
    return RuntimeError(numeric && number != 0 ? number : ErrorNumbers::ProviderError, text);
}
