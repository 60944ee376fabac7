#pragma once

#include "app/HostSearchDialog.h"
#include "sdk/ItemTypes.h"

// The host's item picker: catalogue items of one kind (every kind for ttoAll), or packages for ttoPackage.
// Inactive entries are listed only when asked for.
class ItemSearchDialog : public HostSearchDialog {
    Q_OBJECT
public:
    ItemSearchDialog(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors, ItemTypes kind,
                     bool showInactive, QWidget* parent = nullptr);

    // The kind's name as the picker shows it ("Ski School"); empty for ttoAll and unknown kinds.
    static QString KindName(int kind);

protected:
    QString FormatString() const override;
    QSqlQuery Rows(SqlSession& session, const QString& pattern) override;
    QString RowText(const QSqlQuery& row) const override;

private:
    bool Packages() const { return m_kind == ttoPackage; }
    // A single item kind, as opposed to every item.
    bool OneKind() const { return m_kind >= ttoPhoto && m_kind <= ttoTicket; }

    ItemTypes m_kind;
    bool m_showInactive;
};
