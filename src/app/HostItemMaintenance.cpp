#include "app/HostItemMaintenance.h"

#include "app/ItemSearchDialog.h"
#include "app/SpecialOffersDialog.h"
#include "database/SqlSession.h"
#include "sdk/RuntimeError.h"
#include "widgets/ShowModal.h"

#include <QApplication>

HostItemMaintenance::HostItemMaintenance(std::shared_ptr<SqlSession> session,
                                         std::shared_ptr<ErrorObject> errors)
    : m_session(std::move(session)), m_errors(std::move(errors)) {}

Variant HostItemMaintenance::SelectItem(ItemTypes itemType, bool, int32_t& itemNo, QString& description,
                                        bool showInactive) {
    try {
        ItemSearchDialog dialog(m_session, m_errors, itemType, showInactive);
        ShowModal(&dialog, QApplication::activeWindow());
        if (dialog.UserCancelled())
            return false;
        itemNo = dialog.ChosenNo();
        description = dialog.ChosenText(1);
        return true;
    } catch (const RuntimeError& error) {
        Report(error, QStringLiteral(" SelectItem"));
        return false;
    }
}

void HostItemMaintenance::ShowSpecialOffer() {
    try {
        SpecialOffersDialog dialog(m_session);
        ShowModal(&dialog, QApplication::activeWindow());
    } catch (const RuntimeError& error) {
        Report(error, QStringLiteral(" ShowSpecialOffer"));
    }
}

bool HostItemMaintenance::FindItem(const QString& text, int32_t& itemNo, QString& description) {
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return false;
    try {
        // A number names the item first; a description matching several items names the lowest number.
        QSqlQuery row = m_session->run(
            QStringLiteral("SELECT item_no, COALESCE(long_description, short_description, '') FROM zev_item "
                           "WHERE is_active <> 0 AND (CAST(item_no AS VARCHAR(20)) = ? OR "
                           "LOWER(COALESCE(long_description, short_description, '')) = LOWER(?)) "
                           "ORDER BY CASE WHEN CAST(item_no AS VARCHAR(20)) = ? THEN 0 ELSE 1 END, item_no"),
            {wanted, wanted, wanted});
        if (!row.next())
            return false;
        itemNo = row.value(0).toInt();
        description = row.value(1).toString();
        return true;
    } catch (const RuntimeError& error) {
        Report(error, QStringLiteral(" FindItem"));
        return false;
    }
}

void HostItemMaintenance::Report(const RuntimeError& error, const QString& operation) {
    m_errors->ReportError(error.number, QStringLiteral("ZevStore.ItemMaintenance") + operation,
                          error.description);
}
