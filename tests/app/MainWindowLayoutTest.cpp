#include "DemoHost.h"
#include "app/MainWindow.h"
#include "support/ScriptedMessages.h"
#include "widgets/TabStrip.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <gtest/gtest.h>

// The main window on the demo data, laid out at its smallest and at a full-HD screen's size, on every view.

namespace {

// The controls a user sees and works: the parts inside a combo box, a grid or a tab bar are theirs.
bool IsControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLabel*>(widget) ||
           qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) || qobject_cast<const QTabBar*>(widget);
}

bool InsideAControl(const QWidget* widget, const QWidget* top) {
    for (const QWidget* parent = widget->parentWidget(); parent && parent != top;
         parent = parent->parentWidget())
        if (IsControl(parent))
            return true;
    return false;
}

QString Name(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget); label && widget->objectName().isEmpty())
        return "label \"" + label->text() + "\"";
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
        button && widget->objectName().isEmpty())
        return "button \"" + button->text() + "\"";
    return widget->metaObject()->className() + QString(" ") + widget->objectName();
}

// What is wrong with the control's layout: controls on top of each other, or cut off by their parents' edges
// or, for a text, by its own.
QStringList LayoutFaults(QWidget& control) {
    QList<QWidget*> shown;
    for (QWidget* widget : control.findChildren<QWidget*>())
        if (widget->isVisibleTo(&control) && IsControl(widget) && !InsideAControl(widget, &control))
            shown << widget;
    QStringList faults;
    if (shown.size() < 8)
        faults << QString("only %1 controls shown").arg(shown.size());
    auto rectOf = [&](const QWidget* widget) {
        return QRect(widget->mapTo(&control, QPoint()), widget->size());
    };
    for (const QWidget* widget : shown) {
        for (const QWidget* parent = widget; parent != &control; parent = parent->parentWidget()) {
            const QRect within = parent->parentWidget()->rect();
            if (!within.contains(parent->geometry()))
                faults << Name(widget) + " is cut off";
        }
        if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget)) {
            const QSize needed = widget->minimumSizeHint();
            if (widget->width() < needed.width() || widget->height() < needed.height())
                faults << Name(widget) + " cuts its text";
        }
    }
    for (int i = 0; i < shown.size(); ++i)
        for (int j = i + 1; j < shown.size(); ++j)
            if (rectOf(shown[i]).intersects(rectOf(shown[j])))
                faults << Name(shown[i]) + " overlaps " + Name(shown[j]);
    faults.removeDuplicates();
    return faults;
}

class MainWindowLayoutTest : public testing::Test {
protected:
    void SetUp() override {
        ZEV_SKIP_WITHOUT_PLUGIN();
        host = std::make_unique<DemoHost>("admin");
        window = std::make_unique<MainWindow>(host->server);
        ASSERT_TRUE(window->StartModule(PluginFolder)) << window->ModuleError().toStdString();
        window->show();
        views = window->Control()->findChild<TabStrip*>("tabStore");
        ASSERT_TRUE(views);
        auto* stores = window->Control()->findChild<QComboBox*>("cmbStore");
        if (stores->currentIndex() < 0)
            stores->setCurrentIndex(0);
    }

    std::unique_ptr<DemoHost> host;
    std::unique_ptr<MainWindow> window;
    TabStrip* views = nullptr;
};

TEST_F(MainWindowLayoutTest, EveryViewShowsEveryControlWholeAtTheSmallestSizeAndMaximised) {
    const QSize smallest = window->minimumSizeHint();
    EXPECT_LT(smallest.width(), 1024);
    EXPECT_LT(smallest.height(), 768);
    for (const QSize size : {smallest, QSize(1920, 1080)}) {
        window->resize(size);
        for (const char* key : {"PRODUCT", "LIST", "CUST", "ORDER"}) {
            views->SelectKey(key);
            QApplication::processEvents();
            ASSERT_EQ(window->size(), size);
            const QStringList faults = LayoutFaults(*window->Control());
            EXPECT_TRUE(faults.isEmpty()) << key << " at " << size.width() << "x" << size.height() << ":\n"
                                          << faults.join("\n").toStdString();
        }
    }
    window->resize(smallest - QSize(50, 50));
    EXPECT_EQ(window->size(), smallest) << "the window does not get smaller than that";
}

TEST_F(MainWindowLayoutTest, HelpListsTheKeysOfTheWindowAndOfTheModule) {
    ScriptedMessages messages;
    messages.expect();
    window->mnuHelpShortcuts->trigger();
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].title, "Keyboard Shortcuts");
    for (const char* keys : {"Esc", "Ctrl+Tab, Ctrl+Shift+Tab", "Enter, F2 (in a grid)", "Insert, Ctrl+N"})
        EXPECT_TRUE(messages.shown()[0].prompt.contains(keys)) << keys;
}

// The window and the module's dialogs are kept in the host's settings by the window's name.
TEST_F(MainWindowLayoutTest, TheNextRunOpensTheWindowAsItWasLeft) {
    window->RememberPlacements();
    window->showMaximized();
    QApplication::processEvents();
    window->close();
    window.reset();
    EXPECT_FALSE(
        host->settings->ReadSetting("AppData\\Host", "Windows", "frmMain", QString()).toText().isEmpty());

    MainWindow next(host->server);
    next.RememberPlacements();
    EXPECT_TRUE(next.windowState() & Qt::WindowMaximized);
}

} // namespace
