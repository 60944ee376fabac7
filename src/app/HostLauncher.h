#pragma once

#include "app/HostOptions.h"

#include <QString>
#include <cstdint>
#include <memory>

class ErrorLog;
class HostAppServer;
class HostSettings;
class MainWindow;

// Puts the host together: settings, error log, the database signed in as the user, the application server
// and the main window with the module started in it.
class HostLauncher {
public:
    struct Places {
        QString settingsFile;
        QString errorLog;
        QString pluginFolder;
    };
    // The user's own settings file, error log and the plug-in folder beside the program.
    static Places DefaultPlaces();

    HostLauncher(HostOptions options, Places places);
    ~HostLauncher();

    // False with Error() for the user when the database could not be opened; nothing was changed then.
    // A module that could not be loaded still gives a window, which says why (MainWindow::ModuleError).
    bool Start();
    const QString& Error() const { return m_error; }
    MainWindow* Window() const { return m_window.get(); }
    const std::shared_ptr<HostAppServer>& Server() const { return m_server; }
    const QString& DatabaseTarget() const { return m_target; }

    // The number the error log gives a user the database does not know (the classic "login failed").
    static constexpr int32_t UnknownUserError = -2147217843;

private:
    QString SignedInUser() const;
    void ShowHowToLetIn(const ErrorLog& errors);

    HostOptions m_options;
    Places m_places;
    QString m_target;
    QString m_error;
    std::shared_ptr<HostAppServer> m_server;
    std::unique_ptr<MainWindow> m_window;
};
