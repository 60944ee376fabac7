#pragma once

#include "sdk/AppServer.h"

#include <functional>
#include <memory>

class ErrorLog;
class HostCustomerPicker;
class HostItemMaintenance;
class HostSettings;
class SqlConnection;
class UserRights;

// The host's application server: the open database signed in as one user, that user's rights from the
// database, the host's settings, status line, error log and pickers.
class HostAppServer : public AppServer {
public:
    HostAppServer(std::shared_ptr<SqlConnection> db, std::shared_ptr<HostSettings> settings,
                  std::shared_ptr<ErrorLog> errors);
    ~HostAppServer() override;

    std::shared_ptr<::ErrorObject> ErrorObject() override;
    // True when the user holds any of the rights named (empty names are skipped).
    bool HasPermission(const QString& right, const QString& adminRight, const QString& extra) override;
    bool SuppressSetup() override { return false; }
    // True when the signed-in user is one of the database's users.
    bool UserValidated() override;
    // The one open database, whatever name is asked for.
    std::shared_ptr<DBConnection> GetDBConnection(const QString& name) override;
    std::shared_ptr<SettingsObject> Settings() override;
    void StatusText(const QString& text) override;
    std::shared_ptr<CustomerPicker> CustomerLookup() override;
    std::shared_ptr<ItemMaintenance> ItemMaint() override;

    // Where StatusText goes: the main window's status line.
    void setStatusSink(std::function<void(const QString&)> sink) { m_statusSink = std::move(sink); }
    QString User() const;
    const std::shared_ptr<SqlConnection>& Connection() const { return m_db; }

private:
    // Asks the database; a failure is reported and answers false.
    bool Ask(const std::function<bool()>& question, const QString& operation);

    std::shared_ptr<SqlConnection> m_db;
    std::shared_ptr<HostSettings> m_settings;
    std::shared_ptr<ErrorLog> m_errors;
    std::unique_ptr<UserRights> m_rights;
    std::shared_ptr<HostCustomerPicker> m_customers;
    std::shared_ptr<HostItemMaintenance> m_items;
    std::function<void(const QString&)> m_statusSink;
};
