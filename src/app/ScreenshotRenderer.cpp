#include "app/ScreenshotRenderer.h"

#include "app/HostSearchDialog.h"
#include "database/SqlSession.h"
#include "sdk/RuntimeError.h"
#include "widgets/FlexGrid.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <functional>

const QList<ScreenshotRenderer::View>& ScreenshotRenderer::Views() {
    static const QList<View> views{{QStringLiteral("PRODUCT"), QStringLiteral("products.png")},
                                   {QStringLiteral("LIST"), QStringLiteral("lists.png")},
                                   {QStringLiteral("CUST"), QStringLiteral("customers.png")},
                                   {QStringLiteral("ORDER"), QStringLiteral("orders.png")}};
    return views;
}

const QList<ScreenshotRenderer::Editor>& ScreenshotRenderer::Editors() {
    static const QList<Editor> editors{
        {QStringLiteral("frmStore"), QStringLiteral("store-editor.png")},
        {QStringLiteral("frmStoreProduct"), QStringLiteral("product-editor.png"),
         QStringLiteral("tabProperties"), QStringLiteral("ITEMS"), QStringLiteral("gdItems"),
         QStringLiteral("cmdEdit"), 0},
        {QStringLiteral("frmStoreProductItem"),
         QStringLiteral("product-item-editor.png"),
         {},
         {},
         QStringLiteral("gdItemSell"),
         QStringLiteral("cmdEdit")},
        {QStringLiteral("frmStoreProductItemSell"), QStringLiteral("sell-link-editor.png")},
        {QStringLiteral("frmStoreListItem"), QStringLiteral("list-item-editor.png")}};
    return editors;
}

const QList<ScreenshotRenderer::TabShot>& ScreenshotRenderer::TabShots() {
    static const QList<TabShot> shots{
        {QStringLiteral("frmStore"), QStringLiteral("tabTabs"), QStringLiteral("GROUP"),
         QStringLiteral("store-editor-groups.png")},
        {QStringLiteral("frmStore"), QStringLiteral("tabTabs"), QStringLiteral("FEE"),
         QStringLiteral("store-editor-fees.png")},
        {QStringLiteral("frmStore"), QStringLiteral("tabTabs"), QStringLiteral("PAYMENT"),
         QStringLiteral("store-editor-payments.png")},
        {QStringLiteral("frmStore"), QStringLiteral("tabTabs"), QStringLiteral("CONFIRM"),
         QStringLiteral("store-editor-document.png")},
        {QStringLiteral("frmStoreProduct"), QStringLiteral("tabProperties"), QStringLiteral("ITEMS"),
         QStringLiteral("product-editor-items.png")}};
    return shots;
}

const QList<ScreenshotRenderer::Size>& ScreenshotRenderer::Sizes() {
    static const QList<Size> sizes{{QStringLiteral("main-window-minimum-"), QSize()},
                                   {QStringLiteral("main-window-1920x1080-"), QSize(1920, 1080)}};
    return sizes;
}

const QList<ScreenshotRenderer::View>& ScreenshotRenderer::Details() {
    static const QList<View> details{{QStringLiteral("ORDER"), QStringLiteral("order-detail.png")},
                                     {QStringLiteral("CUST"), QStringLiteral("customer-log-detail.png")}};
    return details;
}

ScreenshotRenderer::ScreenshotRenderer(QMainWindow& window, const Showcase& showcase)
    : m_window(window), m_showcase(showcase) {}

ScreenshotRenderer::Showcase ScreenshotRenderer::FullestData(SqlSession& session) {
    Showcase showcase;
    try {
        showcase.customerNo =
            session
                .scalar(QStringLiteral("SELECT customer_no FROM zev_customer_log GROUP BY customer_no "
                                       "ORDER BY COUNT(*) DESC, customer_no LIMIT 1"))
                .toInt();
        QSqlQuery linked = session.run(QStringLiteral(
            "SELECT product_no, seq_no FROM zev_store_product_item_sell "
            "WHERE store_no = (SELECT MIN(store_no) FROM zev_store) GROUP BY product_no, seq_no "
            "ORDER BY COUNT(*) DESC, product_no, seq_no LIMIT 1"));
        if (linked.next()) {
            showcase.productNo = linked.value(0).toInt();
            showcase.seqNo = linked.value(1).toInt();
        }
    } catch (const RuntimeError&) {
    }
    return showcase;
}

QStringList ScreenshotRenderer::Render(const QString& folder, QString& error) {
    auto* tabs = m_window.findChild<TabStrip*>(QStringLiteral("tabStore"));
    if (!tabs) {
        error = QStringLiteral("The main window shows no store views to render.");
        return {};
    }
    if (!QDir().mkpath(folder)) {
        error = QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder));
        return {};
    }
    m_window.show();
    Settle();
    SelectFirstStore();
    QStringList written;
    for (const View& view : Views()) {
        if (!tabs->SelectKey(view.key))
            continue;
        Settle();
        Prepare(view.key);
        Save(m_window, folder, view.file, written);
        RenderDetail(view.key, folder, written);
    }
    const QSize usual = m_window.size();
    for (const Size& size : Sizes()) {
        m_window.resize(size.size.isEmpty() ? m_window.minimumSizeHint() : size.size);
        for (const View& view : Views()) {
            if (!tabs->SelectKey(view.key))
                continue;
            Settle();
            Prepare(view.key);
            Save(m_window, folder, size.prefix + view.file, written);
        }
    }
    m_window.resize(usual);
    RenderFilterAndExport(folder, written);
    RenderEditors(folder, written);
    // The host's own change history, as Tools -> Change History... opens it.
    if (auto* history = m_window.findChild<QAction*>(QStringLiteral("mnuToolChangeHistory"))) {
        ModalHook previous = SetModalHook([&](QDialog* dialog) {
            Save(*dialog, folder, QStringLiteral("change-history.png"), written);
            dialog->hide();
        });
        history->trigger();
        Settle();
        SetModalHook(std::move(previous));
    }
    RenderCheckStore(folder, written);
    if (written.isEmpty())
        error = QStringLiteral("No picture could be written to %1.").arg(QDir::toNativeSeparators(folder));
    return written;
}

void ScreenshotRenderer::RenderEditors(const QString& folder, QStringList& written) {
    auto* stores = m_window.findChild<QComboBox*>(QStringLiteral("cmbStore"));
    auto* tabs = m_window.findChild<TabStrip*>(QStringLiteral("tabStore"));
    if (!stores || stores->currentIndex() < 0 || !tabs)
        return;
    ModalHook previous = SetModalHook([&](QDialog* dialog) {
        ShootEditor(*dialog, folder, written);
        dialog->hide();
    });
    Click(QStringLiteral("cmdEditStore"));
    for (const char* key : {"PRODUCT", "LIST"}) {
        tabs->SelectKey(QLatin1String(key));
        Settle();
        Prepare(QLatin1String(key));
        const bool products = QLatin1String(key) == QLatin1String("PRODUCT");
        EditRow(m_window, QStringLiteral("gdData"), QStringLiteral("cmdEdit"), products ? 1 : -1,
                m_showcase.productNo);
    }
    SetModalHook(std::move(previous));
}

// Tools -> Check Store... on the store with the most findings, so that the picture shows some; the store
// selected before is selected again.
void ScreenshotRenderer::RenderCheckStore(const QString& folder, QStringList& written) {
    auto* check = m_window.findChild<QAction*>(QStringLiteral("mnuToolCheckStore"));
    auto* stores = m_window.findChild<QComboBox*>(QStringLiteral("cmbStore"));
    if (!check || !stores || stores->count() == 0)
        return;
    const auto checkStore = [&](int index, const std::function<void(QDialog&)>& shown) {
        stores->setCurrentIndex(index);
        Settle();
        ModalHook previous = SetModalHook([&](QDialog* dialog) {
            shown(*dialog);
            dialog->hide();
        });
        check->trigger();
        Settle();
        SetModalHook(std::move(previous));
    };
    const int selected = stores->currentIndex();
    int fullest = 0, most = -1;
    for (int index = 0; index < stores->count(); ++index)
        checkStore(index, [&](QDialog& dialog) {
            const auto* findings = dialog.findChild<FlexGrid*>(QStringLiteral("gdFindings"));
            if (findings && findings->Rows() - 1 > most) {
                most = findings->Rows() - 1;
                fullest = index;
            }
        });
    checkStore(fullest, [&](QDialog& dialog) { Save(dialog, folder, CheckStoreFile(), written); });
    stores->setCurrentIndex(selected);
    Settle();
}

void ScreenshotRenderer::RenderFilterAndExport(const QString& folder, QStringList& written) {
    auto* tabs = m_window.findChild<TabStrip*>(QStringLiteral("tabStore"));
    auto* filter = m_window.findChild<QLineEdit*>(QStringLiteral("txtFilter"));
    auto* grid = m_window.findChild<FlexGrid*>(QStringLiteral("gdData"));
    if (!tabs || !filter || !grid || !tabs->SelectKey(QStringLiteral("ORDER")))
        return;
    Settle();
    Prepare(QStringLiteral("ORDER"));
    // A word from the orders themselves: the status of the first one.
    filter->setText(grid->Rows() > 1 ? grid->TextMatrix(1, 2).toLower() : QStringLiteral("paid"));
    filter->setFocus();
    Settle();
    Save(m_window, folder, FilteredFile(), written);
    if (auto* exporting = m_window.findChild<QAction*>(QStringLiteral("mnuFileExport"))) {
        ModalHook previous = SetModalHook([&](QDialog* dialog) {
            Save(*dialog, folder, ExportFile(), written);
            dialog->hide(); // cancelled: nothing is written
        });
        exporting->trigger();
        Settle();
        SetModalHook(std::move(previous));
    }
    filter->clear();
    Settle();
}

void ScreenshotRenderer::RenderDetail(const QString& key, const QString& folder, QStringList& written) {
    auto* grid = m_window.findChild<FlexGrid*>(QStringLiteral("gdData"));
    for (const View& detail : Details()) {
        if (detail.key != key || !grid || grid->Rows() < 2)
            continue;
        ModalHook previous = SetModalHook([&](QDialog* dialog) {
            dialog->resize(dialog->size().expandedTo(QSize(720, 480)));
            Save(*dialog, folder, detail.file, written);
            dialog->hide();
        });
        grid->setRow(1);
        emit grid->DblClick();
        Settle();
        SetModalHook(std::move(previous));
    }
}

void ScreenshotRenderer::Save(QWidget& window, const QString& folder, const QString& file,
                              QStringList& written) {
    window.show();
    Settle();
    const QString path = QDir(folder).filePath(file);
    if (window.grab().save(path))
        written << path;
}

void ScreenshotRenderer::ShootEditor(QDialog& dialog, const QString& folder, QStringList& written) {
    for (const TabShot& shot : TabShots()) {
        auto* tabs = dialog.findChild<TabStrip*>(shot.tabs);
        if (shot.dialog != dialog.objectName() || !tabs)
            continue;
        const QString shown = tabs->SelectedKey();
        if (tabs->SelectKey(shot.key))
            Save(dialog, folder, shot.file, written);
        tabs->SelectKey(shown);
    }
    if (dialog.objectName() == QLatin1String("frmStore"))
        RenderPreview(dialog, folder, written);
    if (dialog.objectName() == QLatin1String("frmRecordHistory")) {
        Save(dialog, folder, QStringLiteral("record-history.png"), written);
        return;
    }
    for (const Editor& editor : Editors()) {
        if (editor.dialog != dialog.objectName())
            continue;
        Save(dialog, folder, editor.file, written);
        // A product's own history, as its History... button shows it.
        if (editor.file == QLatin1String("product-editor.png"))
            if (auto* history = dialog.findChild<QPushButton*>(QStringLiteral("cmdHistory")))
                history->click();
        if (auto* tabs = dialog.findChild<TabStrip*>(editor.tabs); tabs && !editor.tab.isEmpty())
            tabs->SelectKey(editor.tab);
        if (!editor.grid.isEmpty())
            EditRow(dialog, editor.grid, editor.button, editor.keyColumn, m_showcase.seqNo);
    }
}

void ScreenshotRenderer::RenderPreview(QDialog& editor, const QString& folder, QStringList& written) {
    auto* tabs = editor.findChild<TabStrip*>(QStringLiteral("tabTabs"));
    auto* text = editor.findChild<QPlainTextEdit*>(QStringLiteral("txtDocument"));
    auto* unknown = editor.findChild<QLabel*>(QStringLiteral("lblUnknownFields"));
    auto* preview = editor.findChild<QPushButton*>(QStringLiteral("cmdPreview"));
    if (!tabs || !text || !unknown || !preview)
        return;
    const QString shown = tabs->SelectedKey();
    if (!tabs->SelectKey(QStringLiteral("CONFIRM")))
        return;
    Settle();
    const QString original = text->toPlainText();
    // The slip the preview is there to catch, made only when the document holds no unknown field yet.
    if (unknown->text().isEmpty()) {
        QString slipped = original;
        slipped.replace(QStringLiteral("[OrderNo]"), QStringLiteral("[OrderNumber]"));
        text->setPlainText(slipped == original ? original + QStringLiteral("\n[OrderNumber]") : slipped);
    }
    Save(editor, folder, UnknownFieldFile(), written);
    ModalHook previous = SetModalHook([&](QDialog* dialog) {
        Save(*dialog, folder, PreviewFile(), written);
        dialog->hide();
    });
    preview->click();
    Settle();
    SetModalHook(std::move(previous));
    text->setPlainText(original);
    tabs->SelectKey(shown);
}

void ScreenshotRenderer::EditRow(QWidget& window, const QString& grid, const QString& button, int column,
                                 int32_t key) {
    auto* rows = window.findChild<FlexGrid*>(grid);
    auto* edit = window.findChild<QPushButton*>(button);
    if (!rows || !edit || rows->Rows() < 2)
        return;
    rows->setRow(1);
    for (int32_t row = 1; column >= 0 && row < rows->Rows(); ++row)
        if (rows->TextMatrix(row, column) == QString::number(key))
            rows->setRow(row);
    if (edit->isEnabled())
        edit->click();
    Settle();
}

void ScreenshotRenderer::SelectFirstStore() {
    auto* stores = m_window.findChild<QComboBox*>(QStringLiteral("cmbStore"));
    if (stores && stores->currentIndex() < 0 && stores->count() > 0)
        stores->setCurrentIndex(0);
    Settle();
}

void ScreenshotRenderer::Prepare(const QString& key) {
    // Without a store (a user without the right) the views stay as they are.
    auto* stores = m_window.findChild<QComboBox*>(QStringLiteral("cmbStore"));
    if (!stores || stores->currentIndex() < 0)
        return;
    if (key == QLatin1String("PRODUCT"))
        OpenOutline();
    if (key == QLatin1String("LIST"))
        SelectFilledList();
    if (key == QLatin1String("ORDER"))
        Click(QStringLiteral("cmdFind"));
    if (key == QLatin1String("CUST")) {
        ModalHook previous = SetModalHook([this](QDialog* dialog) {
            if (auto* picker = qobject_cast<HostSearchDialog*>(dialog))
                PickCustomer(*picker);
            dialog->hide();
        });
        Click(QStringLiteral("cmdCustFind"));
        SetModalHook(std::move(previous));
    }
}

void ScreenshotRenderer::OpenOutline() {
    if (auto* grid = m_window.findChild<FlexGrid*>(QStringLiteral("gdData")))
        grid->Outline(-1);
    Settle();
}

void ScreenshotRenderer::SelectFilledList() {
    auto* lists = m_window.findChild<QComboBox*>(QStringLiteral("cmbList"));
    auto* grid = m_window.findChild<FlexGrid*>(QStringLiteral("gdData"));
    if (!lists || !grid)
        return;
    for (int index = 0; index < lists->count() && grid->Rows() <= 1; ++index) {
        lists->setCurrentIndex(index);
        Settle();
    }
}

void ScreenshotRenderer::PickCustomer(HostSearchDialog& picker) const {
    for (int32_t row = 1; row < picker.gdList->Rows(); ++row)
        if (picker.gdList->TextMatrix(row, 0).toInt() == m_showcase.customerNo) {
            picker.Choose(row);
            return;
        }
    picker.Choose(1);
}

void ScreenshotRenderer::Click(const QString& buttonName) {
    auto* button = m_window.findChild<QPushButton*>(buttonName);
    if (button && button->isEnabled())
        button->click();
    Settle();
}

void ScreenshotRenderer::Settle() {
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}
