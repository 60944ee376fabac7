#include "store/control/Store.h"

#include "sdk/Format.h"
#include "sdk/RuntimeError.h"
#include "store/control/StoreShared.h"
#include "store/data/StoredProcedureCall.h"
#include "store/host/CStoreMaint.h"
#include "store/records/CStore.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

// The order search ("F&ind Now", "Ne&w Search", "&Stop") and the customer view ("Select Customer").

using namespace StoreShared;

void Store::DisplayOrders() {
    ShowPanel(picOrderSearch);
    Load(QStringLiteral("DisplayOrders"), [&] {
        ResetGrid(
            QStringLiteral("Cart No|Inserted|Status|Sales Order|Customer #|Ext. Customer #|Notify Email"));
        gdData->setColFormat(1, QStringLiteral("MM/DD/YYYY hh:nn AMPM"));
        gdData->setSortable(true);
        LayoutControls();
        gdData->setRowBold(0, true);
        gdData->AutoSize();
    });
}

void Store::on_cmdFind_clicked() {
    if (Deferred([this] { on_cmdFind_clicked(); }))
        return;
    FindOrders();
}

void Store::FindOrders() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindOrders"), [&] {
        gdData->setRows(1);
        StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetOrders"));
        call.set(QStringLiteral("@store_no"), StoreNoOrNull());
        const QString status = cmbStatus->currentText();
        call.set(QStringLiteral("@status_id"),
                 status.compare(Any, Qt::CaseInsensitive) == 0 ? Variant::Null() : Variant(status));
        if (IsFilter(txtCartNo))
            call.set(QStringLiteral("@shopping_cart_no"), Variant(txtCartNo->text()).toDouble());
        const std::pair<const char*, QLineEdit*> numbers[] = {
            {"@salesorder_no", txtSalesOrderNo},
            {"@customer_no", txtCustomerNo},
            {"@external_customer_no", txtExternalCustomerNo}};
        for (const auto& [parameter, box] : numbers)
            if (IsFilter(box))
                call.set(QLatin1String(parameter), Variant(box->text()).toInt32());
        const int32_t found = FillGrid(call, [&] {
            gdData->AddRow({call.readText(QStringLiteral("shopping_cart_no")),
                            call.readText(QStringLiteral("inserted_datetime")),
                            call.readText(QStringLiteral("status_id")),
                            call.readText(QStringLiteral("salesorder_no")),
                            call.readText(QStringLiteral("customer_no")),
                            call.readText(QStringLiteral("external_customer_no")),
                            call.readText(QStringLiteral("notify_email_address"))});
        });
        ShowFound(found, QStringLiteral("No orders found"));
    });
}

void Store::on_cmdNewSearch_clicked() {
    if (Deferred([this] { on_cmdNewSearch_clicked(); }))
        return;
    cmbStatus->setCurrentText(Any);
    for (QLineEdit* box : {txtCartNo, txtSalesOrderNo, txtCustomerNo, txtExternalCustomerNo})
        box->clear();
    gdData->setRows(1);
    ClearFound();
}

void Store::on_cmdStop_clicked() {
    m_stopRequested = true;
    ++m_stopCount;
}

void Store::DisplayCustomers() {
    ShowPanel(picSearchCustomer);
    ResetGrid(QStringLiteral("Log No|Log Date Time|Customer No| External Customer No"));
    gdData->setColFormat(1, QStringLiteral("mm/dd/yyyy hh:mm ampm"));
    gdData->setSortable(true);
    gdData->setRowBold(0, true);
    LayoutControls();
    gdData->AutoSize();
    gdData->setRedraw(true);
    FindCustomerLogs();
}

void Store::on_cmdCustFind_clicked() {
    if (Deferred([this] { on_cmdCustFind_clicked(); }))
        return;
    FindCustomer();
}

void Store::ResetCustomerPanel() {
    for (QLabel* label :
         {lblCustomerName, lblCustomerNo, lblCustomerExternalNo, lblLastModified, lblInsertedDate})
        label->clear();
    lblCustomerNo->setProperty("Tag", QStringLiteral("0"));
    lblCustomerExternalNo->setProperty("Tag", QStringLiteral("0"));
    ckbInsertedByStore->setChecked(false);
}

void Store::FindCustomer() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindCustomer"), [&] {
        gdData->setRows(1);
        ResetCustomerPanel();
        const int32_t storeNo = StoreNo();
        if (!m_appServer)
            throw ObjectVariableNotSet();
        const std::shared_ptr<CustomerPicker> picker = m_appServer->CustomerLookup();
        if (!picker)
            throw ObjectVariableNotSet();
        bool cancelled = false;
        const std::shared_ptr<Customer> customer =
            picker->SelectCustomer(nullptr, m_db, m_error, cancelled, false, true);
        if (cancelled || !customer)
            return;
        const int32_t customerNo = customer->CustomerNo().toInt32();
        const QString fullName = customer->FullName();
        lblCustomerName->setText(
            fullName.isEmpty() ? customer->FirstName() + QLatin1Char(' ') + customer->LastName() : fullName);
        lblCustomerNo->setText(QString::number(customerNo));
        lblCustomerNo->setProperty("Tag", QString::number(customerNo));
        lblCustomerExternalNo->setText(QStringLiteral("<Not Found In Store>"));
        {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetStoreCustomer"));
            call.set(QStringLiteral("@store_no"), storeNo).set(QStringLiteral("@customer_no"), customerNo);
            if (call.openRows() && !call.atEnd()) {
                const Variant external = call.column(QStringLiteral("external_customer_no"));
                if (!external.isNull()) {
                    const QString number = QString::number(external.toInt32());
                    lblCustomerExternalNo->setText(number);
                    lblCustomerExternalNo->setProperty("Tag", number);
                }
                ckbInsertedByStore->setChecked(call.readBool(QStringLiteral("inserted_by_store")));
                const Variant modified = call.column(QStringLiteral("modified_datetime"));
                if (!modified.isNull())
                    lblLastModified->setText(Format(modified, QStringLiteral("mm/dd/yyyy")));
                const Variant inserted = call.column(QStringLiteral("inserted_datetime"));
                if (!inserted.isNull())
                    lblInsertedDate->setText(Format(inserted, QStringLiteral("mm/dd/yyyy")));
            }
        }
        FindCustomerLogs();
    });
}

void Store::FindCustomerLogs() {
    gdData->setRedraw(false);
    Load(QStringLiteral("FindCustomerLogs"), [&] {
        gdData->setRows(1);
        const QString tag = lblCustomerNo->property("Tag").toString();
        const int32_t customerNo = !tag.isEmpty() && IsNumericText(tag) ? Variant(tag).toInt32() : 0;
        if (customerNo != 0) {
            StoredProcedureCall call(m_db, QStringLiteral("ZEV_SP_STORE_GetCustomerLogs"));
            call.set(QStringLiteral("@customer_no"), customerNo);
            const int32_t found = FillGrid(call, [&] {
                gdData->AddRow({call.readText(QStringLiteral("log_no")),
                                call.readText(QStringLiteral("log_datetime")),
                                call.readText(QStringLiteral("customer_no")),
                                call.readText(QStringLiteral("external_customer_no"))});
            });
            ShowFound(found);
        } else {
            gdData->AutoSize();
        }
    });
}

// A double click on an order or a customer log entry shows it.
void Store::OpenDetail() {
    const int32_t row = gdData->DataRow();
    if (row == 0 || !m_maint)
        return;
    try {
        const double number = Variant(gdData->TextMatrix(row, 0)).toDouble();
        if (IsTab("ORDER") && m_store)
            m_maint->DisplayOrderDetail(m_store->StoreNo(), number);
        else if (IsTab("CUST"))
            m_maint->DisplayCustomerLogDetail(number);
    } catch (const RuntimeError&) {
        // a row without a number opens nothing
    }
}
