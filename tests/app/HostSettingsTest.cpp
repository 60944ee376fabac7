#include "app/HostSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(HostSettingsTest, ValuesSurviveTheProgramAndStayApartByKeyAndSection) {
    QTemporaryDir folder;
    const QString file = folder.filePath("zevstore.ini");
    HostSettings(file).WriteSetting("AppData\\Store", "Environment", "DefaultStoreNo", "3");
    HostSettings(file).WriteSetting("AppData\\Other", "Environment", "DefaultStoreNo", "9");

    HostSettings later(file);
    EXPECT_EQ(later.ReadSetting("AppData\\Store", "Environment", "DefaultStoreNo", int16_t(0)), Variant("3"));
    EXPECT_EQ(later.ReadSetting("AppData\\Other", "Environment", "DefaultStoreNo", int16_t(0)), Variant("9"));
    // Nothing stored: the default comes back as it was given, a 16-bit zero.
    EXPECT_EQ(later.ReadSetting("AppData\\Store", "Other", "DefaultStoreNo", int16_t(0)),
              Variant(int16_t(0)));
    // An empty text is a stored value, not a missing one.
    later.WriteSetting("AppData\\Store", "Environment", "DefaultStoreNo", "");
    EXPECT_EQ(later.ReadSetting("AppData\\Store", "Environment", "DefaultStoreNo", int16_t(0)), Variant(""));

    // The file is a plain INI file with the application key as nested groups.
    QSettings ini(file, QSettings::IniFormat);
    EXPECT_EQ(ini.value("AppData/Other/Environment/DefaultStoreNo").toString(), "9");
}

} // namespace
