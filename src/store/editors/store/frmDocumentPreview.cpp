#include "store/editors/store/frmDocumentPreview.h"

#include "sdk/Format.h"
#include "store/data/DocumentPreview.h"
#include "store/data/OrderDocumentValues.h"
#include "store/data/StoredProcedureCall.h"
#include "store/editors/store/DocumentMarks.h"
#include "store/host/CStoreMaint.h"
#include "widgets/BusyPointer.h"
#include "widgets/NamedControl.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {

// Enough to find a recent order by eye; any other is typed.
constexpr int RecentOrders = 25;

QLabel* Line(const char* name, const QString& style, QWidget* parent) {
    auto* label = NamedControl<QLabel>(name, parent);
    label->setStyleSheet(style);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

frmDocumentPreview::frmDocumentPreview(QWidget* parent)
    : QDialog(parent), cmbOrder(NamedControl<QComboBox>("cmbOrder", this)),
      txtPreview(NamedControl<QTextEdit>("txtPreview", this)), lblOrderState(Line("lblOrderState", {}, this)),
      lblUnknownFields(Line("lblUnknownFields", QStringLiteral("color: #b00000"), this)),
      lblNoValueFields(Line("lblNoValueFields", QStringLiteral("color: #7a5c00"), this)),
      cmdClose(NamedControl<QPushButton>("cmdClose", QStringLiteral("Close"), this)) {
    setObjectName(QStringLiteral("frmDocumentPreview"));
    cmbOrder->setEditable(true);
    cmbOrder->setInsertPolicy(QComboBox::NoInsert);
    cmbOrder->setMinimumContentsLength(28);
    cmbOrder->setToolTip(QStringLiteral("Pick a recent order, or type an order number and press Enter"));
    txtPreview->setReadOnly(true);
    txtPreview->setAcceptRichText(false);
    auto* orderLabel = new QLabel(QStringLiteral("&Order:"), this);
    orderLabel->setBuddy(cmbOrder);
    auto* top = new QHBoxLayout;
    top->addWidget(orderLabel);
    top->addWidget(cmbOrder);
    top->addWidget(lblOrderState, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(txtPreview, 1);
    layout->addWidget(lblUnknownFields);
    layout->addWidget(lblNoValueFields);
    layout->addLayout(buttons);
    // Enter in the order box shows that order; it must not close the window.
    cmdClose->setAutoDefault(false);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::hide);
    // A pick from the list and Enter after typing may both report the same choice.
    connect(cmbOrder, &QComboBox::activated, this, &frmDocumentPreview::ShowTypedOrder);
    connect(cmbOrder->lineEdit(), &QLineEdit::returnPressed, this, &frmDocumentPreview::ShowTypedOrder);
    setMinimumSize(420, 300);
    resize(640, 460);
}

void frmDocumentPreview::Setup(CStoreMaint& service, int32_t storeNo, const QString& document,
                               const QStringList& knownFields, const QString& caption) {
    const BusyPointer busy;
    m_service = &service;
    m_storeNo = storeNo;
    m_document = document;
    m_fields = DocumentFields(knownFields);
    setWindowTitle(QStringLiteral("Preview - %1").arg(caption));
    LoadRecentOrders();
    ShowOrder(0);
}

void frmDocumentPreview::LoadRecentOrders() {
    cmbOrder->clear();
    m_errors.Guard(m_service->ErrorObject(), QStringLiteral("LoadRecentOrders"), [&] {
        StoredProcedureCall call(m_service->DBConnection(), QStringLiteral("ZEV_SP_STORE_GetOrders"));
        call.set(QStringLiteral("@store_no"), m_storeNo);
        if (!call.openRows())
            return false;
        for (int n = 0; n < RecentOrders && !call.atEnd(); ++n, call.next()) {
            const double orderNo = call.readDouble(QStringLiteral("shopping_cart_no"));
            cmbOrder->addItem(QStringLiteral("%1   %2   %3")
                                  .arg(Format(orderNo, QStringLiteral("0")),
                                       Format(call.column(QStringLiteral("inserted_datetime")),
                                              QStringLiteral("mm/dd/yyyy")),
                                       call.readText(QStringLiteral("status_id"))),
                              orderNo);
        }
        return true;
    });
}

void frmDocumentPreview::ShowTypedOrder() {
    if (cmbOrder->currentText() == m_shownText)
        return;
    const QString typed = cmbOrder->currentText().section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    bool number = false;
    const double orderNo = typed.toDouble(&number);
    if (!typed.isEmpty() && (!number || orderNo < 1 || orderNo != std::floor(orderNo))) {
        ShowFilled(nullptr);
        lblOrderState->setText(QStringLiteral("\"%1\" is not an order number.").arg(typed));
        m_shownText = cmbOrder->currentText();
        return;
    }
    ShowOrder(typed.isEmpty() ? 0 : orderNo);
}

void frmDocumentPreview::ShowOrder(double orderNo) {
    OrderDocumentValues order;
    const bool found = m_errors.Guard(m_service->ErrorObject(), QStringLiteral("ShowOrder"), [&] {
        return order.Read(m_service->DBConnection(), m_storeNo, orderNo);
    });
    ShowFilled(found ? &order.Values() : nullptr);
    if (found) {
        const QString number = Format(order.OrderNo(), QStringLiteral("0"));
        const int listed = cmbOrder->findData(order.OrderNo());
        if (listed >= 0)
            cmbOrder->setCurrentIndex(listed);
        else
            cmbOrder->setEditText(number);
        lblOrderState->setText(QStringLiteral("Filled from order %1.").arg(number));
    } else if (orderNo == 0) {
        lblOrderState->setText(QStringLiteral("The store has no order to fill the fields from."));
    } else {
        lblOrderState->setText(QStringLiteral("Order %1 is not an order of this store.")
                                   .arg(Format(orderNo, QStringLiteral("0"))));
    }
    m_shownText = cmbOrder->currentText();
}

void frmDocumentPreview::ShowFilled(const QMap<QString, QString>* values) {
    const DocumentPreview preview(m_document, m_fields, values);
    txtPreview->setPlainText(preview.Text());
    txtPreview->setExtraSelections(DocumentMarks::InPreview(txtPreview->document(), preview.Marks()));
    lblUnknownFields->setText(DocumentMarks::UnknownLine(preview.Unknown()));
    lblUnknownFields->setVisible(!preview.Unknown().isEmpty());
    lblNoValueFields->setText(preview.WithoutValue().isEmpty()
                                  ? QString()
                                  : QStringLiteral("No value in this order (left empty): ") +
                                        preview.WithoutValue().join(QStringLiteral(", ")));
    lblNoValueFields->setVisible(!preview.WithoutValue().isEmpty());
}
