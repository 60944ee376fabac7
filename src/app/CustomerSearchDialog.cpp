#include "app/CustomerSearchDialog.h"

#include "database/SqlSession.h"

#include <QStringList>

CustomerSearchDialog::CustomerSearchDialog(std::shared_ptr<SqlSession> session,
                                           std::shared_ptr<ErrorObject> errors, bool showDetail,
                                           QWidget* parent)
    : HostSearchDialog(std::move(session), std::move(errors), parent), m_showDetail(showDetail) {
    setObjectName(QStringLiteral("dlgSelectCustomer"));
    Start(tr("Select Customer"));
}

QString CustomerSearchDialog::FormatString() const {
    return m_showDetail ? QStringLiteral(">Number|<Name|<E-mail|<Phone|<City")
                        : QStringLiteral(">Number|<Name");
}

QSqlQuery CustomerSearchDialog::Rows(SqlSession& session, const QString& pattern) {
    return session.run(
        QStringLiteral(
            "SELECT customer_no, full_name, first_name, last_name, email, phone, city FROM zev_customer "
            "WHERE CAST(customer_no AS VARCHAR(20)) LIKE ? OR LOWER(COALESCE(full_name, '')) LIKE ? "
            "OR LOWER(COALESCE(first_name, '') || ' ' || COALESCE(last_name, '')) LIKE ? "
            "OR LOWER(COALESCE(email, '')) LIKE ? "
            "ORDER BY last_name, first_name, customer_no LIMIT %1")
            .arg(MaxRows),
        {pattern, pattern, pattern, pattern});
}

QString CustomerSearchDialog::RowText(const QSqlQuery& row) const {
    QString name = row.value(1).toString();
    if (name.isEmpty())
        name = (row.value(2).toString() + QLatin1Char(' ') + row.value(3).toString()).trimmed();
    QStringList cells{row.value(0).toString(), name};
    if (m_showDetail)
        cells << row.value(4).toString() << row.value(5).toString() << row.value(6).toString();
    return cells.join(QLatin1Char('\t'));
}
