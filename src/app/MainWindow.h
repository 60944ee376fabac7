#pragma once

#include "sdk/Implements.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class HostAppServer;
class QAction;
class QLabel;

// The host's main window: File, Tools and Help menus, the status line, and the module's control in the
// middle, driven in the host order SetAppServer, Setup, Enable and, when the window closes, ShutDown.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(std::shared_ptr<HostAppServer> server, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Loads the module from the folder and starts it. False when it could not be loaded: the reason is then
    // shown where the control would be, and the host's own menus keep working.
    bool StartModule(const QString& pluginFolder);
    // Embeds a control already created and starts it.
    void Attach(const ModuleControl& control);
    const QString& ModuleError() const { return m_moduleError; }
    QWidget* Control() const { return m_control; }
    // From now on this window and every dialog open where the user last left them, kept in the host's
    // settings; this window goes there at once.
    void RememberPlacements();
    // Tells the module to let go of the host's objects; runs once, also when the window is destroyed.
    void ShutDownModule();

    QAction* mnuFileExport;
    QAction* mnuFileExit;
    QAction* mnuToolSpecialOffer;
    QAction* mnuToolCheckStore;
    QAction* mnuToolChangeHistory;
    QAction* mnuHelpShortcuts;
    QAction* mnuHelpAbout;
    QLabel* lblStatus;

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void on_mnuFileExport_triggered();
    void on_mnuToolSpecialOffer_triggered();
    void on_mnuToolCheckStore_triggered();
    void on_mnuToolChangeHistory_triggered();
    void on_mnuHelpShortcuts_triggered();
    void on_mnuHelpAbout_triggered();

private:
    void CreateMenus();
    // The module's "Export..." of its grid; null without one.
    QAction* ModuleExport() const;
    // The module's own action of that name; null without one.
    QAction* ModuleAction(const QString& name) const;
    void ShowModuleError(const QString& error);
    // Runs a call into the module; whatever it throws is reported, never passed on.
    void Guarded(const QString& operation, const std::function<void()>& call);

    std::shared_ptr<HostAppServer> m_server;
    QWidget* m_control = nullptr;
    Implements* m_contract = nullptr;
    QString m_moduleError;
    bool m_remembering = false;
};
