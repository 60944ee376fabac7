#include "app/MainWindow.h"
#include "DemoHost.h"
#include "app/SpecialOffersDialog.h"
#include "sdk/RuntimeError.h"
#include "support/ModalScript.h"
#include "support/ScriptedMessages.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A module control that writes down what the host asks of it.
class RecordingModule : public QWidget, public Implements {
public:
    RecordingModule(std::shared_ptr<QStringList> calls, QWidget* parent) : QWidget(parent), m_calls(calls) {}

    void Enable() override { *m_calls << "Enable"; }
    QString ProgID() override { return "ZevStore.Store"; }
    void SetAppServer(const std::shared_ptr<AppServer>& appServer) override {
        *m_calls << "SetAppServer";
        m_server = appServer;
        m_server->StatusText("Ready");
    }
    void ShowAbout() override { *m_calls << "ShowAbout"; }
    void Setup() override {
        *m_calls << "Setup";
        if (failSetup)
            throw RuntimeError(5, "Invalid procedure call or argument");
    }
    QString GetApplicationName() override { return "ZevStore"; }
    void ShutDown() override {
        *m_calls << "ShutDown";
        m_server.reset();
    }

    bool failSetup = false;

private:
    std::shared_ptr<QStringList> m_calls;
    std::shared_ptr<AppServer> m_server;
};

TEST(MainWindowTest, DrivesTheModuleInTheHostOrderAndShutsItDownOnce) {
    DemoHost host("clerk");
    auto calls = std::make_shared<QStringList>();
    {
        MainWindow window(host.server);
        auto* module = new RecordingModule(calls, &window);
        window.Attach({module, module});
        EXPECT_EQ(*calls, (QStringList{"SetAppServer", "Setup", "Enable"}));
        EXPECT_EQ(window.centralWidget(), module);
        EXPECT_EQ(window.lblStatus->text(), "Ready");
        EXPECT_EQ(window.windowTitle(), "ZevStore - clerk");

        window.mnuHelpAbout->trigger();
        EXPECT_EQ(calls->last(), "ShowAbout");

        window.show();
        window.mnuFileExit->trigger();
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(calls->last(), "ShutDown");
    }
    EXPECT_EQ(calls->count("ShutDown"), 1); // not again when the window goes
    // The module let go of the application server: only the test's host holds it now.
    EXPECT_EQ(host.server.use_count(), 1);
}

TEST(MainWindowTest, AModuleThatThrowsIsReportedAndTheWindowGoesOn) {
    DemoHost host("clerk");
    auto calls = std::make_shared<QStringList>();
    MainWindow window(host.server);
    auto* module = new RecordingModule(calls, &window);
    module->failSetup = true;
    ScriptedMessages messages;
    messages.expect();
    window.Attach({module, module});
    EXPECT_EQ(*calls, (QStringList{"SetAppServer", "Setup"}));
    ASSERT_EQ(host.LogLines().size(), 1);
    EXPECT_TRUE(
        host.LogLines()[0].endsWith("\tclerk\t5\tZevStore.Host Start\tInvalid procedure call or argument"));
    ASSERT_EQ(messages.shown().size(), 1u);
}

TEST(MainWindowTest, WithoutItsModuleTheWindowSaysWhyAndKeepsItsOwnMenus) {
    DemoHost host;
    QTemporaryDir empty;
    MainWindow window(host.server);
    EXPECT_FALSE(window.StartModule(empty.path()));
    EXPECT_FALSE(window.Control());
    auto* reason = window.findChild<QLabel*>("lblModuleError");
    ASSERT_TRUE(reason);
    EXPECT_EQ(reason->text(), window.ModuleError());
    EXPECT_TRUE(reason->text().contains(empty.path()));
    EXPECT_EQ(window.lblStatus->text(), "The Store Maintenance module is not available.");

    ScriptedMessages messages;
    messages.expect();
    window.mnuHelpAbout->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_TRUE(messages.shown()[0].prompt.contains(window.ModuleError()));
    // The host's own menu still works.
    ModalScript dialogs;
    dialogs.on<SpecialOffersDialog>([](SpecialOffersDialog& offers) { offers.hide(); });
    window.mnuToolSpecialOffer->trigger();
    EXPECT_EQ(dialogs.shownCount(), 1);
    window.close(); // nothing to shut down
}

} // namespace
