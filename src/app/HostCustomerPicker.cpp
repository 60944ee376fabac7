#include "app/HostCustomerPicker.h"

#include "app/CustomerSearchDialog.h"
#include "app/PickedCustomer.h"
#include "database/SqlSession.h"
#include "sdk/RuntimeError.h"
#include "widgets/ShowModal.h"

#include <QApplication>

HostCustomerPicker::HostCustomerPicker(std::shared_ptr<SqlSession> session,
                                       std::shared_ptr<ErrorObject> errors)
    : m_session(std::move(session)), m_errors(std::move(errors)) {}

std::shared_ptr<Customer> HostCustomerPicker::SelectCustomer(const std::shared_ptr<Object>&,
                                                             std::shared_ptr<DBConnection>&,
                                                             std::shared_ptr<ErrorObject>&, bool& cancelled,
                                                             bool, bool showDetail) {
    cancelled = false;
    try {
        CustomerSearchDialog dialog(m_session, m_errors, showDetail);
        ShowModal(&dialog, QApplication::activeWindow());
        if (dialog.UserCancelled()) {
            cancelled = true;
            return {};
        }
        return Load(dialog.ChosenNo());
    } catch (const RuntimeError& error) {
        m_errors->ReportError(error.number, QStringLiteral("ZevStore.CustomerPicker SelectCustomer"),
                              error.description);
        cancelled = true;
        return {};
    }
}

std::shared_ptr<Customer> HostCustomerPicker::Load(int32_t customerNo) const {
    QSqlQuery row = m_session->run(
        QStringLiteral("SELECT full_name, first_name, last_name FROM zev_customer WHERE customer_no = ?"),
        {customerNo});
    if (!row.next())
        return {};
    return std::make_shared<PickedCustomer>(customerNo, row.value(0).toString(), row.value(1).toString(),
                                            row.value(2).toString());
}
