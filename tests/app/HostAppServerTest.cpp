#include "DemoHost.h"
#include "support/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace {

class HostAppServerTest : public BothBackends {};

bool MayUseStore(HostAppServer& server) {
    return server.HasPermission("STORE", "STOREADMIN", QString());
}

TEST_P(HostAppServerTest, RightsComeFromTheUsersAndRightsTables) {
    EXPECT_TRUE(MayUseStore(*DemoHost("admin", GetParam()).server));
    EXPECT_TRUE(MayUseStore(*DemoHost("clerk", GetParam()).server)); // "STORE" alone

    DemoHost guest("guest", GetParam());
    EXPECT_TRUE(guest.server->UserValidated());
    EXPECT_FALSE(MayUseStore(*guest.server));
    // The administrator's right alone is enough, in any letter case, and is seen at once.
    guest.Execute("INSERT INTO zev_user_right (user_id, right_id) VALUES ('guest', 'StoreAdmin')");
    EXPECT_TRUE(MayUseStore(*guest.server));
    // The empty third right grants nothing.
    EXPECT_FALSE(guest.server->HasPermission("OTHER", QString(), QString()));
    // An unknown user is neither validated nor permitted; the user id is compared exactly.
    for (const char* stranger : {"nobody", "ADMIN"}) {
        DemoHost host(stranger, GetParam());
        EXPECT_FALSE(host.server->UserValidated()) << stranger;
        EXPECT_FALSE(MayUseStore(*host.server)) << stranger;
    }
}

TEST_P(HostAppServerTest, ARightsLookupThatFailsIsReportedAndRefuses) {
    DemoHost host("admin", GetParam());
    host.Execute("DROP TABLE zev_user_right");
    ScriptedMessages messages;
    messages.expect();
    EXPECT_FALSE(MayUseStore(*host.server));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.contains("zev_user_right"));
    ASSERT_EQ(host.LogLines().size(), 1);
    EXPECT_TRUE(host.LogLines()[0].contains("\tadmin\t"));
    EXPECT_TRUE(host.LogLines()[0].contains("ZevStore.AppServer HasPermission"));
}

ZEV_INSTANTIATE_BACKENDS(HostAppServerTest);

} // namespace
