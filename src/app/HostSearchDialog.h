#pragma once

#include <QDialog>
#include <QSqlQuery>
#include <cstdint>
#include <memory>

class FlexGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class ErrorObject;
class SqlSession;

// The host's pickers: a search box over a list read from the database; OK (or a double click, or Enter)
// chooses the current row. The cancelled flag is true until a row was chosen.
class HostSearchDialog : public QDialog {
    Q_OBJECT
public:
    // At most this many rows are listed; typing narrows the list.
    static constexpr int MaxRows = 500;

    // A search that fails is reported through errors and lists nothing.
    HostSearchDialog(std::shared_ptr<SqlSession> session, std::shared_ptr<ErrorObject> errors,
                     QWidget* parent);

    bool UserCancelled() const { return m_cancelled; }
    // Column 0 of the chosen row as a number, and any column of it as text.
    int32_t ChosenNo() const;
    QString ChosenText(int32_t col) const;

    // Lists the rows whose number or texts contain the search text.
    void Search(const QString& text);
    // Makes the data row (from 1) current and confirms it, as a double click on it does.
    void Choose(int32_t row);

    QLineEdit* txtSearch;
    FlexGrid* gdList;
    QLabel* lblCount;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

protected:
    // Derived pickers call this once their own members are set: lists everything.
    void Start(const QString& caption);
    virtual QString FormatString() const = 0;
    // The rows for a lower-case LIKE pattern ("%text%").
    virtual QSqlQuery Rows(SqlSession& session, const QString& pattern) = 0;
    virtual QString RowText(const QSqlQuery& row) const = 0;

private slots:
    void on_cmdOK_clicked();
    void on_cmdCancel_clicked();

private:
    void LayOut();

    std::shared_ptr<SqlSession> m_session;
    std::shared_ptr<ErrorObject> m_errors;
    bool m_cancelled = true;
    int32_t m_chosenRow = 0;
};
