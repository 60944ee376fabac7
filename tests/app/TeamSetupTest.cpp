#include "DemoHost.h"
#include "app/AdminCommand.h"
#include "app/HostLauncher.h"
#include "app/MainWindow.h"
#include "support/ScriptedMessages.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace {

const QString AdminProgram = QStringLiteral(ZEV_BUILD_BIN_DIR "/zevstore-admin");
const QString DocumentedAddress = "postgresql://zevstore@db.example.com/zevstore";

// The shell commands of the set-up page's code blocks that run ZevStore's own programs, in order.
QStringList DocumentedCommands() {
    QFile page(QStringLiteral(ZEV_SOURCE_DIR "/docs/team-setup.md"));
    EXPECT_TRUE(page.open(QIODevice::ReadOnly | QIODevice::Text)) << page.fileName().toStdString();
    QStringList commands;
    bool inBlock = false;
    for (const QString& line : QString::fromUtf8(page.readAll()).split('\n')) {
        if (line.startsWith("```"))
            inBlock = !inBlock;
        else if (inBlock && (line.startsWith("zevstore-admin ") || line.startsWith("zevstore ")))
            commands << line;
    }
    return commands;
}

TEST(TeamSetupTest, TheDocumentedStepsEndWithEachPersonSignedInWithTheirOwnLogin) {
    if (!TestDatabase::Available(Backend::PostgreSQL) || !PluginBuilt())
        GTEST_SKIP() << "needs the PostgreSQL server (ZEVSTORE_TEST_PG_URL) and the module plug-in";
    const auto database = TestDatabase::Create(Backend::PostgreSQL, false, false);
    QTemporaryDir folder;
    // The people of the page, under names of this test's own; each password typed in, as a person would.
    QMap<QString, QString> people, passwords;
    for (const QString person : {"alice", "bob"}) {
        people[person] = database->uniqueName(person);
        passwords[people[person]] =
            QStringLiteral("%1-secret-%2").arg(person).arg(QCoreApplication::applicationPid());
    }

    int stores = 0;
    QStringList signedIn;
    for (QString command : DocumentedCommands()) {
        SCOPED_TRACE(command.toStdString());
        for (const QString& person : people.keys())
            command.replace("postgresql://" + person + "@db.example.com/zevstore",
                            database->targetAs(people[person]));
        command.replace(DocumentedAddress, database->target());
        for (const QString& person : people.keys())
            command.replace(QRegularExpression("\\b" + person + "\\b"), people[person]);
        QStringList arguments = QProcess::splitCommand(command);
        if (arguments[0] == "zevstore-admin") {
            QProcess admin;
            admin.start(AdminProgram, arguments.mid(1));
            if (arguments.value(2) == "password" || arguments.value(2) == "add")
                admin.write((passwords[arguments.value(3)] + "\n").toUtf8());
            admin.closeWriteChannel();
            ASSERT_TRUE(admin.waitForFinished(120000));
            EXPECT_EQ(admin.exitCode(), 0) << admin.readAllStandardError().toStdString();
            continue;
        }
        // The person's own password, as their ~/.pgpass would give it.
        const QString login = QUrl(arguments[arguments.indexOf("--database") + 1]).userName();
        qputenv("PGPASSWORD", passwords[login].toUtf8());
        auto launcher = Launched(arguments, folder);
        ASSERT_TRUE(launcher->Window()) << launcher->Error().toStdString();
        EXPECT_EQ(launcher->Window()->lblStatus->text(), "Ready");
        signedIn << launcher->Server()->User();
        stores = launcher->Window()->findChild<QComboBox*>("cmbStore")->count();
        EXPECT_EQ(stores, database->session().scalar("SELECT COUNT(*) FROM zev_store").toInt());
        launcher->Window()->close();
    }
    qunsetenv("PGPASSWORD");
    EXPECT_GT(stores, 0);
    EXPECT_EQ(signedIn, (QStringList{people["bob"], people["alice"]}));
}

TEST(TeamSetupTest, AnUnknownUserIsToldNoAndTheHostNamesTheCommandThatLetsThemIn) {
    ZEV_SKIP_WITHOUT_PLUGIN();
    QTemporaryDir folder;
    const QString database = folder.filePath("shop.db");
    const QStringList start{"zevstore", "--database", database, "--user", "newbie"};
    const QString command = "zevstore-admin user add newbie --rights STORE --database " + database;
    const QString status =
        "The database does not know the user newbie. An administrator lets them in with: " + command;
    {
        ScriptedMessages messages;
        messages.expect();
        EXPECT_EQ(Launched(start, folder)->Window()->lblStatus->text(), status);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].title, "Security Alert");
    }
    QFile log(folder.filePath("errors.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_TRUE(
        log.readAll().trimmed().endsWith("\tnewbie\t-2147217843\tZevStore.Host SignIn\t" + status.toUtf8()));

    // The command named does let them in.
    QString said;
    QTextStream out(&said);
    ASSERT_EQ(AdminCommand(out, out).Run(QProcess::splitCommand(command)), AdminCommand::Done);
    EXPECT_EQ(Launched(start, folder)->Window()->lblStatus->text(), "Ready");
}

} // namespace
