#include "app/ScreenshotRenderer.h"

#include "app/HostSearchDialog.h"
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

ScreenshotRenderer::ScreenshotRenderer(QMainWindow& window) : m_window(window) {}

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
    if (key == QLatin1String("ORDER"))
        Click(QStringLiteral("cmdFind"));
    if (key == QLatin1String("CUST")) {
        // The customer picker answers with its first customer.
        ModalHook previous = SetModalHook([](QDialog* dialog) {
            if (auto* picker = qobject_cast<HostSearchDialog*>(dialog))
                picker->Choose(1);
            dialog->hide();
        });
        Click(QStringLiteral("cmdCustFind"));
        SetModalHook(std::move(previous));
    }
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
