#pragma once

#include "store/data/DocumentFields.h"
#include "store/data/ErrorState.h"

#include <QDialog>
#include <cstdint>

class CStoreMaint;
class QComboBox;
class QLabel;
class QPushButton;
class QTextEdit;

// A store document as a customer would receive it: its fields filled from a real order of the store (the
// newest, or one the user picks), read-only. Unknown fields are marked and named under the text. Nothing is
// written anywhere.
class frmDocumentPreview : public QDialog {
    Q_OBJECT
public:
    explicit frmDocumentPreview(QWidget* parent = nullptr);

    // Lists the store's recent orders and shows the document filled from the newest.
    void Setup(CStoreMaint& service, int32_t storeNo, const QString& document, const QStringList& knownFields,
               const QString& caption);
    // Fills the document from the order (0: the store's newest).
    void ShowOrder(double orderNo);

    QComboBox* cmbOrder;
    QTextEdit* txtPreview;
    QLabel* lblOrderState;
    QLabel* lblUnknownFields;
    QLabel* lblNoValueFields;
    QPushButton* cmdClose;

private:
    void LoadRecentOrders();
    void ShowTypedOrder();
    void ShowFilled(const QMap<QString, QString>* values);

    CStoreMaint* m_service = nullptr;
    int32_t m_storeNo = 0;
    QString m_document;
    QString m_shownText; // the order box's text when the document was last filled
    DocumentFields m_fields{{}};
    ErrorState m_errors{QStringLiteral("frmDocumentPreview")};
};
