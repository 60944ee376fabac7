#include "database/SqliteFileCheck.h"

#include <QAtomicInt>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

struct Contents {
    bool readable = false;
    int tables = 0;
    bool zevStore = false;
};

Contents Read(const QString& path) {
    static QAtomicInt counter;
    const QString name = QStringLiteral("zevstore-check-%1").arg(counter.fetchAndAddRelaxed(1));
    Contents contents;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
                contents.readable = true;
                while (query.next()) {
                    ++contents.tables;
                    contents.zevStore =
                        contents.zevStore || query.value(0).toString() == QLatin1String("zev_schema_version");
                }
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return contents;
}

} // namespace

QString SqliteFileCheck::Refusal(const QString& path) {
    const Contents contents = Read(path);
    const QString shown = QDir::toNativeSeparators(path);
    if (!contents.readable)
        return QStringLiteral("%1 is not a SQLite database.").arg(shown);
    if (contents.zevStore || contents.tables == 0)
        return {};
    const QString tables =
        contents.tables == 1 ? QStringLiteral("1 table") : QStringLiteral("%1 tables").arg(contents.tables);
    return QStringLiteral(
               "%1 holds another program's data (%2, none of them ZevStore's), so ZevStore leaves it "
               "untouched; to add ZevStore's tables to it on purpose, run "
               "\"zevstore-admin init %1 --admin NAME\".")
        .arg(shown, tables);
}
