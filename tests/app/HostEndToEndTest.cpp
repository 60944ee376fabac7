#include "DemoHost.h"
#include "app/HostLauncher.h"
#include "app/MainWindow.h"
#include "app/ScreenshotRenderer.h"
#include "database/SqlConnection.h"
#include "support/ModalScript.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString HostProgram = QStringLiteral(ZEV_BUILD_BIN_DIR "/zevstore");

TEST(HostEndToEndTest, AFirstRunListsTheDemoStoresAndTheChosenStoreIsTheDefaultOfTheNextStart) {
    ZEV_SKIP_WITHOUT_PLUGIN();
    QTemporaryDir folder;
    HostOptions options;
    options.database = folder.filePath("first-run.db");
    options.user = "admin";
    QString chosen;
    {
        HostLauncher first(options, PlacesIn(folder));
        ASSERT_TRUE(first.Start()) << first.Error().toStdString();
        EXPECT_TRUE(QFile::exists(options.database));
        MainWindow& window = *first.Window();
        ASSERT_EQ(window.ModuleError(), "");
        ASSERT_TRUE(window.Control());

        auto* stores = window.findChild<QComboBox*>("cmbStore");
        ASSERT_TRUE(stores);
        EXPECT_EQ(stores->count(),
                  SqlSession::Open(options.database)->scalar("SELECT COUNT(*) FROM zev_store").toInt());
        EXPECT_GE(stores->count(), 3);

        // Help, About: the module's about box.
        ModalScript dialogs;
        dialogs.on<QDialog>([](QDialog& about) {
            EXPECT_EQ(about.windowTitle(), "About ZevStore");
            about.hide();
        });
        window.mnuHelpAbout->trigger();

        stores->setCurrentIndex(1);
        chosen = stores->currentText();
        window.close();
    }
    HostLauncher second(options, PlacesIn(folder));
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.Window()->findChild<QComboBox*>("cmbStore")->currentText(), chosen);
    EXPECT_EQ(second.Window()->lblStatus->text(), "Ready");
}

// Neither a file that is no database, nor an address or a folder that cannot be reached, nor another
// program's SQLite file is opened, and none is changed.
TEST(HostEndToEndTest, ADatabaseThatCannotBeOpenedOrIsAnotherProgramsIsAMessageAndNothingIsTouched) {
    QTemporaryDir folder;
    const QString notes = folder.filePath("notes.db"), other = folder.filePath("contacts.db");
    QFile notADatabase(notes);
    ASSERT_TRUE(notADatabase.open(QIODevice::WriteOnly));
    notADatabase.write(QByteArray(4096, 'x'));
    notADatabase.close();
    {
        auto session = SqlSession::Open(other);
        session->execute("PRAGMA journal_mode = DELETE");
        session->execute("CREATE TABLE contacts (name TEXT)");
        session->execute("INSERT INTO contacts VALUES ('Ada')");
    }
    const auto contents = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = contents(other);
    const QString cannot = "ZevStore could not open the database ";
    const std::pair<QString, QString> cases[] = {
        {notes, cannot},
        {"postgresql://", cannot},
        {folder.filePath("no-such-folder/zevstore.db"), cannot},
        {other, "holds another program's data (1 table, none of them ZevStore's)"},
        {other, "\"zevstore-admin init " + QDir::toNativeSeparators(other)},
    };
    for (const auto& [target, says] : cases) {
        HostOptions options;
        options.database = target;
        HostLauncher launcher(options, PlacesIn(folder));
        EXPECT_FALSE(launcher.Start()) << target.toStdString();
        EXPECT_TRUE(says == cannot ? launcher.Error().startsWith(says) : launcher.Error().contains(says))
            << launcher.Error().toStdString();
        EXPECT_FALSE(launcher.Window());
    }
    EXPECT_EQ(contents(notes), QByteArray(4096, 'x'));
    EXPECT_FALSE(QFile::exists(folder.filePath("no-such-folder")));
    EXPECT_EQ(contents(other), before);
    for (const char* suffix : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(other + suffix)) << suffix;
}

// Runs the host program; its exit code, and what it wrote to standard error.
int RunHost(const QStringList& arguments, const QTemporaryDir& home, const QString& plugins,
            QString& errors) {
    QProcess host;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", home.filePath("data"));
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("ZEVSTORE_PLUGIN_DIR", plugins);
    host.setProcessEnvironment(env);
    host.start(HostProgram, arguments);
    EXPECT_TRUE(host.waitForFinished(300000));
    errors = QString::fromUtf8(host.readAllStandardError());
    EXPECT_EQ(host.exitStatus(), QProcess::NormalExit) << errors.toStdString();
    return host.exitCode();
}

TEST(HostEndToEndTest, TheProgramRendersTheViewsAndEditorsOfAFreshDemoDatabase) {
    ZEV_SKIP_WITHOUT_PLUGIN();
    QTemporaryDir home;
    QString errors;
    ASSERT_EQ(RunHost({"--screenshots", home.filePath("shots")}, home, PluginFolder, errors), 0)
        << errors.toStdString();
    EXPECT_TRUE(QFile::exists(home.filePath("data/ZevStore/zevstore.db")));
    QStringList files;
    for (const auto& view : ScreenshotRenderer::Views()) {
        files << view.file;
        for (const auto& size : ScreenshotRenderer::Sizes())
            files << size.prefix + view.file;
    }
    for (const auto& editor : ScreenshotRenderer::Editors())
        files << editor.file;
    for (const auto& shot : ScreenshotRenderer::TabShots())
        files << shot.file;
    for (const auto& detail : ScreenshotRenderer::Details())
        files << detail.file;
    files << ScreenshotRenderer::FilteredFile() << ScreenshotRenderer::ExportFile()
          << ScreenshotRenderer::UnknownFieldFile() << ScreenshotRenderer::PreviewFile()
          << ScreenshotRenderer::CheckStoreFile();
    for (const QString& file : files) {
        const QImage picture(home.filePath("shots/" + file));
        EXPECT_FALSE(picture.isNull()) << file.toStdString();
        EXPECT_GT(picture.width(), 400) << file.toStdString();
    }
    EXPECT_FALSE(errors.contains("Error ")) << errors.toStdString();

    // A user without the right is told so; the views are rendered as that user sees them.
    ASSERT_EQ(
        RunHost({"--user", "guest", "--screenshots", home.filePath("guest")}, home, PluginFolder, errors), 0);
    EXPECT_TRUE(errors.contains("Security Alert: You do not have permission to use Store Maintenance."))
        << errors.toStdString();
    EXPECT_FALSE(errors.contains("Error ")) << errors.toStdString();
    EXPECT_TRUE(QFile::exists(home.filePath("guest/orders.png")));
}

TEST(HostEndToEndTest, TheProgramWithoutItsModuleOrDatabaseSaysWhyAndEnds) {
    QTemporaryDir home;
    QString errors;
    EXPECT_EQ(RunHost({"--screenshots", home.filePath("shots")}, home, home.path(), errors), 1);
    EXPECT_TRUE(errors.contains("No Store Maintenance module was found in " + home.path()))
        << errors.toStdString();
    EXPECT_FALSE(QFile::exists(home.filePath("shots")));

    EXPECT_EQ(RunHost({"--database", "postgresql://", "--screenshots", home.filePath("shots")}, home,
                      home.path(), errors),
              1);
    EXPECT_TRUE(errors.contains("ZevStore could not open the database postgresql://"))
        << errors.toStdString();

    EXPECT_EQ(RunHost({"--no-such-option"}, home, home.path(), errors), 2);
    EXPECT_TRUE(errors.contains("no-such-option")) << errors.toStdString();
}

} // namespace
