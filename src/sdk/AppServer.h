#pragma once

#include "sdk/CustomerPicker.h"
#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "sdk/ItemMaintenance.h"
#include "sdk/SettingsObject.h"

#include <QString>
#include <memory>

// The host's application server: rights, the database connection, settings, status line and the host pickers.
class AppServer : public Object {
public:
    virtual std::shared_ptr<::ErrorObject> ErrorObject() = 0;
    virtual bool HasPermission(const QString& right, const QString& adminRight, const QString& extra) = 0;
    virtual bool SuppressSetup() = 0;
    virtual bool UserValidated() = 0;
    virtual std::shared_ptr<DBConnection> GetDBConnection(const QString& name) = 0;
    virtual std::shared_ptr<SettingsObject> Settings() = 0;
    virtual void StatusText(const QString& text) = 0;
    virtual std::shared_ptr<CustomerPicker> CustomerLookup() = 0;
    virtual std::shared_ptr<ItemMaintenance> ItemMaint() = 0;
};
