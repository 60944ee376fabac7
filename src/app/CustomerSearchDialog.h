#pragma once

#include "app/HostSearchDialog.h"

// The host's customer picker: customers by number, name or e-mail. With details it also shows how to reach
// each customer.
class CustomerSearchDialog : public HostSearchDialog {
    Q_OBJECT
public:
    CustomerSearchDialog(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors,
                         bool showDetail, QWidget* parent = nullptr);

protected:
    QString FormatString() const override;
    QSqlQuery Rows(SqlSession& session, const QString& pattern) override;
    QString RowText(const QSqlQuery& row) const override;

private:
    bool m_showDetail;
};
