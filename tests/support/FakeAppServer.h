#pragma once

#include "sdk/AppServer.h"
#include "support/RecordingErrorObject.h"

#include <QMap>
#include <QStringList>
#include <optional>

// Settings kept in memory, keyed "app|section|name".
class MemorySettings : public SettingsObject {
public:
    Variant ReadSetting(const QString& appKey, const QString& section, const QString& name,
                        const Variant& defaultValue) override {
        ++reads;
        const QString key = appKey + QLatin1Char('|') + section + QLatin1Char('|') + name;
        return values.contains(key) ? Variant(values.value(key)) : defaultValue;
    }
    void WriteSetting(const QString& appKey, const QString& section, const QString& name,
                      const QString& value) override {
        values.insert(appKey + QLatin1Char('|') + section + QLatin1Char('|') + name, value);
    }

    QMap<QString, QString> values;
    int reads = 0;
};

// An item maintenance object whose picker answers from a script.
class ScriptedItemMaintenance : public ItemMaintenance {
public:
    Variant SelectItem(ItemTypes itemType, bool, int32_t& itemNo, QString& description, bool) override {
        requestedTypes.push_back(itemType);
        if (!choice)
            return false;
        itemNo = choice->first;
        description = choice->second;
        return true;
    }
    void ShowSpecialOffer() override { ++specialOffersShown; }
    bool FindItem(const QString& text, int32_t& itemNo, QString& description) override {
        for (const auto& [number, name] : known)
            if (text == QString::number(number) || text.compare(name, Qt::CaseInsensitive) == 0) {
                itemNo = number;
                description = name;
                return true;
            }
        return false;
    }

    std::optional<std::pair<int32_t, QString>> choice;
    std::vector<ItemTypes> requestedTypes;
    // The items FindItem knows.
    std::vector<std::pair<int32_t, QString>> known;
    int specialOffersShown = 0;
};

// An application server for tests: rights, connection and host objects set by the test; every call counted.
class FakeAppServer : public AppServer {
public:
    std::shared_ptr<::ErrorObject> ErrorObject() override { return error; }
    bool HasPermission(const QString&, const QString&, const QString&) override { return permitted; }
    bool SuppressSetup() override { return suppressSetup; }
    bool UserValidated() override { return userValidated; }
    std::shared_ptr<DBConnection> GetDBConnection(const QString& name) override {
        connectionNames << name;
        return db;
    }
    std::shared_ptr<SettingsObject> Settings() override { return settings; }
    void StatusText(const QString& text) override { statusTexts << text; }
    std::shared_ptr<CustomerPicker> CustomerLookup() override { return customers; }
    std::shared_ptr<ItemMaintenance> ItemMaint() override { return items; }

    std::shared_ptr<RecordingErrorObject> error = std::make_shared<RecordingErrorObject>();
    std::shared_ptr<DBConnection> db;
    std::shared_ptr<MemorySettings> settings = std::make_shared<MemorySettings>();
    std::shared_ptr<CustomerPicker> customers;
    std::shared_ptr<ScriptedItemMaintenance> items = std::make_shared<ScriptedItemMaintenance>();
    bool permitted = true;
    bool suppressSetup = false;
    bool userValidated = true;
    QStringList connectionNames;
    QStringList statusTexts;
};

// A customer as the host's picker hands it back.
class FakeCustomer : public Customer {
public:
    FakeCustomer(Variant number, QString fullName, QString firstName = {}, QString lastName = {})
        : number(std::move(number)), fullName(std::move(fullName)), firstName(std::move(firstName)),
          lastName(std::move(lastName)) {}
    Variant CustomerNo() const override { return number; }
    QString FullName() const override { return fullName; }
    QString FirstName() const override { return firstName; }
    QString LastName() const override { return lastName; }

    Variant number;
    QString fullName, firstName, lastName;
};

// A customer picker that answers with a scripted customer, or cancels when it has none.
class ScriptedCustomerPicker : public CustomerPicker {
public:
    std::shared_ptr<Customer> SelectCustomer(const std::shared_ptr<Object>&,
                                             std::shared_ptr<DBConnection>& db, std::shared_ptr<ErrorObject>&,
                                             bool& cancelled, bool allowNew, bool showDetail) override {
        receivedDb = db;
        flags = {allowNew, showDetail};
        cancelled = !choice;
        return choice;
    }

    std::shared_ptr<Customer> choice;
    std::shared_ptr<DBConnection> receivedDb;
    std::pair<bool, bool> flags;
};
