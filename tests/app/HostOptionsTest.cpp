#include "app/HostOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(HostOptionsTest, ReadsTheDatabaseUserAndScreenshotFolderAndRefusesTheRest) {
    HostOptions options;
    QString message;
    ASSERT_TRUE(HostOptions::Parse(
        {"zevstore", "--database", "postgresql://zev@db/zev", "--user=clerk", "--screenshots", "shots"},
        options, message));
    EXPECT_EQ(options.database, "postgresql://zev@db/zev");
    EXPECT_EQ(options.user, "clerk");
    EXPECT_EQ(options.screenshotDir, "shots");

    HostOptions plain;
    ASSERT_TRUE(HostOptions::Parse({"zevstore"}, plain, message));
    EXPECT_TRUE(plain.database.isEmpty() && plain.user.isEmpty() && plain.screenshotDir.isEmpty());

    for (const QStringList& wrong :
         {QStringList{"zevstore", "--database"}, QStringList{"zevstore", "store.db"},
          QStringList{"zevstore", "--screenshots="}, QStringList{"zevstore", "--fast"}}) {
        message.clear();
        EXPECT_FALSE(HostOptions::Parse(wrong, options, message)) << wrong.join(' ').toStdString();
        EXPECT_FALSE(message.isEmpty());
    }
    EXPECT_FALSE(HostOptions::Parse({"zevstore", "--help"}, options, message));
    EXPECT_TRUE(message.startsWith("Usage: "));
}

} // namespace
