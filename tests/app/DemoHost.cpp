#include "DemoHost.h"

#include "database/DemoData.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

QString DemoTemplatePath() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("template.db"));
        // Closing the connection folds the write-ahead log into the file, so a plain copy is complete.
        DemoData::CreateDemoDatabase(file, QString()).reset();
        return file;
    }();
    return path;
}

DemoHost::DemoHost(const QString& user) {
    EXPECT_TRUE(QFile::copy(DemoTemplatePath(), DatabasePath()));
    db = SqlConnection::Open(DatabasePath(), user);
    settings = std::make_shared<HostSettings>(FilePath(QStringLiteral("zevstore.ini")));
    errors = std::make_shared<ErrorLog>(FilePath(QStringLiteral("errors.log")), user);
    server = std::make_shared<HostAppServer>(db, settings, errors);
}

QStringList DemoHost::LogLines() const {
    QFile file(FilePath(QStringLiteral("errors.log")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QTextStream(&file).readAll().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QVariant DemoHost::Scalar(const QString& sql, const QVariantList& values) {
    return db->session()->scalar(sql, values);
}

void DemoHost::Execute(const QString& sql, const QVariantList& values) {
    db->session()->run(sql, values);
}
