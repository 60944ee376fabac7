#include "app/AdminCommand.h"
#include "DemoHost.h"
#include "app/HostOptions.h"
#include "database/Schema.h"

namespace {

// zevstore-admin on an empty database of its own: a SQLite file without tables, or an empty PostgreSQL
// schema.
class AdminCommandTest : public BothBackends {
protected:
    void SetUp() override {
        BothBackends::SetUp();
        if (IsSkipped())
            return;
        database = TestDatabase::Create(GetParam(), false, false);
        target = database->target();
    }

    // Runs "zevstore-admin words..."; its exit code, with what it said in out and err.
    int Admin(QStringList words) {
        out.clear();
        err.clear();
        QTextStream outStream(&out), errStream(&err);
        return AdminCommand(outStream, errStream).Run(QStringList{"zevstore-admin"} + words);
    }
    int User(const QStringList& words) {
        return Admin(QStringList{"user"} + words + QStringList{"--database", target});
    }

    QMap<QString, int> Counts() {
        auto session = SqlSession::Open(target);
        QMap<QString, int> counts;
        for (const QString& table : Schema::Tables())
            counts[table] = session->scalar("SELECT COUNT(*) FROM " + table).toInt();
        return counts;
    }

    std::unique_ptr<TestDatabase> database;
    QString target, out, err;
};

TEST_P(AdminCommandTest, InitTwiceChangesNothingAndADatabaseNewerThanTheProgramIsRefused) {
    ASSERT_EQ(Admin({"init", target, "--admin", "alice", "--demo"}), AdminCommand::Done) << err.toStdString();
    EXPECT_EQ(out, "Tables created (version 3).\nDemo data loaded.\nalice is an administrator now.\n");
    const auto seeded = Counts();
    EXPECT_GT(seeded["zev_store"], 0);
    ASSERT_EQ(Admin({"init", target, "--admin", "alice", "--demo"}), AdminCommand::Done);
    EXPECT_EQ(out, "Demo data not loaded: the database holds stores or users already.\n"
                   "Nothing to do: the tables are at version 3 and alice is an administrator.\n");
    EXPECT_EQ(Counts(), seeded);

    SqlSession::Open(target)->run("UPDATE zev_schema_version SET version = 4");
    const QString refusal = "The database has version 4 of the store tables; this program knows version 3 at "
                            "most. Please use a newer program.\n";
    EXPECT_EQ(Admin({"init", target, "--admin", "bob"}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(User({"add", "bob", "--rights", "STORE"}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(Counts()["zev_user"], seeded["zev_user"]);
}

TEST_P(AdminCommandTest, UsersAndRightsAreKeptAndBadOnesRefusedWithoutAChange) {
    EXPECT_EQ(User({"list"}), AdminCommand::Failed) << "no tables yet";
    ASSERT_EQ(Admin({"init", target, "--admin", "alice"}), AdminCommand::Done) << err.toStdString();
    EXPECT_EQ(User({"add", "bob", "--full-name", "Bob Baker", "--rights", "store"}), AdminCommand::Done);
    EXPECT_EQ(User({"add", "carol", "--rights", ""}), AdminCommand::Done);
    EXPECT_EQ(User({"rights", "bob", "STORE_VIEW_CARD,store", "STOREADMIN"}), AdminCommand::Done);
    EXPECT_EQ(User({"rights", "alice", ""}), AdminCommand::Done);
    EXPECT_EQ(User({"remove", "carol"}), AdminCommand::Done);
    ASSERT_EQ(User({"list"}), AdminCommand::Done);
    EXPECT_EQ(
        out,
        "USER   FULL NAME  RIGHTS\nalice  alice      \nbob    Bob Baker  STORE,STOREADMIN,STORE_VIEW_CARD\n");

    const auto before = Counts();
    const struct {
        QStringList words;
        int code;
        QString says;
    } refused[] = {
        {{"add", "bad name", "--rights", "STORE"}, AdminCommand::Failed, "\"bad name\" is not a user name"},
        {{"add", "dave", "--rights", "STORE,BOSS"},
         AdminCommand::Failed,
         "\"BOSS\" is not a right; the rights are STORE, STOREADMIN, STORE_VIEW_CARD."},
        {{"add", "bob", "--rights", "STORE"}, AdminCommand::Failed, "The user bob exists already"},
        {{"add", "dave"}, AdminCommand::Misused, "user add needs --rights"},
        {{"rights", "nobody", "STORE"}, AdminCommand::Failed, "The database has no user nobody"},
        {{"remove", "nobody"}, AdminCommand::Failed, "The database has no user nobody"},
        {{"list", "--demo"}, AdminCommand::Misused, "user list takes no --demo."},
        {{"delete", "bob"}, AdminCommand::Misused, "is not a command."},
    };
    for (const auto& wrong : refused) {
        EXPECT_EQ(User(wrong.words), wrong.code) << wrong.words.join(' ').toStdString();
        EXPECT_TRUE(err.contains(wrong.says) && out.isEmpty()) << err.toStdString();
    }
    EXPECT_EQ(Counts(), before);

    // Both programs answer --version without a failure.
    EXPECT_EQ(Admin({"--version"}), AdminCommand::Done);
    HostOptions host;
    EXPECT_FALSE(HostOptions::Parse({"zevstore", "--version"}, host, out));
    EXPECT_TRUE(host.answered);
}

ZEV_INSTANTIATE_BACKENDS(AdminCommandTest);

} // namespace
