#include "app/SpecialOffersDialog.h"

#include "database/SqlSession.h"
#include "sdk/Format.h"
#include "widgets/FlexGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

SpecialOffersDialog::SpecialOffersDialog(std::shared_ptr<SqlSession> session, QWidget* parent)
    : QDialog(parent), gdOffers(new FlexGrid(this)), cmdClose(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("dlgSpecialOffers"));
    gdOffers->setObjectName(QStringLiteral("gdOffers"));
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    setWindowTitle(tr("Special Offers"));
    gdOffers->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gdOffers, 1);
    layout->addLayout(buttons);
    resize(820, 420);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    Load(*session);
}

void SpecialOffersDialog::Load(SqlSession& session) {
    gdOffers->setRedraw(false);
    gdOffers->setFormatString(
        QStringLiteral(">Price No|<Offer|<For|>Number|<Description|<Season|<Unit|>Qty|>Price"));
    gdOffers->setRowBold(0, true);
    QSqlQuery rows = session.run(QStringLiteral(
        "SELECT p.price_no, d.discount_desc, p.item_no, p.package_no, "
        "COALESCE(i.long_description, i.short_description, k.description, ''), s.season_desc, "
        "COALESCE(u.description, p.unit_id), p.unit_qty, p.price FROM zev_price p "
        "JOIN zev_discount d ON d.discount_id = p.discount_id "
        "LEFT JOIN zev_item i ON i.item_no = p.item_no LEFT JOIN zev_package k ON k.package_no = "
        "p.package_no "
        "LEFT JOIN zev_season s ON s.season_no = p.season_no LEFT JOIN zev_unit u ON u.unit_id = p.unit_id "
        "ORDER BY d.discount_desc, p.price_no"));
    while (rows.next()) {
        const bool package = rows.value(2).isNull();
        gdOffers->AddItem(QStringList{
            rows.value(0).toString(), rows.value(1).toString(), package ? tr("Package") : tr("Item"),
            (package ? rows.value(3) : rows.value(2)).toString(), rows.value(4).toString(),
            rows.value(5).toString(), rows.value(6).toString(), rows.value(7).toString(),
            Format(Variant(rows.value(8).toDouble()), QStringLiteral("Currency"))}
                              .join(QLatin1Char('\t')));
    }
    gdOffers->AutoSize();
    gdOffers->setRedraw(true);
}
