#include "app/HostAppServer.h"

#include "app/ErrorLog.h"
#include "app/HostCustomerPicker.h"
#include "app/HostItemMaintenance.h"
#include "app/HostSettings.h"
#include "app/UserRights.h"
#include "database/SqlConnection.h"
#include "sdk/RuntimeError.h"

HostAppServer::HostAppServer(std::shared_ptr<SqlConnection> db, std::shared_ptr<HostSettings> settings,
                             std::shared_ptr<ErrorLog> errors)
    : m_db(std::move(db)), m_settings(std::move(settings)), m_errors(std::move(errors)),
      m_rights(std::make_unique<UserRights>(m_db->session(), m_db->CurrentUser())),
      m_customers(std::make_shared<HostCustomerPicker>(m_db->session(), m_errors)),
      m_items(std::make_shared<HostItemMaintenance>(m_db->session(), m_errors)) {}

HostAppServer::~HostAppServer() = default;

std::shared_ptr<::ErrorObject> HostAppServer::ErrorObject() {
    return m_errors;
}

bool HostAppServer::HasPermission(const QString& right, const QString& adminRight, const QString& extra) {
    return Ask(
        [&] {
            return m_rights->Known() &&
                   (m_rights->Holds(right) || m_rights->Holds(adminRight) || m_rights->Holds(extra));
        },
        QStringLiteral(" HasPermission"));
}

bool HostAppServer::UserValidated() {
    return Ask([&] { return m_rights->Known(); }, QStringLiteral(" UserValidated"));
}

std::shared_ptr<DBConnection> HostAppServer::GetDBConnection(const QString&) {
    return m_db;
}

std::shared_ptr<SettingsObject> HostAppServer::Settings() {
    return m_settings;
}

void HostAppServer::StatusText(const QString& text) {
    if (m_statusSink)
        m_statusSink(text);
}

std::shared_ptr<CustomerPicker> HostAppServer::CustomerLookup() {
    return m_customers;
}

std::shared_ptr<ItemMaintenance> HostAppServer::ItemMaint() {
    return m_items;
}

QString HostAppServer::User() const {
    return m_db->CurrentUser();
}

bool HostAppServer::Ask(const std::function<bool()>& question, const QString& operation) {
    try {
        return question();
    } catch (const RuntimeError& error) {
        m_errors->ReportError(error.number, QStringLiteral("ZevStore.AppServer") + operation,
                              error.description);
        return false;
    }
}
