#include "store/host/frmAbout.h"
#include "support/ScriptedMessages.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, ShowsTheModuleVersionInformation) {
    frmAbout about;
    EXPECT_EQ(about.windowTitle(), "About ZevStore");
    EXPECT_EQ(about.findChild<QLabel*>("lblTitle")->text(), "ZevStore");
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    EXPECT_TRUE(about.findChild<QLabel*>("lblDisclaimer")->text().startsWith("Warning... "));
    EXPECT_TRUE(about.findChild<QLabel*>("lblDisclaimer")->text().contains(", Zev Leisure Systems\n"));
}

TEST(frmAboutTest, SystemInfoWithoutAToolSaysSoOnceAndStaysOpen) {
    frmAbout about;
    about.SysInfoTools = {"no-such-system-information-tool"};
    about.show();
    ScriptedMessages messages;
    messages.expect();
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt, "System Information Is Unavailable At This Time");
    EXPECT_EQ(messages.shown()[0].buttons, 0);
    EXPECT_EQ(messages.shown()[0].title, "");
    EXPECT_TRUE(about.isVisible());
    about.findChild<QPushButton*>("cmdOk")->click();
    EXPECT_FALSE(about.isVisible());
}

} // namespace
