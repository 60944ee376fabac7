#pragma once

#include <QString>
#include <QStringList>

class QMainWindow;
class QWidget;

// Renders the main window on each of the control's four views to PNG files, without a display. A store is
// selected when none is; the order view shows a search of all orders and the customer view the first
// customer of the customer picker, so each picture shows real data.
class ScreenshotRenderer {
public:
    struct View {
        QString key;  // the tab's key in "tabStore"
        QString file; // the PNG file's name
    };
    static const QList<View>& Views();

    explicit ScreenshotRenderer(QMainWindow& window);

    // The files written; empty with error set when the window has no views to render.
    QStringList Render(const QString& folder, QString& error);

private:
    void SelectFirstStore();
    void Prepare(const QString& key);
    void Click(const QString& buttonName);
    void Settle();

    QMainWindow& m_window;
};
