#include "app/ScreenshotRenderer.h"

#include "app/HostSearchDialog.h"
#include "database/SqlSession.h"
#include "sdk/RuntimeError.h"
#include "widgets/FlexGrid.h"
#include "widgets/ShowModal.h"
#include "widgets/TabStrip.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QPushButton>

const QList<ScreenshotRenderer::View>& ScreenshotRenderer::Views() {
    static const QList<View> views{{QStringLiteral("PRODUCT"), QStringLiteral("products.png")},
                                   {QStringLiteral("LIST"), QStringLiteral("lists.png")},
                                   {QStringLiteral("CUST"), QStringLiteral("customers.png")},
                                   {QStringLiteral("ORDER"), QStringLiteral("orders.png")}};
    return views;
}

ScreenshotRenderer::ScreenshotRenderer(QMainWindow& window, int32_t customerNo)
    : m_window(window), m_customerNo(customerNo) {}

int32_t ScreenshotRenderer::CustomerWithMostLogs(SqlSession& session) {
    try {
        return session
            .scalar(QStringLiteral("SELECT customer_no FROM zev_customer_log GROUP BY customer_no "
                                   "ORDER BY COUNT(*) DESC, customer_no LIMIT 1"))
            .toInt();
    } catch (const RuntimeError&) {
        return 0;
    }
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
        const QString path = QDir(folder).filePath(view.file);
        if (m_window.grab().save(path))
            written << path;
    }
    if (written.isEmpty())
        error = QStringLiteral("No picture could be written to %1.").arg(QDir::toNativeSeparators(folder));
    return written;
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
        if (picker.gdList->TextMatrix(row, 0).toInt() == m_customerNo) {
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
