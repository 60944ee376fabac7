#include "app/AdminCommand.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zevstore-admin"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEV_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return AdminCommand(out, err).Run(QCoreApplication::arguments());
}
