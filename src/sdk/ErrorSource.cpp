#include "sdk/ErrorSource.h"

#include "sdk/Version.h"

QString ErrorSource(const QString& className) {
    return QStringLiteral("%1.%2 (%3.%4.%5)")
        .arg(QLatin1String(zev::ProductName), className)
        .arg(zev::VersionMajor)
        .arg(zev::VersionMinor)
        .arg(zev::VersionRevision);
}
