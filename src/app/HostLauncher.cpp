#include "app/HostLauncher.h"

#include "app/ErrorLog.h"
#include "app/HostAppServer.h"
#include "app/HostDatabase.h"
#include "app/HostPaths.h"
#include "app/HostSettings.h"
#include "app/MainWindow.h"
#include "database/SqlConnection.h"
#include "sdk/RuntimeError.h"
#include "widgets/BusyPointer.h"

#include <QUrl>

HostLauncher::Places HostLauncher::DefaultPlaces() {
    return {HostPaths::SettingsPath(), HostPaths::ErrorLogPath(), HostPaths::PluginFolder()};
}

HostLauncher::HostLauncher(HostOptions options, Places places)
    : m_options(std::move(options)), m_places(std::move(places)) {}

HostLauncher::~HostLauncher() = default;

QString HostLauncher::SignedInUser() const {
    return m_options.user.trimmed().isEmpty() ? HostPaths::LoginName() : m_options.user.trimmed();
}

bool HostLauncher::Start() {
    BusyPointer busy;
    auto settings = std::make_shared<HostSettings>(m_places.settingsFile);
    const QString user = SignedInUser();
    m_target = HostDatabase::Choose(m_options.database, *settings);
    if (HostDatabase::IsServerUrl(m_target) && !m_options.user.trimmed().isEmpty()) {
        m_error = QStringLiteral("--user names the user of a SQLite file only: on a PostgreSQL database "
                                 "ZevStore signs you in as the login you connect with.");
        return false;
    }
    auto errors = std::make_shared<ErrorLog>(m_places.errorLog, user);
    try {
        auto db = HostDatabase::Open(m_target, user, HostPaths::LoginName());
        errors->setUser(db->CurrentUser());
        m_server = std::make_shared<HostAppServer>(std::move(db), std::move(settings), errors);
    } catch (const RuntimeError& error) {
        m_error = QStringLiteral("ZevStore could not open the database %1.\n\n%2")
                      .arg(HostDatabase::Displayed(m_target), error.description);
        return false;
    }
    m_window = std::make_unique<MainWindow>(m_server);
    m_window->StartModule(m_places.pluginFolder);
    if (m_window->ModuleError().isEmpty() && !m_server->UserValidated())
        ShowHowToLetIn(*errors);
    return true;
}

// The module's own alert only says no; the status line and the log say how an administrator fixes it.
void HostLauncher::ShowHowToLetIn(const ErrorLog& errors) {
    const QString user = m_server->User();
    QString target = HostDatabase::Displayed(m_target);
    // The administrator works as their own login, not as the person's.
    if (HostDatabase::IsServerUrl(m_target)) {
        QUrl address(target);
        address.setUserName(QString());
        target = address.toString();
    }
    if (target.contains(QLatin1Char(' ')))
        target = QLatin1Char('"') + target + QLatin1Char('"');
    const QString text =
        QStringLiteral("The database does not know the user %1. An administrator lets them in with: "
                       "zevstore-admin user add %1 --rights STORE --database %2")
            .arg(user, target);
    m_server->StatusText(text);
    errors.Note(UnknownUserError, QStringLiteral("ZevStore.Host SignIn"), text);
}
