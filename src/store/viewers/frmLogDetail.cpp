#include "store/viewers/frmLogDetail.h"

#include "sdk/Format.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"

frmLogDetail::frmLogDetail(QWidget* parent)
    : DetailViewer(QStringLiteral("NEW"), QStringLiteral("New Data Values"), QStringLiteral("OLD"),
                   QStringLiteral("Old Data Values"), parent),
      gdNew(new FlexGrid(this)), gdOld(new FlexGrid(this)) {
    gdNew->setObjectName(QStringLiteral("gdNew"));
    gdOld->setObjectName(QStringLiteral("gdOld"));
    SetUpOutlineGrid(*gdNew);
    SetUpOutlineGrid(*gdOld);
    setGrids(gdNew, gdOld);
}

void frmLogDetail::Setup(double dLogNo, const QString& sNewXml, const QString& sOldXml) {
    BusyPointer busy;
    setWindowTitle(QStringLiteral("Customer Log for log (") + Format(dLogNo, QStringLiteral("0")) +
                   QLatin1Char(')'));
    for (auto [grid, xml] : {std::pair{gdNew, sNewXml}, std::pair{gdOld, sOldXml}}) {
        grid->setRows(1);
        grid->setRedraw(false);
        // An empty text is a customer without data on that side (a new customer has no old data).
        if (!xml.isEmpty())
            AddOutline(*grid, xml, false);
    }
    ShowSelectedTab();
    for (FlexGrid* grid : {gdNew, gdOld}) {
        grid->AutoSize(0, 1, 200);
        grid->setRedraw(true);
    }
}
