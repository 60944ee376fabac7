#pragma once

#include "store/data/ErrorState.h"
#include "store/pickers/PickerDialog.h"

#include <memory>

class DBConnection;
class FlexGrid;
class QLabel;

// Lets the user pick a free point-of-sale register to install on a store: one that is available (or has no
// status) and is not checked out to a computer.
class frmSelectRegister : public PickerDialog {
    Q_OBJECT
public:
    explicit frmSelectRegister(QWidget* parent = nullptr);

    // Lists the free registers, ordered by id. A failure is reported; the rows read so far stay.
    void Setup(const std::shared_ptr<DBConnection>& oDB, const std::shared_ptr<ErrorObject>& oError);

    // True from load on; false only after OK (or a confirming double-click).
    bool UserCanceled = true;
    // The register of the grid's current row; empty when there is none.
    QString RegisterId() const;

    const ErrorState& Errors() const { return m_errors; }

    QLabel* Label1;
    FlexGrid* dbgRegisters;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;

protected:
    void setCancelled(bool cancelled) override { UserCanceled = cancelled; }

private slots:
    void on_cmdOk_clicked();
    void on_cmdCancel_clicked();
    void on_dbgRegisters_DblClick();

private:
    // The query that finds the free registers.
    static QString FreeRegistersQuery();
    void AddFreeRegisters(const std::shared_ptr<DBConnection>& oDB);

    ErrorState m_errors;
};
