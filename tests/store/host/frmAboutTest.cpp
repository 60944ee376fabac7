#include "store/host/frmAbout.h"
#include "support/ScriptedMessages.h"

#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {

TEST(frmAboutTest, SystemInfoWithoutAToolSaysSoOnceAndStaysOpen) {
    frmAbout about;
    EXPECT_EQ(about.findChild<QLabel*>("lblVersion")->text(), "Version 1.0.0");
    about.SysInfoTools = {"no-such-system-information-tool"};
    about.show();
    ScriptedMessages messages;
    messages.expect();
    about.findChild<QPushButton*>("cmdSysInfo")->click();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.last(), ": System Information Is Unavailable At This Time");
    EXPECT_EQ(messages.shown()[0].buttons, 0);
    EXPECT_TRUE(about.isVisible());
    about.findChild<QPushButton*>("cmdOk")->click();
    EXPECT_FALSE(about.isVisible());
}

} // namespace
