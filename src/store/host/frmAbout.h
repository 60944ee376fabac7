#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QPushButton;

// The module's about box: title, version, description and legal text from the module's version information,
// and a button that starts the system information tool.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    // System information tools looked for on the path, in order.
    QStringList SysInfoTools = {QStringLiteral("hardinfo2"), QStringLiteral("hardinfo")};

    QLabel* Image1;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblDisclaimer;
    QPushButton* cmdOk;
    QPushButton* cmdSysInfo;

private slots:
    void on_cmdOk_clicked();
    void on_cmdSysInfo_clicked();

private:
    void StartSysInfo();
};
