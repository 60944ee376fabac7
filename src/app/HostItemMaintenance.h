#pragma once

#include "sdk/ErrorObject.h"
#include "sdk/ItemMaintenance.h"
#include "sdk/RuntimeError.h"

#include <memory>

class SqlSession;

// The host's item maintenance: its item and package picker and its special offers window.
class HostItemMaintenance : public ItemMaintenance {
public:
    HostItemMaintenance(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors);

    // One item or package is chosen at a time, whatever multiSelect asks.
    Variant SelectItem(ItemTypes itemType, bool multiSelect, int32_t& itemNo, QString& description,
                       bool showInactive = false) override;
    void ShowSpecialOffer() override;
    bool FindItem(const QString& text, int32_t& itemNo, QString& description) override;

private:
    void Report(const RuntimeError& error, const QString& operation);

    std::shared_ptr<SqlSession> m_session;
    std::shared_ptr<ErrorObject> m_errors;
};
