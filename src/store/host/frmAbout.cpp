#include "store/host/frmAbout.h"

#include "sdk/Version.h"
#include "widgets/MsgBox.h"
#include "widgets/NamedControl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QStyle>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent), Image1(NamedControl<QLabel>("Image1")), lblTitle(NamedControl<QLabel>("lblTitle")),
      lblVersion(NamedControl<QLabel>("lblVersion")), lblDescription(NamedControl<QLabel>("lblDescription")),
      lblDisclaimer(NamedControl<QLabel>("lblDisclaimer")),
      cmdOk(NamedControl<QPushButton>("cmdOk", tr("OK"))),
      cmdSysInfo(NamedControl<QPushButton>("cmdSysInfo", QStringLiteral("&System Info..."))) {
    const QString title = QLatin1String(zev::Title);
    setWindowTitle(QStringLiteral("About ") + title);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DesktopIcon).pixmap(48, 48));
    lblTitle->setText(title);
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(zev::VersionMajor)
                            .arg(zev::VersionMinor)
                            .arg(zev::VersionRevision));
    lblDescription->setText(QLatin1String(zev::Comments));
    lblDescription->setWordWrap(true);
    lblDisclaimer->setText(QStringLiteral("Warning... ") + QLatin1String(zev::LegalCopyright) +
                           QStringLiteral(", ") + QLatin1String(zev::CompanyName) + QLatin1Char('\n') +
                           QLatin1String(zev::LegalTrademarks));
    lblDisclaimer->setWordWrap(true);

    auto* text = new QVBoxLayout;
    text->addWidget(lblTitle);
    text->addWidget(lblVersion);
    text->addWidget(lblDescription);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOk);
    buttons->addWidget(cmdSysInfo);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(bottom);
    cmdOk->setDefault(true);
    resize(520, 240);
    QMetaObject::connectSlotsByName(this);
}

void frmAbout::on_cmdOk_clicked() {
    hide();
}

void frmAbout::on_cmdSysInfo_clicked() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    for (const QString& tool : SysInfoTools) {
        const QString path = QStandardPaths::findExecutable(tool);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return;
    }
    MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), MsgBoxStyle::OKOnly);
}
