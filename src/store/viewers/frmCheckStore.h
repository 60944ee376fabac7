#pragma once

#include "store/viewers/StoreCheck.h"

#include <QDialog>
#include <functional>

class CStoreMaint;
class FlexGrid;
class QLabel;
class QPushButton;

// "Check Store": the findings of one store in a grid, each opened in its editor with "Open", a double click
// or Enter; the store is checked again after every editor closes, and on "Check Again".
class frmCheckStore : public QDialog {
    Q_OBJECT
public:
    // Opens a finding's record in its editor.
    using Opener = std::function<void(const StoreCheck::Finding&)>;

    explicit frmCheckStore(QWidget* parent = nullptr);

    // Checks the store; false, with the failure reported, when it cannot be checked.
    bool Setup(CStoreMaint& service, int32_t storeNo, const QString& storeName, Opener opener);
    const QList<StoreCheck::Finding>& Findings() const { return m_findings; }

    QLabel* lblCount;
    FlexGrid* gdFindings;
    QPushButton* cmdOpen;
    QPushButton* cmdCheckAgain;
    QPushButton* cmdClose;

private slots:
    void on_cmdOpen_clicked();
    void on_cmdCheckAgain_clicked();

private:
    bool Check();
    void ShowFindings(int32_t row);

    CStoreMaint* m_service = nullptr;
    int32_t m_storeNo = 0;
    Opener m_opener;
    QList<StoreCheck::Finding> m_findings;
};
