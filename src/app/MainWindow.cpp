#include "app/MainWindow.h"

#include "app/HostAppServer.h"
#include "app/ModuleLoader.h"
#include "sdk/Implements.h"
#include "sdk/RuntimeError.h"
#include "widgets/BusyPointer.h"
#include "widgets/MsgBox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <exception>

MainWindow::MainWindow(std::shared_ptr<HostAppServer> server, QWidget* parent)
    : QMainWindow(parent), m_server(std::move(server)) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("ZevStore - %1").arg(m_server->User()));
    CreateMenus();
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    statusBar()->addWidget(lblStatus, 1);
    m_server->setStatusSink([this](const QString& text) { lblStatus->setText(text); });
    resize(1100, 720);
}

MainWindow::~MainWindow() {
    ShutDownModule();
    m_server->setStatusSink({});
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExit = file->addAction(tr("E&xit"), this, &QWidget::close);
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    mnuToolSpecialOffer = tools->addAction(QStringLiteral("Special Offers..."), this,
                                           &MainWindow::on_mnuToolSpecialOffer_triggered);
    mnuToolSpecialOffer->setObjectName(QStringLiteral("mnuToolSpecialOffer"));
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpAbout = help->addAction(tr("&About"), this, &MainWindow::on_mnuHelpAbout_triggered);
    mnuHelpAbout->setObjectName(QStringLiteral("mnuHelpAbout"));
}

bool MainWindow::StartModule(const QString& pluginFolder) {
    BusyPointer busy;
    const ModuleLoader::Result loaded = ModuleLoader(pluginFolder).Load(this);
    if (!loaded.error.isEmpty()) {
        ShowModuleError(loaded.error);
        return false;
    }
    Attach(loaded.control);
    return true;
}

void MainWindow::Attach(const ModuleControl& control) {
    m_control = control.widget;
    m_contract = control.contract;
    setCentralWidget(m_control);
    Guarded(QStringLiteral(" Start"), [this] {
        setWindowTitle(QStringLiteral("%1 - %2").arg(m_contract->GetApplicationName(), m_server->User()));
        m_contract->SetAppServer(m_server);
        m_contract->Setup();
        m_contract->Enable();
    });
}

void MainWindow::ShowModuleError(const QString& error) {
    m_moduleError = error;
    auto* label = new QLabel(error, this);
    label->setObjectName(QStringLiteral("lblModuleError"));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setCentralWidget(label);
    lblStatus->setText(tr("The Store Maintenance module is not available."));
}

void MainWindow::ShutDownModule() {
    if (!m_contract)
        return;
    Implements* contract = std::exchange(m_contract, nullptr);
    Guarded(QStringLiteral(" ShutDown"), [contract] { contract->ShutDown(); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    ShutDownModule();
    event->accept();
}

// The module brings its own "Special Offers..." command; without the module the host shows the offers itself.
void MainWindow::on_mnuToolSpecialOffer_triggered() {
    if (auto* own =
            m_control ? m_control->findChild<QAction*>(QStringLiteral("mnuToolSpecialOffer")) : nullptr) {
        own->trigger();
        return;
    }
    m_server->ItemMaint()->ShowSpecialOffer();
}

void MainWindow::on_mnuHelpAbout_triggered() {
    if (!m_contract) {
        MsgBox(tr("ZevStore host application.\n\n%1").arg(m_moduleError), MsgBoxStyle::Information);
        return;
    }
    Guarded(QStringLiteral(" ShowAbout"), [this] { m_contract->ShowAbout(); });
}

void MainWindow::Guarded(const QString& operation, const std::function<void()>& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        m_server->ErrorObject()->ReportError(error.number, QStringLiteral("ZevStore.Host") + operation,
                                             error.description);
    } catch (const std::exception& error) {
        m_server->ErrorObject()->ReportError(ErrorNumbers::InvalidProcedureCall,
                                             QStringLiteral("ZevStore.Host") + operation,
                                             QString::fromUtf8(error.what()));
    }
}
