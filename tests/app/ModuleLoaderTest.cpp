#include "app/ModuleLoader.h"

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(ModuleLoaderTest, AMissingOrBrokenModuleIsAMessageNotACrash) {
    QWidget parent;
    QTemporaryDir folder;

    ModuleLoader::Result missing = ModuleLoader(folder.filePath("nowhere")).Load(&parent);
    EXPECT_FALSE(missing.control.widget);
    EXPECT_EQ(missing.error.toStdString(),
              "The module folder " + folder.filePath("nowhere").toStdString() + " does not exist.");

    // A folder without the module is left to the program's own run.
    QFile broken(folder.filePath("libzevstore_store.so"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is no shared library");
    broken.close();
    QFile notes(folder.filePath("readme.txt")); // not a library: not tried
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.close();
    ModuleLoader::Result bad = ModuleLoader(folder.path()).Load(&parent);
    EXPECT_FALSE(bad.control.widget);
    EXPECT_TRUE(
        bad.error.startsWith("The Store Maintenance module could not be loaded:\nlibzevstore_store.so: "))
        << bad.error.toStdString();
    EXPECT_FALSE(bad.error.contains("readme.txt"));
    EXPECT_TRUE(parent.children().isEmpty());
}

} // namespace
