#pragma once

#include <QDialog>
#include <memory>

class FlexGrid;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class SqlSession;

// Tools -> Change History: every kept change, newest first, a page at a time, each changed column on a line
// of its own with its old and new value side by side. Filters for store, user, table and days. Read-only.
class ChangeHistoryDialog : public QDialog {
    Q_OBJECT
public:
    explicit ChangeHistoryDialog(std::shared_ptr<SqlSession> session, QWidget* parent = nullptr);

    static constexpr int PageSize = 200;

    QComboBox* cboStore;
    QLineEdit* txtUser;
    QComboBox* cboTable;
    QDateEdit* dtpFrom;
    QDateEdit* dtpTo;
    QPushButton* cmdShow;
    FlexGrid* gdChanges;
    QPushButton* cmdOlder;
    QPushButton* cmdClose;

    // Shows the newest changes that fit the filters.
    void Show();
    // Adds the next page of older ones.
    void ShowOlder();

private:
    void AddPage();

    std::shared_ptr<SqlSession> m_session;
    qint64 m_oldest = 0;
};
