#include "app/AdminCommand.h"
#include "DemoHost.h"
#include "app/HostOptions.h"
#include "database/ChangeHistory.h"
#include "database/Schema.h"
#include "database/Transaction.h"

#include <QFile>

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
        return AdminCommand(outStream, errStream, [](const QString& login) { return login + "-typed"; })
            .Run(QStringList{"zevstore-admin"} + words);
    }
    // A login name of this test's own on PostgreSQL, where logins are the whole server's.
    QString N(const QString& name) { return database->uniqueName(name); }
    int User(const QStringList& words) {
        return Admin(QStringList{"user"} + words + QStringList{"--database", target});
    }

    std::unique_ptr<TestDatabase> database;
    QString target, out, err;
};

TEST_P(AdminCommandTest, InitTwiceChangesNothingAndADatabaseNewerThanTheProgramIsRefused) {
    const QString alice = N("alice");
    ASSERT_EQ(Admin({"init", target, "--admin", alice, "--demo"}), AdminCommand::Done) << err.toStdString();
    const QString now = QString::number(Schema::CurrentVersion),
                  newer = QString::number(Schema::CurrentVersion + 1);
    EXPECT_TRUE(out.startsWith("Tables created (version " + now + ").\nDemo data loaded.\n" + alice +
                               " is an administrator now.\n"))
        << out.toStdString();
    // On a server, the group roles, their privileges and the administrator's login, without a password.
    EXPECT_EQ(out.contains("Login " + alice + " created without a password"),
              GetParam() == Backend::PostgreSQL);
    const auto seeded = database->counts();
    EXPECT_GT(seeded["zev_store"], 0);
    ASSERT_EQ(Admin({"init", target, "--admin", alice, "--demo"}), AdminCommand::Done);
    EXPECT_EQ(out, "Demo data not loaded: the database holds stores or users already.\n"
                   "Nothing to do: the tables are at version " +
                       now + " and " + alice + " is an administrator.\n");
    EXPECT_EQ(database->counts(), seeded);

    SqlSession::Open(target)->run("UPDATE zev_schema_version SET version = " + newer);
    const QString refusal = "The database has version " + newer +
                            " of the store tables; this program knows version " + now +
                            " at most. Please use a newer program.\n";
    EXPECT_EQ(Admin({"init", target, "--admin", N("bob")}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(User({"add", N("bob"), "--rights", "STORE"}), AdminCommand::Failed);
    EXPECT_EQ(err, refusal);
    EXPECT_EQ(database->counts()["zev_user"], seeded["zev_user"]);
}

TEST_P(AdminCommandTest, UsersAndRightsAreKeptAndBadOnesRefusedWithoutAChange) {
    EXPECT_EQ(User({"list"}), AdminCommand::Failed) << "no tables yet";
    const QString alice = N("alice"), bob = N("bob"), carol = N("carol");
    ASSERT_EQ(Admin({"init", target, "--admin", alice}), AdminCommand::Done) << err.toStdString();
    EXPECT_EQ(User({"add", bob, "--full-name", "Bob Baker", "--rights", "store"}), AdminCommand::Done);
    EXPECT_EQ(User({"add", carol, "--rights", ""}), AdminCommand::Done);
    EXPECT_EQ(User({"rights", bob, "STORE_VIEW_CARD,store", "STOREADMIN"}), AdminCommand::Done);
    EXPECT_EQ(User({"rights", alice, ""}), AdminCommand::Done);
    EXPECT_EQ(User({"remove", carol}), AdminCommand::Done);
    ASSERT_EQ(User({"list"}), AdminCommand::Done);
    // Columns as wide as their longest entry and two blanks.
    const qsizetype names = alice.size() + 2, fullNames = std::max<qsizetype>(alice.size(), 9) + 2;
    EXPECT_EQ(out, QString("USER").leftJustified(names) + QString("FULL NAME").leftJustified(fullNames) +
                       "RIGHTS\n" + alice.leftJustified(names) + alice.leftJustified(fullNames) + "\n" +
                       bob.leftJustified(names) + QString("Bob Baker").leftJustified(fullNames) +
                       "STORE,STOREADMIN,STORE_VIEW_CARD\n");
    if (GetParam() == Backend::PostgreSQL) {
        // The logins follow: carol's is gone, bob's is in the group roles of his rights.
        auto session = SqlSession::Open(target);
        EXPECT_FALSE(session->scalar("SELECT 1 FROM pg_roles WHERE rolname = ?", {carol}).isValid());
        EXPECT_EQ(session
                      ->scalar("SELECT COUNT(*) FROM pg_auth_members m JOIN pg_roles u ON u.oid = m.member "
                               "WHERE u.rolname = ?",
                               {bob})
                      .toInt(),
                  4);
        EXPECT_EQ(User({"password", bob, "--password-file", "/nonexistent/file"}), AdminCommand::Failed);
        EXPECT_EQ(err, "The password file /nonexistent/file cannot be read.\n");
    } else {
        EXPECT_EQ(User({"password", bob}), AdminCommand::Misused);
        EXPECT_TRUE(err.startsWith("A SQLite file keeps no passwords")) << err.toStdString();
    }

    const auto before = database->counts();
    const struct {
        QStringList words;
        int code;
        QString says;
    } refused[] = {
        {{"add", "bad name", "--rights", "STORE"}, AdminCommand::Failed, "\"bad name\" is not a user name"},
        {{"add", "dave", "--rights", "STORE,BOSS"},
         AdminCommand::Failed,
         "\"BOSS\" is not a right; the rights are STORE, STOREADMIN, STORE_VIEW_CARD."},
        {{"add", bob, "--rights", "STORE"}, AdminCommand::Failed, "The user " + bob + " exists already"},
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
    EXPECT_EQ(database->counts(), before);

    // Both programs answer --version without a failure.
    EXPECT_EQ(Admin({"--version"}), AdminCommand::Done);
    HostOptions host;
    EXPECT_FALSE(HostOptions::Parse({"zevstore", "--version"}, host, out));
    EXPECT_TRUE(host.answered);
}

TEST_P(AdminCommandTest, HistoryPruneRemovesTheOlderChangesOnlyAndABadDateNone) {
    ASSERT_EQ(Admin({"init", target, "--admin", N("alice"), "--demo"}), AdminCommand::Done)
        << err.toStdString();
    auto session = SqlSession::Open(target);
    const int kept = session->scalar("SELECT COUNT(*) FROM " + Schema::History).toInt();
    ASSERT_GT(kept, 2);
    session->run("UPDATE " + Schema::History +
                 " SET changed_at = '2024-12-31 23:59:59' WHERE history_no IN "
                 "(SELECT MIN(history_no) FROM " +
                 Schema::History + ")");
    session->run("UPDATE " + Schema::History +
                 " SET changed_at = '2025-01-01 00:00:00' WHERE history_no IN "
                 "(SELECT MAX(history_no) FROM " +
                 Schema::History + ")");

    EXPECT_EQ(Admin({"history", "prune", "--before", "2025-13-01", "--database", target}),
              AdminCommand::Misused);
    EXPECT_TRUE(err.startsWith("history prune needs --before DATE")) << err.toStdString();
    EXPECT_EQ(Admin({"history", "prune", "--before", "2025-01-01", "--database", target}), AdminCommand::Done)
        << err.toStdString();
    EXPECT_EQ(out, "1 change made before 2025-01-01 removed from the history.\n");
    EXPECT_EQ(session->scalar("SELECT COUNT(*) FROM " + Schema::History).toInt(), kept - 1);

    // A record's changes are all found, newest first, whether its index has caught up with them or not,
    // before and after the history is emptied.
    const auto changeFee = [&](int amount) {
        session->run("UPDATE zev_store_fee SET fee_amount = ? WHERE store_no = 1 AND fee_id = 'SERVICE'",
                     {amount});
        session->run("UPDATE zev_store SET description = ? WHERE store_no = 1", {QString::number(amount)});
    };
    const auto feeChanges = [&] {
        HistoryFilter filter;
        filter.table = "zev_store_fee";
        filter.recordKey = "1/SERVICE";
        return ChangeHistory::Read(*session, filter, 0, 1000);
    };
    const size_t before = feeChanges().size();
    for (int amount = 1; amount <= 150; ++amount) {
        changeFee(amount);
        if (amount == 100 && session->backend() == Backend::SQLite) {
            Transaction indexing(*session);
            ChangeHistory::IndexRecent(*session);
            indexing.commit();
        }
    }
    const auto changes = feeChanges();
    ASSERT_EQ(changes.size(), before + 150);
    EXPECT_EQ(changes.front().columns.front().newValue, "150");
    EXPECT_EQ(changes[149].columns.front().newValue, "1");
    ASSERT_EQ(Admin({"history", "prune", "--before", "2999-01-01", "--database", target}), AdminCommand::Done)
        << err.toStdString();
    EXPECT_TRUE(feeChanges().empty());
    changeFee(151);
    ASSERT_EQ(feeChanges().size(), 1u);
}

ZEV_INSTANTIATE_BACKENDS(AdminCommandTest);

// A database of the version before logins per person: its tables and users, no group roles, no logins.
TEST(AdminUpgrade, InitGivesTheOldUsersLoginsThatLetThemInOnceTheyHaveAPassword) {
    if (!TestDatabase::Available(Backend::PostgreSQL))
        GTEST_SKIP() << "no PostgreSQL server given (ZEVSTORE_TEST_PG_URL)";
    const auto database = TestDatabase::Create(Backend::PostgreSQL, false, true);
    const QString boss = database->uniqueName("oldboss"), clerk = database->uniqueName("oldclerk");
    for (const QString& user : {boss, clerk})
        database->execute("INSERT INTO zev_user (user_id, full_name) VALUES (?, ?)", {user, user});
    database->execute("INSERT INTO zev_user_right (user_id, right_id) VALUES (?, 'STORE')", {clerk});
    const auto admin = [&](const QStringList& words, QString& out) {
        QString err;
        QTextStream outStream(&out), errStream(&err);
        const int code = AdminCommand(outStream, errStream, [](const QString&) {
                             return QString();
                         }).Run(QStringList{"zevstore-admin"} + words);
        EXPECT_EQ(err, "");
        return code;
    };

    QString first, second, third;
    ASSERT_EQ(admin({"init", database->target(), "--admin", boss}, first), AdminCommand::Done);
    for (const QString& said :
         QStringList{"Group roles created: ", "Privileges on the tables granted to the group roles",
                     "Login " + clerk + " created without a password", "Login " + boss + " created"})
        EXPECT_TRUE(first.contains(said)) << said.toStdString() << " in " << first.toStdString();
    ASSERT_EQ(admin({"init", database->target(), "--admin", boss}, second), AdminCommand::Done);
    EXPECT_EQ(second, "Nothing to do: the tables are at version " + QString::number(Schema::CurrentVersion) +
                          " and " + boss + " is an administrator.\n");

    const QString clerkAddress = database->targetAs(clerk, "a-guess");
    EXPECT_EQ(database->signInRefusal(clerk, "a-guess"), database->passwordRefused(clerk))
        << "a login without a password cannot sign in";
    QTemporaryDir folder;
    QFile file(folder.filePath("password"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("a-guess\n") > 0);
    file.close();
    ASSERT_EQ(admin({"user", "password", clerk, "--password-file", file.fileName(), "--database",
                     database->target()},
                    third),
              AdminCommand::Done);
    EXPECT_EQ(third, "The password of " + clerk + " is set.\n");
    const auto db = SqlConnection::Open(clerkAddress, "admin");
    EXPECT_EQ(db->CurrentUser(), clerk);
    EXPECT_EQ(db->session()->scalar("SELECT right_id FROM zev_user_right"), QVariant("STORE"));
}

} // namespace
