#include "app/AdminCommand.h"
#include "DemoHost.h"
#include "app/HostOptions.h"
#include "database/Schema.h"

#include <QRandomGenerator>

namespace {

// The administration command on an empty database of its own: a SQLite file not made yet, or an empty
// schema on the PostgreSQL server.
class AdminCommandTest : public BothBackends {
protected:
    void SetUp() override {
        BothBackends::SetUp();
        if (IsSkipped())
            return;
        if (GetParam() == Backend::SQLite) {
            target = folder.filePath("team.db");
            return;
        }
        const QString server = qEnvironmentVariable("ZEVSTORE_TEST_PG_URL");
        schema = QString("zev_admin_%1").arg(QRandomGenerator::global()->generate());
        SqlSession::Open(server)->execute("CREATE SCHEMA " + schema);
        target = server + (server.contains('?') ? "&" : "?") + "schema=" + schema;
    }
    void TearDown() override {
        if (!schema.isEmpty())
            SqlSession::Open(qEnvironmentVariable("ZEVSTORE_TEST_PG_URL"))
                ->execute(QString("DROP SCHEMA %1 CASCADE").arg(schema));
    }

    // Runs "zevstore-admin words..."; the exit code, with what it said in out and err.
    int Admin(QStringList words) {
        out.clear();
        err.clear();
        QTextStream outStream(&out), errStream(&err);
        words.prepend("zevstore-admin");
        const int code = AdminCommand(outStream, errStream).Run(words);
        outStream.flush();
        errStream.flush();
        return code;
    }
    int User(QStringList words) {
        return Admin(QStringList{"user"} + words + QStringList{"--database", target});
    }

    // Every table's row count.
    QMap<QString, int> Counts() {
        auto session = SqlSession::Open(target);
        QMap<QString, int> counts;
        for (const QString& table : Schema::Tables())
            counts[table] = session->scalar("SELECT COUNT(*) FROM " + table).toInt();
        return counts;
    }

    QTemporaryDir folder;
    QString target, schema, out, err;
};

TEST_P(AdminCommandTest, InitSetsUpOnceAndTheSecondRunChangesNothing) {
    ASSERT_EQ(Admin({"init", target, "--admin", "alice", "--demo"}), AdminCommand::Done) << err.toStdString();
    EXPECT_EQ(out, "Tables created (version 2).\nDemo data loaded.\nalice is an administrator now.\n");
    const auto seeded = Counts();
    EXPECT_GT(seeded["zev_store"], 0);

    for (const QStringList& again : {QStringList{"init", target, "--admin", "alice", "--demo"},
                                     QStringList{"init", "--database", target, "--admin", "alice"}}) {
        ASSERT_EQ(Admin(again), AdminCommand::Done) << err.toStdString();
        EXPECT_TRUE(
            out.endsWith("Nothing to do: the tables are at version 2 and alice is an administrator.\n"))
            << out.toStdString();
        EXPECT_EQ(Counts(), seeded);
    }
    // A second administrator is the one change; the demo data is not loaded over what is there.
    ASSERT_EQ(Admin({"init", target, "--admin", "bob", "--demo"}), AdminCommand::Done);
    EXPECT_EQ(
        out,
        "Demo data not loaded: the database holds stores or users already.\nbob is an administrator now.\n");
    EXPECT_EQ(Counts()["zev_store"], seeded["zev_store"]);
}

TEST_P(AdminCommandTest, UsersAreAddedGivenRightsListedAndRemoved) {
    ASSERT_EQ(Admin({"init", target, "--admin", "alice"}), AdminCommand::Done) << err.toStdString();
    EXPECT_EQ(Counts()["zev_store"], 0) << "no demo data unless asked";
    ASSERT_EQ(User({"add", "bob", "--full-name", "Bob Baker", "--rights", "store"}), AdminCommand::Done)
        << err.toStdString();
    EXPECT_EQ(out, "bob added: STORE.\n");
    ASSERT_EQ(User({"add", "carol", "--rights", ""}), AdminCommand::Done);
    ASSERT_EQ(User({"list"}), AdminCommand::Done);
    EXPECT_EQ(out, "USER   FULL NAME  RIGHTS\n"
                   "alice  alice      STORE,STOREADMIN,STORE_VIEW_CARD\n"
                   "bob    Bob Baker  STORE\n"
                   "carol  carol      \n");

    ASSERT_EQ(User({"rights", "bob", "STORE_VIEW_CARD,store", "STOREADMIN"}), AdminCommand::Done);
    EXPECT_EQ(out, "bob holds now: STORE_VIEW_CARD,STORE,STOREADMIN.\n");
    ASSERT_EQ(User({"rights", "alice", ""}), AdminCommand::Done);
    ASSERT_EQ(User({"remove", "carol"}), AdminCommand::Done);
    ASSERT_EQ(User({"list"}), AdminCommand::Done);
    EXPECT_EQ(out, "USER   FULL NAME  RIGHTS\n"
                   "alice  alice      \n"
                   "bob    Bob Baker  STORE,STOREADMIN,STORE_VIEW_CARD\n");
}

TEST_P(AdminCommandTest, BadNamesRightsUsersAndCommandsAreRefusedAndChangeNothing) {
    ASSERT_EQ(Admin({"init", target, "--admin", "alice"}), AdminCommand::Done) << err.toStdString();
    const auto before = Counts();
    const struct {
        QStringList words;
        int code;
        QString says;
    } refused[] = {
        {{"user", "add", "bad name", "--rights", "STORE"},
         AdminCommand::Failed,
         "\"bad name\" is not a user name"},
        {{"user", "add", QString(51, 'x'), "--rights", "STORE"}, AdminCommand::Failed, "is not a user name"},
        {{"user", "add", "dave", "--rights", "STORE,BOSS"},
         AdminCommand::Failed,
         "\"BOSS\" is not a right; the rights are STORE, STOREADMIN, STORE_VIEW_CARD."},
        {{"user", "add", "alice", "--rights", "STORE"},
         AdminCommand::Failed,
         "The user alice exists already"},
        {{"user", "add", "dave"}, AdminCommand::Misused, "user add needs --rights"},
        {{"user", "rights", "nobody", "STORE"}, AdminCommand::Failed, "The database has no user nobody"},
        {{"user", "rights", "alice", "boss"}, AdminCommand::Failed, "\"boss\" is not a right"},
        {{"user", "remove", "nobody"}, AdminCommand::Failed, "The database has no user nobody"},
        {{"user", "list", "--demo"}, AdminCommand::Misused, "user list takes no --demo."},
        {{"user", "delete", "alice"}, AdminCommand::Misused, "\"user delete alice\" is not a command."},
        {{"init", "--admin", "x"}, AdminCommand::Misused, "init needs the database"},
        {{"--fast"}, AdminCommand::Misused, "Unknown option 'fast'."},
    };
    for (const auto& wrong : refused) {
        SCOPED_TRACE(wrong.words.join(' ').toStdString());
        const bool onUser = wrong.words[0] == "user";
        EXPECT_EQ(onUser ? Admin(wrong.words + QStringList{"--database", target}) : Admin(wrong.words),
                  wrong.code);
        EXPECT_TRUE(err.contains(wrong.says)) << err.toStdString();
        EXPECT_EQ(out, "");
    }
    EXPECT_EQ(Admin({"user", "list"}), AdminCommand::Failed);
    EXPECT_EQ(err, "The user commands need --database: a SQLite file or a postgresql:// address.\n");
    EXPECT_EQ(Counts(), before);

    // Both programs answer --version without a failure.
    EXPECT_EQ(Admin({"--version"}), AdminCommand::Done);
    EXPECT_FALSE(out.isEmpty());
    HostOptions host;
    EXPECT_FALSE(HostOptions::Parse({"zevstore", "--version"}, host, out));
    EXPECT_TRUE(host.answered);
    EXPECT_EQ(Admin({"--help"}), AdminCommand::Done);
    EXPECT_TRUE(out.contains("user rights NAME LIST")) << out.toStdString();
}

TEST_P(AdminCommandTest, ADatabaseWithoutTablesOrNewerThanTheProgramIsRefused) {
    EXPECT_EQ(Admin({"user", "list", "--database", target}), AdminCommand::Failed);
    EXPECT_TRUE(
        err.contains(GetParam() == Backend::SQLite ? "\"init\" sets one up" : "\"init\" creates them"))
        << err.toStdString();

    ASSERT_EQ(Admin({"init", target, "--admin", "alice"}), AdminCommand::Done);
    SqlSession::Open(target)->run("UPDATE zev_schema_version SET version = ?", {Schema::CurrentVersion + 1});
    const QString refusal = QString("The database has version %1 of the store tables; this program knows "
                                    "version %2 at most. Please use a newer program.\n")
                                .arg(Schema::CurrentVersion + 1)
                                .arg(Schema::CurrentVersion);
    EXPECT_EQ(Admin({"init", target, "--admin", "bob"}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(User({"add", "bob", "--rights", "STORE"}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(SqlSession::Open(target)->scalar("SELECT COUNT(*) FROM zev_user").toInt(), 1);
}

ZEV_APP_BACKENDS(AdminCommandTest);

} // namespace
