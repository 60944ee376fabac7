#pragma once

#include "sdk/Customer.h"
#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"

#include <memory>

// The host's customer picker. The picker may replace the connection and error object it is handed.
class CustomerPicker : public Object {
public:
    // The chosen customer, or an empty reference; cancelled comes back true when the user cancelled.
    virtual std::shared_ptr<Customer> SelectCustomer(const std::shared_ptr<Object>& owner,
                                                     std::shared_ptr<DBConnection>& db,
                                                     std::shared_ptr<ErrorObject>& errorObject,
                                                     bool& cancelled, bool allowNew, bool showDetail) = 0;
};
