#include "app/ItemSearchDialog.h"

#include "database/SqlSession.h"

ItemSearchDialog::ItemSearchDialog(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors,
                                   ItemTypes kind, bool showInactive, QWidget* parent)
    : HostSearchDialog(std::move(session), std::move(errors), parent), m_kind(kind),
      m_showInactive(showInactive) {
    setObjectName(QStringLiteral("dlgSelectItem"));
    Start(Packages() ? tr("Select Package") : tr("Select Item"));
}

QString ItemSearchDialog::KindName(int kind) {
    switch (kind) {
    case ttoPhoto:
        return QStringLiteral("Photo");
    case ttoRental:
        return QStringLiteral("Rental");
    case ttoShip:
        return QStringLiteral("Ship");
    case ttoSkiSchool:
        return QStringLiteral("Ski School");
    case ttoStock:
        return QStringLiteral("Stock");
    case ttoTicket:
        return QStringLiteral("Ticket");
    case ttoPackage:
        return QStringLiteral("Package");
    default:
        return {};
    }
}

QString ItemSearchDialog::FormatString() const {
    return QStringLiteral(">Number|<Description|<Kind|^Active");
}

QSqlQuery ItemSearchDialog::Rows(SqlSession& session, const QString& pattern) {
    const QString active = m_showInactive ? QStringLiteral("1 = 1") : QStringLiteral("is_active <> 0");
    if (Packages())
        return session.run(QStringLiteral("SELECT package_no, COALESCE(description, ''), %1, is_active "
                                          "FROM zev_package WHERE %2 AND (CAST(package_no AS VARCHAR(20)) "
                                          "LIKE ? OR LOWER(COALESCE(description, '')) LIKE ?) "
                                          "ORDER BY package_no LIMIT %3")
                               .arg(int(ttoPackage))
                               .arg(active)
                               .arg(MaxRows),
                           {pattern, pattern});
    QVariantList values;
    QString kind = QStringLiteral("1 = 1");
    if (OneKind()) {
        kind = QStringLiteral("item_type = ?");
        values << int(m_kind);
    }
    values << pattern << pattern;
    return session.run(
        QStringLiteral(
            "SELECT item_no, COALESCE(long_description, short_description, ''), item_type, is_active "
            "FROM zev_item WHERE %1 AND %2 AND (CAST(item_no AS VARCHAR(20)) LIKE ? OR "
            "LOWER(COALESCE(long_description, short_description, '')) LIKE ?) "
            "ORDER BY item_no LIMIT %3")
            .arg(kind, active)
            .arg(MaxRows),
        values);
}

QString ItemSearchDialog::RowText(const QSqlQuery& row) const {
    return QStringList{row.value(0).toString(), row.value(1).toString(), KindName(row.value(2).toInt()),
                       row.value(3).toInt() != 0 ? QStringLiteral("Yes") : QStringLiteral("No")}
        .join(QLatin1Char('\t'));
}
