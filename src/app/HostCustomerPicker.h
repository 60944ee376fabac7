#pragma once

#include "sdk/CustomerPicker.h"

class SqlSession;

// The host's customer picker over the database's customers. It keeps the connection and error object it is
// handed; new customers are not created here.
class HostCustomerPicker : public CustomerPicker {
public:
    HostCustomerPicker(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors);

    std::shared_ptr<Customer> SelectCustomer(const std::shared_ptr<Object>& owner,
                                             std::shared_ptr<DBConnection>& db,
                                             std::shared_ptr<ErrorObject>& errorObject, bool& cancelled,
                                             bool allowNew, bool showDetail) override;

    // The customer with that number; empty when there is none.
    std::shared_ptr<Customer> Load(int32_t customerNo) const;

private:
    std::shared_ptr<SqlSession> m_session;
    std::shared_ptr<ErrorObject> m_errors;
};
