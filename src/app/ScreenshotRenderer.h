#pragma once

#include <QString>
#include <QStringList>

class HostSearchDialog;
class QMainWindow;
class SqlSession;

// Renders the main window on each of the control's four views to PNG files, without a display. So that each
// picture shows real data, a store is selected when none is, the product view shows its groups opened, the
// list view shows its first list with items, the order view a search of all orders and the customer view the
// chosen customer and their change log.
class ScreenshotRenderer {
public:
    struct View {
        QString key;  // the tab's key in "tabStore"
        QString file; // the PNG file's name
    };
    static const QList<View>& Views();

    // customerNo: the customer the customer view shows; 0 for the first one the picker lists.
    ScreenshotRenderer(QMainWindow& window, int32_t customerNo = 0);
    // The customer with the longest change log, so the customer view shows one; 0 when there is none.
    static int32_t CustomerWithMostLogs(SqlSession& session);

    // The files written; empty with error set when the window has no views to render.
    QStringList Render(const QString& folder, QString& error);

private:
    void SelectFirstStore();
    // Every product group opened, so the product view shows products.
    void OpenOutline();
    // The first list with items, so the list view shows some.
    void SelectFilledList();
    void Prepare(const QString& key);
    void Click(const QString& buttonName);
    void Settle();
    void PickCustomer(HostSearchDialog& picker) const;

    QMainWindow& m_window;
    int32_t m_customerNo;
};
