#include "app/HostItemMaintenance.h"

#include "app/ItemSearchDialog.h"
#include "app/SpecialOffersDialog.h"
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

void HostItemMaintenance::Report(const RuntimeError& error, const QString& operation) {
    m_errors->ReportError(error.number, QStringLiteral("ZevStore.ItemMaintenance") + operation,
                          error.description);
}
