#include "widgets/WindowPlacement.h"

#include <QApplication>
#include <QMap>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window left somewhere opens there again, as the next run creates it anew; maximised stays maximised; a
// window of another name, or with nothing kept, stays where its form puts it.
TEST(WindowPlacement, AWindowOpensWhereItWasLastLeft) {
    QMap<QString, QByteArray> kept;
    const WindowPlacement::Store previous = WindowPlacement::SetStore(
        {[&](const QString& window) { return kept.value(window); },
         [&](const QString& window, const QByteArray& placement) { kept[window] = placement; }});
    {
        QWidget editor;
        editor.setObjectName("frmStoreProduct");
        editor.setGeometry(40, 50, 420, 310);
        editor.show();
        WindowPlacement::Save(editor);
        QWidget maximised;
        maximised.setObjectName("frmMain");
        maximised.showMaximized();
        QApplication::processEvents();
        WindowPlacement::Save(maximised);
    }
    EXPECT_EQ(kept.keys(), QStringList({"frmMain", "frmStoreProduct"}));

    QWidget again;
    again.setObjectName("frmStoreProduct");
    again.resize(600, 500);
    WindowPlacement::Restore(again);
    again.show();
    EXPECT_EQ(again.size(), QSize(420, 310));
    EXPECT_EQ(again.geometry().topLeft(), QPoint(40, 50));

    QWidget main;
    main.setObjectName("frmMain");
    WindowPlacement::Restore(main);
    EXPECT_TRUE(main.windowState() & Qt::WindowMaximized);

    QWidget other;
    other.setObjectName("frmStore");
    other.resize(333, 222);
    WindowPlacement::Restore(other);
    EXPECT_EQ(other.size(), QSize(333, 222));

    WindowPlacement::SetStore(previous);
    WindowPlacement::Restore(other); // without a store nothing is kept or read
    other.resize(100, 100);
    WindowPlacement::Save(other);
    EXPECT_EQ(kept.size(), 2);
}

} // namespace
