#pragma once

#include "sdk/DBConnection.h"
#include "sdk/ErrorObject.h"
#include "store/viewers/DetailViewer.h"

// One web order, read-only: the cart contents as an outline of tags and values, and the order's log.
class frmOrderDetail : public DetailViewer {
    Q_OBJECT
public:
    explicit frmOrderDetail(QWidget* parent = nullptr);

    // Fills both tabs. Card numbers in the cart are masked unless showCardNo is true.
    void Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError,
               int32_t lStoreNo, double dOrderNo, const QString& sCartXml, bool showCardNo);

    bool ShowCardNo() const { return m_showCardNo; }

    FlexGrid* gdCartData;
    FlexGrid* gdLog;

private:
    void LoadLog(const std::shared_ptr<DBConnection>& oDB, int32_t lStoreNo, double dOrderNo);

    bool m_showCardNo = false;
};
