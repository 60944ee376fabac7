#pragma once

#include "store/data/ErrorState.h"
#include "store/editors/store/SubTableEngine.h"

#include <QDialog>
#include <array>
#include <memory>

class CStore;
class CStoreMaint;
class FlexGrid;
class KeyedCombo;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TabStrip;

// Edits one web store: its general settings, its three document templates, its register, and on grid tabs
// its groups, lists, fees, pay methods, screens and extension items. The caller owns the store record.
class frmStore : public QDialog {
    Q_OBJECT
public:
    explicit frmStore(QWidget* parent = nullptr);
    ~frmStore() override;

    void Setup(CStoreMaint& service, CStore& store);
    // Shows the tab with the key, its document or grid taking the focus: where the caller sends the user to.
    void OpenOnTab(const QString& key);
    // True until OK saved successfully.
    bool UserCanceled() const { return m_userCanceled; }
    // A list of the store was deleted or updated: the caller reloads its list selector.
    bool ReportToOutsideListHasChanged() const { return m_tables.ListsChanged(); }

    SubTableEngine& Tables() { return m_tables; }
    // The document tab's text was changed since it was loaded.
    bool DocumentChanged() const { return m_documentChanged; }
    const ErrorState& Errors() const { return m_errors; }

    // Controls, named as the form names them.
    QLineEdit* txtDescription;
    QLineEdit* txtStoreURL;
    QLineEdit* txtStoreLogoURL;
    QLineEdit* txtDefaultProductURL;
    QLineEdit* txtErrorNotifyEmail;
    QLineEdit* txtEmailFrom;
    KeyedCombo* cmbSalesorderType;
    QLineEdit* txtRegisterId;
    QCheckBox* ckbStoreRegister;
    QPushButton* cmdInstallRegister;
    QPushButton* cmdUnInstallRegister;
    TabStrip* tabTabs;
    std::array<QWidget*, 2> picTab;
    FlexGrid* gdData;
    QPushButton* cmdAdd;
    QPushButton* cmdDelete;
    QPushButton* cmdUpdate;
    QPlainTextEdit* txtDocument;
    QComboBox* cmbDocumentFields;
    QPushButton* cmdInsert;
    QPushButton* cmdPreview;
    QLabel* Label7;
    QLabel* lblUnknownFields;
    QPushButton* cmdOk;
    QPushButton* cmdCancel;
    QPushButton* cmdApply;
    QPushButton* cmdHistory;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private slots:
    void on_ckbStoreRegister_clicked();
    void on_cmdInstallRegister_clicked();
    void on_cmdUnInstallRegister_clicked();
    void on_tabTabs_Click();
    void on_cmdInsert_clicked();
    void on_cmdPreview_clicked();
    void on_cmdOk_clicked();
    void on_cmdCancel_clicked();
    void on_cmdApply_clicked();

private:
    void buildGeneralFields();
    void buildTabs();
    QWidget* buildGridPanel();
    QWidget* buildDocumentPanel();
    void LayOut();

    void LoadSalesOrderTypes();
    void LoadDocumentFields();
    void EnableForExistingStore(bool existing);
    void ShowCaption();
    void CopyRecordToControls();
    void CopyControlsToRecord();
    void StoreRegisterRule();
    void KeepDocumentText();
    void MarkUnknownFields();
    QStringList KnownFields() const;
    QString DocumentText(const QString& key) const;
    void ShowPanel(int index, bool shown);
    bool SaveStore(bool storeOnly, bool reload);

    CStoreMaint* m_service = nullptr;
    CStore* m_store = nullptr;
    bool m_userCanceled = true;
    QString m_currentTabKey;
    bool m_documentChanged = false;
    ErrorState m_errors{QStringLiteral("frmStore")};
    SubTableEngine m_tables;
};
