#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class HostSearchDialog;
class QDialog;
class QMainWindow;
class QWidget;
class SqlSession;

// Renders the main window on each of the control's four views to PNG files, without a display. So that each
// picture shows real data, a store is selected when none is, the product view shows its groups opened, the
// list view shows its first list with items, the order view a search of all orders and the customer view the
// chosen customer and their change log; the order and the log entry of the first rows in their viewers. Then
// the editors, opened by the window's own buttons on the first store, the showcase product and item, its
// first link and the list's first entry, each on the tabs the guide shows, and closed again without a change.
class ScreenshotRenderer {
public:
    struct View {
        QString key;  // the tab's key in "tabStore"
        QString file; // the PNG file's name
    };
    static const QList<View>& Views();

    struct Editor {
        QString dialog; // the editor's object name
        QString file;
        // The tab strip and the tab that show the rows of the editor opened next.
        QString tabs = {};
        QString tab = {};
        // The grid whose row that button edits.
        QString grid = {};
        QString button = {};
        int keyColumn = -1; // the grid's column of the showcase item's sequence number; -1: the first row
    };
    static const QList<Editor>& Editors();

    // Further pictures of an editor: one per tab worth showing in the guide.
    struct TabShot {
        QString dialog;
        QString tabs;
        QString key;
        QString file;
    };
    static const QList<TabShot>& TabShots();

    // The main window's sizes pictured on every view besides its usual one: its smallest, where the panels
    // reflow, and a full-HD screen; an empty size is the smallest. The pictures are named after the view's,
    // with the size's prefix.
    struct Size {
        QString prefix;
        QSize size;
    };
    static const QList<Size>& Sizes();

    // The viewer a double click on a view's first row opens, and its picture.
    static const QList<View>& Details();

    // The store editor's confirmation document with one field the field list does not know, and its preview
    // filled from the store's newest order, as "Preview..." opens it.
    static QString UnknownFieldFile() { return QStringLiteral("store-editor-unknown-field.png"); }
    static QString PreviewFile() { return QStringLiteral("document-preview.png"); }

    // The order view filtered by a word typed in its quick filter, and the "Export..." dialog over it.
    static QString FilteredFile() { return QStringLiteral("orders-filtered.png"); }
    static QString ExportFile() { return QStringLiteral("export-dialog.png"); }
    // Tools -> Check Store... on the store with the most findings.
    static QString CheckStoreFile() { return QStringLiteral("check-store.png"); }

    // What the pictures show: the customer of the customer view (0: the first one the picker lists), and the
    // product item whose editors are opened (0: the first product and its first item).
    struct Showcase {
        int32_t customerNo = 0;
        int32_t productNo = 0;
        int32_t seqNo = 0;
    };
    ScreenshotRenderer(QMainWindow& window, const Showcase& showcase);
    // The customer with the longest change log, and the first store's product item with the most up-sell and
    // cross-sell links, so their views and editors show data.
    static Showcase FullestData(SqlSession& session);

    // The files written; empty with error set when the window has no views to render.
    QStringList Render(const QString& folder, QString& error);

private:
    void RenderEditors(const QString& folder, QStringList& written);
    void RenderFilterAndExport(const QString& folder, QStringList& written);
    void RenderCheckStore(const QString& folder, QStringList& written);
    // Opens the view's detail viewer on its first row and saves its picture.
    void RenderDetail(const QString& key, const QString& folder, QStringList& written);
    void Save(QWidget& window, const QString& folder, const QString& file, QStringList& written);
    // Shoots the store editor's document tab with an unknown field and its preview, then puts the text back.
    void RenderPreview(QDialog& editor, const QString& folder, QStringList& written);
    // Saves the editor's picture and opens the editor of its showcase row where it has one.
    void ShootEditor(QDialog& dialog, const QString& folder, QStringList& written);
    // Edits the row whose column holds the key (the first row when none does) with the button.
    void EditRow(QWidget& window, const QString& grid, const QString& button, int column, int32_t key);
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
    Showcase m_showcase;
};
