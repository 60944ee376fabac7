#pragma once

#include "store/viewers/DetailViewer.h"

#include <cstdint>

// One entry of the customer change log, read-only: the customer data after and before the change.
class frmLogDetail : public DetailViewer {
    Q_OBJECT
public:
    explicit frmLogDetail(QWidget* parent = nullptr);

    void Setup(double dLogNo, const QString& sNewXml, const QString& sOldXml);

    FlexGrid* gdNew;
    FlexGrid* gdOld;
};
