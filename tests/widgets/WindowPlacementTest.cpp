#include "widgets/WindowPlacement.h"

#include <QMap>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A window opens where one of its name was last left; a window of another name stays where its form puts it.
// (The maximised state, kept in the host's settings, is the main window's test.)
TEST(WindowPlacement, AWindowOpensWhereOneOfItsNameWasLastLeft) {
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
    }
    for (const char* name : {"frmStoreProduct", "frmStore"}) {
        QWidget again;
        again.setObjectName(name);
        again.setGeometry(10, 20, 333, 222);
        WindowPlacement::Restore(again);
        again.show();
        const bool remembered = QString(name) == "frmStoreProduct";
        EXPECT_EQ(again.geometry(), remembered ? QRect(40, 50, 420, 310) : QRect(10, 20, 333, 222)) << name;
    }
    WindowPlacement::SetStore(previous);
}

} // namespace
