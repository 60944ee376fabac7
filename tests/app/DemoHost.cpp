#include "DemoHost.h"

#include "database/DemoData.h"
#include "database/Schema.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTextStream>

namespace {

QString ServerUrl() {
    return qEnvironmentVariable("ZEVSTORE_TEST_PG_URL");
}

// Seeds the demo database once per test program; every SQLite host starts from a copy of that file.
QString TemplatePath() {
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath("template.db");
        // Closing the connection folds the write-ahead log into the file, so a plain copy is complete.
        DemoData::CreateDemoDatabase(file, QString()).reset();
        return file;
    }();
    return path;
}

} // namespace

bool DemoHost::Available(Backend backend) {
    return backend == Backend::SQLite || !ServerUrl().isEmpty();
}

DemoHost::DemoHost(const QString& user, Backend backend) {
    auto session = backend == Backend::SQLite ? OpenSqlite() : OpenPostgres();
    db = std::make_shared<SqlConnection>(session, user);
    settings = std::make_shared<HostSettings>(FilePath("zevstore.ini"));
    errors = std::make_shared<ErrorLog>(FilePath("errors.log"), user);
    server = std::make_shared<HostAppServer>(db, settings, errors);
}

std::shared_ptr<SqlSession> DemoHost::OpenSqlite() {
    const QString path = FilePath("demo.db");
    EXPECT_TRUE(QFile::copy(TemplatePath(), path));
    return SqlSession::Open(path);
}

std::shared_ptr<SqlSession> DemoHost::OpenPostgres() {
    m_schema = QStringLiteral("zev_app_%1").arg(QRandomGenerator::global()->generate());
    SqlSession::Open(ServerUrl())->execute(QStringLiteral("CREATE SCHEMA ") + m_schema);
    const QString url = ServerUrl();
    auto session =
        SqlSession::Open(url + (url.contains(QLatin1Char('?')) ? "&" : "?") + "schema=" + m_schema);
    Schema::Prepare(*session);
    DemoData::Seed(*session);
    return session;
}

DemoHost::~DemoHost() {
    server.reset();
    db.reset();
    if (!m_schema.isEmpty())
        SqlSession::Open(ServerUrl())->execute(QStringLiteral("DROP SCHEMA %1 CASCADE").arg(m_schema));
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
