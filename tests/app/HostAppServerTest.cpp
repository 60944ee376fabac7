#include "DemoHost.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {

class HostAppServerTest : public BothBackends {};

bool MayUseStore(HostAppServer& server) {
    return server.HasPermission(QStringLiteral("STORE"), QStringLiteral("STOREADMIN"), QString());
}

TEST_P(HostAppServerTest, RightsComeFromTheUsersAndRightsTables) {
    EXPECT_TRUE(MayUseStore(*DemoHost(QStringLiteral("admin"), GetParam()).server));
    EXPECT_TRUE(MayUseStore(*DemoHost(QStringLiteral("clerk"), GetParam()).server)); // "STORE" alone

    DemoHost guest(QStringLiteral("guest"), GetParam());
    EXPECT_TRUE(guest.server->UserValidated());
    EXPECT_FALSE(MayUseStore(*guest.server));
    // The administrator's right alone is enough, in any letter case, and is seen at once.
    guest.Execute(
        QStringLiteral("INSERT INTO zev_user_right (user_id, right_id) VALUES ('guest', 'StoreAdmin')"));
    EXPECT_TRUE(MayUseStore(*guest.server));
    // The empty third right grants nothing.
    EXPECT_FALSE(guest.server->HasPermission(QStringLiteral("OTHER"), QString(), QString()));
}

TEST_P(HostAppServerTest, AnUnknownUserIsNeitherValidatedNorPermitted) {
    DemoHost stranger(QStringLiteral("nobody"), GetParam());
    EXPECT_FALSE(stranger.server->UserValidated());
    EXPECT_FALSE(MayUseStore(*stranger.server));
    // A right row for a user the users table lacks cannot exist; the user id is compared exactly.
    DemoHost shouting(QStringLiteral("ADMIN"), GetParam());
    EXPECT_FALSE(shouting.server->UserValidated());
}

TEST_P(HostAppServerTest, ARightsLookupThatFailsIsReportedAndRefuses) {
    DemoHost host(QStringLiteral("admin"), GetParam());
    host.Execute(QStringLiteral("DROP TABLE zev_user_right"));
    ScriptedMessages messages;
    messages.expect();
    EXPECT_FALSE(MayUseStore(*host.server));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.contains("zev_user_right"));
    ASSERT_EQ(host.LogLines().size(), 1);
    EXPECT_TRUE(host.LogLines()[0].contains("\tadmin\t"));
    EXPECT_TRUE(host.LogLines()[0].contains("ZevStore.AppServer HasPermission"));
}

TEST_P(HostAppServerTest, HandsOutItsObjectsAndShowsTheStatusText) {
    DemoHost host(QStringLiteral("clerk"), GetParam());
    auto db = host.server->GetDBConnection(QString());
    EXPECT_EQ(db, host.db);
    EXPECT_EQ(host.server->GetDBConnection(QStringLiteral("another")), db);
    EXPECT_EQ(db->CurrentUser(), "clerk");
    EXPECT_EQ(host.server->ErrorObject(), host.errors);
    EXPECT_EQ(host.server->Settings(), host.settings);
    EXPECT_FALSE(host.server->SuppressSetup());
    ASSERT_TRUE(host.server->CustomerLookup());
    ASSERT_TRUE(host.server->ItemMaint());

    host.server->StatusText(QStringLiteral("before anyone listens")); // no status line yet: nothing happens
    QStringList shown;
    host.server->setStatusSink([&](const QString& text) { shown << text; });
    host.server->StatusText(QStringLiteral("Ready"));
    EXPECT_EQ(shown, QStringList{"Ready"});
}

ZEV_APP_BACKENDS(HostAppServerTest);

} // namespace
