#include "app/MainWindow.h"

#include "app/ChangeHistoryDialog.h"
#include "app/HostAppServer.h"
#include "app/ModuleLoader.h"
#include "database/SqlConnection.h"
#include "sdk/Implements.h"
#include "sdk/RuntimeError.h"
#include "sdk/SettingsObject.h"
#include "widgets/BusyPointer.h"
#include "widgets/MsgBox.h"
#include "widgets/ShowModal.h"
#include "widgets/WindowPlacement.h"

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
    if (m_remembering)
        WindowPlacement::SetStore({});
    ShutDownModule();
    m_server->setStatusSink({});
}

void MainWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    mnuFileExport = file->addAction(tr("&Export..."), this, &MainWindow::on_mnuFileExport_triggered);
    mnuFileExport->setObjectName(QStringLiteral("mnuFileExport"));
    mnuFileExport->setEnabled(false);
    file->addSeparator();
    mnuFileExit = file->addAction(tr("E&xit"), this, &QWidget::close);
    mnuFileExit->setObjectName(QStringLiteral("mnuFileExit"));
    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    mnuToolSpecialOffer = tools->addAction(QStringLiteral("Special Offers..."), this,
                                           &MainWindow::on_mnuToolSpecialOffer_triggered);
    mnuToolSpecialOffer->setObjectName(QStringLiteral("mnuToolSpecialOffer"));
    mnuToolCheckStore =
        tools->addAction(QStringLiteral("Check Store..."), this, &MainWindow::on_mnuToolCheckStore_triggered);
    mnuToolCheckStore->setObjectName(QStringLiteral("mnuToolCheckStore"));
    mnuToolCheckStore->setEnabled(false);
    mnuToolChangeHistory = tools->addAction(QStringLiteral("Change History..."), this,
                                            &MainWindow::on_mnuToolChangeHistory_triggered);
    mnuToolChangeHistory->setObjectName(QStringLiteral("mnuToolChangeHistory"));
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpShortcuts =
        help->addAction(tr("&Keyboard Shortcuts"), this, &MainWindow::on_mnuHelpShortcuts_triggered);
    mnuHelpShortcuts->setObjectName(QStringLiteral("mnuHelpShortcuts"));
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
    mnuFileExport->setEnabled(ModuleExport() != nullptr);
    // The module's check follows its store selection.
    if (QAction* check = ModuleAction(QStringLiteral("mnuToolCheckStore")))
        connect(check, &QAction::changed, this,
                [this, check] { mnuToolCheckStore->setEnabled(check->isEnabled()); });
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

void MainWindow::RememberPlacements() {
    const std::shared_ptr<SettingsObject> settings = m_server->Settings();
    if (!settings)
        return;
    static const QString Key = QStringLiteral("AppData\\Host");
    static const QString Section = QStringLiteral("Windows");
    WindowPlacement::SetStore(
        {[settings](const QString& window) {
             return QByteArray::fromBase64(
                 settings->ReadSetting(Key, Section, window, QString()).toText().toLatin1());
         },
         [settings](const QString& window, const QByteArray& placement) {
             settings->WriteSetting(Key, Section, window, QString::fromLatin1(placement.toBase64()));
         }});
    m_remembering = true;
    WindowPlacement::Restore(*this);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    WindowPlacement::Save(*this);
    ShutDownModule();
    event->accept();
}

QAction* MainWindow::ModuleAction(const QString& name) const {
    return m_control ? m_control->findChild<QAction*>(name) : nullptr;
}

QAction* MainWindow::ModuleExport() const {
    return ModuleAction(QStringLiteral("mnuFileExport"));
}

// The module's grid is what there is to export.
void MainWindow::on_mnuFileExport_triggered() {
    if (QAction* own = ModuleExport())
        own->trigger();
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

// The module checks the store it has selected.
void MainWindow::on_mnuToolCheckStore_triggered() {
    if (QAction* own = ModuleAction(QStringLiteral("mnuToolCheckStore")); own && own->isEnabled())
        own->trigger();
}

void MainWindow::on_mnuToolChangeHistory_triggered() {
    Guarded(QStringLiteral(" ChangeHistory"), [&] {
        ChangeHistoryDialog dialog(m_server->Connection()->session(), this);
        ShowModal(&dialog, this);
    });
}

// The window's own keys, then those the module's control lists for itself.
void MainWindow::on_mnuHelpShortcuts_triggered() {
    QStringList lines{tr("Alt+F, Alt+T, Alt+H\tOpen the File, Tools or Help menu"),
                      tr("Enter\tOK in a dialog, or the focused button"), tr("Esc\tCancel a dialog")};
    if (m_control)
        lines += m_control->property("KeyboardShortcuts").toStringList();
    for (QString& line : lines)
        line.replace(QLatin1Char('\t'), QStringLiteral(":  "));
    MsgBox(lines.join(QLatin1Char('\n')), MsgBoxStyle::Information, tr("Keyboard Shortcuts"));
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
