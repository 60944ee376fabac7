#include "DemoHost.h"
#include "app/HostLauncher.h"
#include "app/MainWindow.h"
#include "database/Schema.h"
#include "support/ScriptedMessages.h"

#include <QComboBox>
#include <QLabel>
#include <QRandomGenerator>
#include <QUrl>

namespace {

// zevstore on a team's server, each person with the password of their own login (as ~/.pgpass gives it).
std::unique_ptr<HostLauncher> Launch(const QStringList& options, const QString& password,
                                     const QTemporaryDir& folder) {
    qputenv("PGPASSWORD", password.toUtf8());
    return Launched(QStringList{"zevstore"} + options, folder);
}

TEST(ServerSignIn, TheLoginIsTheUserAndNoOneElsesNameCanBeTaken) {
    if (!TestDatabase::Available(Backend::PostgreSQL) || !PluginBuilt())
        GTEST_SKIP() << "needs the PostgreSQL server (ZEVSTORE_TEST_PG_URL) and the module plug-in";
    const auto database = TestDatabase::Create(Backend::PostgreSQL);
    const QString clerk = database->login("clerk", {"STORE"});
    QTemporaryDir folder;

    const auto asAdmin = Launch({"--database", database->targetAs(clerk), "--user", "admin"},
                                database->password(clerk), folder);
    EXPECT_EQ(asAdmin->Error(),
              "--user names the user of a SQLite file only: on a PostgreSQL database ZevStore "
              "signs you in as the login you connect with.");
    EXPECT_FALSE(asAdmin->Window());

    const auto own = Launch({"--database", database->targetAs(clerk)}, database->password(clerk), folder);
    ASSERT_TRUE(own->Window()) << own->Error().toStdString();
    EXPECT_EQ(own->Server()->User(), clerk);
    EXPECT_EQ(own->Window()->lblStatus->text(), "Ready");
    EXPECT_GT(own->Window()->findChild<QComboBox*>("cmbStore")->count(), 0);
    own->Window()->close();

    // A login of the server that is no ZevStore user gets the module's alert, and nothing else.
    const QString stranger = database->uniqueName("stranger");
    const QString password = QString::number(QRandomGenerator::global()->generate());
    database->session().execute(
        QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(Schema::Quoted(stranger), password));
    ScriptedMessages messages;
    messages.expect();
    const auto outsider = Launch({"--database", database->targetAs(stranger)}, password, folder);
    ASSERT_TRUE(outsider->Window()) << outsider->Error().toStdString();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Security Alert");
    // The command named is for the administrator's own login.
    QUrl address(database->target());
    address.setUserName({});
    EXPECT_TRUE(outsider->Window()->lblStatus->text().endsWith(
        "zevstore-admin user add " + stranger + " --rights STORE --database " + address.toString()))
        << outsider->Window()->lblStatus->text().toStdString();
    qunsetenv("PGPASSWORD");
}

} // namespace
