#include "store/viewers/frmOrderDetail.h"

#include "sdk/Format.h"
#include "sdk/RuntimeError.h"
#include "store/data/StoredProcedureCall.h"
#include "widgets/BusyPointer.h"
#include "widgets/FlexGrid.h"

frmOrderDetail::frmOrderDetail(QWidget* parent)
    : DetailViewer(QStringLiteral("DATA"), QStringLiteral("Cart Data"), QStringLiteral("LOG"),
                   QStringLiteral("Log"), parent),
      gdCartData(new FlexGrid(this)), gdLog(new FlexGrid(this)) {
    gdCartData->setObjectName(QStringLiteral("gdCartData"));
    gdLog->setObjectName(QStringLiteral("gdLog"));
    SetUpOutlineGrid(*gdCartData);
    gdLog->setFormatString(QStringLiteral("DateTime|Trans. Type|Comment"));
    gdLog->setRows(1);
    gdLog->setColDataType(0, FlexGrid::DataType::Date);
    gdLog->setSelectionMode(FlexGrid::SelectionMode::ByRow);
    setGrids(gdCartData, gdLog);
}

void frmOrderDetail::Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>&,
                           int32_t lStoreNo, double dOrderNo, const QString& sCartXml, bool showCardNo) {
    m_showCardNo = showCardNo;
    BusyPointer busy;
    setWindowTitle(QStringLiteral("Order Detail for Cart (") + Format(dOrderNo, QStringLiteral("0")) +
                   QLatin1Char(')'));
    gdCartData->setRows(1);
    gdCartData->setRedraw(false);
    if (AddOutline(*gdCartData, sCartXml, !showCardNo))
        gdCartData->AutoSize(0, 1, 200);
    gdCartData->AutoSize();
    gdCartData->setRedraw(true);
    LoadLog(oDB, lStoreNo, dOrderNo);
    ShowSelectedTab();
}

void frmOrderDetail::LoadLog(const std::shared_ptr<DBConnection>& oDB, int32_t lStoreNo, double dOrderNo) {
    gdLog->setRows(1);
    gdLog->setRedraw(false);
    try {
        StoredProcedureCall call(oDB, QStringLiteral("ZEV_SP_STORE_GetOrderLog"));
        call.set(QStringLiteral("@store_no"), lStoreNo).set(QStringLiteral("@shopping_cart_no"), dOrderNo);
        if (call.openRows()) {
            for (; !call.atEnd(); call.next())
                gdLog->AddItem(call.readText(QStringLiteral("log_datetime")) + QLatin1Char('\t') +
                               call.readText(QStringLiteral("log_trans_type")) + QLatin1Char('\t') +
                               call.readText(QStringLiteral("log_comment")));
        }
    } catch (const RuntimeError&) {
        // a failed log query leaves the log with what was read
    }
    gdLog->AutoSize();
    gdLog->setRedraw(true);
}
