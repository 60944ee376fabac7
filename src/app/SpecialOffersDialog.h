#pragma once

#include <QDialog>
#include <memory>

class FlexGrid;
class QPushButton;
class SqlSession;

// The host's special offers: every catalogue price that carries a discount, with what it is for, its season
// and its unit. Read-only.
class SpecialOffersDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpecialOffersDialog(std::shared_ptr<SqlSession> session, QWidget* parent = nullptr);

    FlexGrid* gdOffers;
    QPushButton* cmdClose;

private:
    void Load(SqlSession& session);
};
