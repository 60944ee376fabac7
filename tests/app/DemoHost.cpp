#include "DemoHost.h"
#include "app/HostOptions.h"

#include <QFile>
#include <QTextStream>

DemoHost::DemoHost(const QString& user, Backend backend) : m_database(TestDatabase::Create(backend)) {
    db = std::make_shared<SqlConnection>(SqlSession::Open(m_database->target()), user);
    settings = std::make_shared<HostSettings>(FilePath("zevstore.ini"));
    errors = std::make_shared<ErrorLog>(FilePath("errors.log"), user);
    server = std::make_shared<HostAppServer>(db, settings, errors);
}

QStringList DemoHost::LogLines() const {
    QFile file(FilePath("errors.log"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QTextStream(&file).readAll().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QVariant DemoHost::Scalar(const QString& sql, const QVariantList& values) {
    return db->session()->scalar(sql, values);
}

void DemoHost::Execute(const QString& sql, const QVariantList& values) {
    // Statements without values run unprepared: PostgreSQL prepares no schema changes.
    if (values.isEmpty())
        db->session()->execute(sql);
    else
        db->session()->run(sql, values);
}

std::unique_ptr<HostLauncher> Launched(const QStringList& arguments, const QTemporaryDir& folder) {
    HostOptions options;
    QString message;
    EXPECT_TRUE(HostOptions::Parse(arguments, options, message)) << message.toStdString();
    auto launcher = std::make_unique<HostLauncher>(options, PlacesIn(folder));
    launcher->Start();
    return launcher;
}
