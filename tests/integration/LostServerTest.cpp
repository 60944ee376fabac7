#include "database/DemoData.h"
#include "dbsupport/TestDatabase.h"
#include "store/editors/product/frmStoreProduct.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CProduct.h"
#include "support/FakeAppServer.h"
#include "widgets/KeyedCombo.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <optional>

namespace {

// Runs the repository's scripts/postgres; its output, or nothing on failure.
std::optional<QString> Postgres(const QStringList& arguments) {
    const QString script = QStringLiteral(ZEV_SOURCE_DIR "/scripts/postgres");
    QProcess process;
    process.start("bash", QStringList{script} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode())
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

// A server of its own, since this test stops it; removed again at the end.
struct OwnServer {
    const QString dir = QStringLiteral("/tmp/zevstore-lost-%1").arg(QCoreApplication::applicationPid());
    bool run(const char* action) { return Postgres({QString::fromLatin1(action), dir}).has_value(); }
    ~OwnServer() { run("stop"); }
};

TEST(LostServer, ASaveWhileTheServerIsDownSaysSoKeepsTheInputAndTheNextSaveWorks) {
    if (!TestDatabase::Available(Backend::PostgreSQL))
        GTEST_SKIP() << "no PostgreSQL server given";
    OwnServer server;
    qputenv("ZEVSTORE_PG_PORT", "54371");
    const QString url = Postgres({"start", server.dir}).value_or(QString());
    ASSERT_FALSE(url.isEmpty());
    auto db = SqlConnection::Open(url, "admin");
    DemoData::Seed(*db->session());
    auto host = std::make_shared<FakeAppServer>();
    host->db = db;
    CStoreMaint maint;
    maint.setAppServer(host);

    CProduct product;
    product.setStoreNo(1);
    frmStoreProduct editor;
    editor.Setup(maint, product);
    editor.txtProductNo->setText("700");
    editor.txtProductName->setText("Night Skiing");
    editor.cmbProductGroup->setSelectedIndex(editor.cmbProductGroup->IndexOfNumber(10));

    ASSERT_TRUE(server.run("halt"));
    editor.cmdOk->click();
    ASSERT_EQ(host->error->reports.size(), 1u);
    EXPECT_TRUE(host->error->reports[0].description.startsWith("The database server 127.0.0.1:"))
        << host->error->reports[0].description.toStdString();
    EXPECT_TRUE(host->error->reports[0].description.contains("cannot be reached"));
    EXPECT_TRUE(editor.UserCanceled());
    EXPECT_EQ(editor.txtProductNo->text(), "700");
    EXPECT_EQ(editor.txtProductName->text(), "Night Skiing");

    ASSERT_TRUE(server.run("resume"));
    editor.cmdOk->click();
    EXPECT_FALSE(editor.UserCanceled());
    EXPECT_EQ(host->error->reports.size(), 1u);
    EXPECT_EQ(db->session()->scalar(QStringLiteral("SELECT product_name FROM zev_store_product WHERE "
                                                   "store_no = 1 AND product_no = 700")),
              QVariant("Night Skiing"));
}

} // namespace
