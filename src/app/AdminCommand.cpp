#include "app/AdminCommand.h"

#include "app/HostDatabase.h"
#include "database/ChangeHistory.h"
#include "database/DemoData.h"
#include "database/Schema.h"
#include "database/UserAdmin.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

const QString DatabaseName = QStringLiteral("database");
const QString AdminName = QStringLiteral("admin");
const QString DemoName = QStringLiteral("demo");
const QString FullName = QStringLiteral("full-name");
const QString RightsName = QStringLiteral("rights");
const QString PasswordFileName = QStringLiteral("password-file");
const QString BeforeName = QStringLiteral("before");

const char* const Commands = R"(ZevStore administration: the database, its users and their rights.

Commands:
  init DATABASE --admin NAME [--demo]
      Creates or upgrades the tables, makes NAME an administrator and, with --demo, loads the demo data
      into an empty database. On PostgreSQL it also makes the group roles, grants the tables to them and
      gives every user of an older database a login without a password. Running it again changes nothing
      that is there.
  user add NAME --rights LIST [--full-name TEXT] [--password-file FILE] --database DATABASE
      On PostgreSQL also the login NAME, with the password asked twice (or the first line of FILE).
  user password NAME [--password-file FILE] --database DATABASE
      A new password for the login NAME (PostgreSQL).
  user rights NAME LIST --database DATABASE
      Gives NAME exactly these rights ("" for none).
  user remove NAME --database DATABASE
      On PostgreSQL also drops the login, unless the server still uses it elsewhere.
  user list --database DATABASE
  history prune --before DATE --database DATABASE
      Removes the changes made before DATE (yyyy-MM-dd) from the change history, all at once, and says
      how many. A cron line such as "0 3 1 * * zevstore-admin history prune --before $(date -d '1 year
      ago' +\%F) --database ..." keeps a year of it.

LIST: rights separated by commas: STORE (use Store Maintenance), STOREADMIN (also administer stores),
STORE_VIEW_CARD (see card numbers in full).
DATABASE: a SQLite file, or postgresql://[user[:password]@]host[:port]/name. Without a password in the
address the PostgreSQL client's own sources are used: ~/.pgpass and the PG* environment variables. On
PostgreSQL the commands run as a login that owns the tables and may create roles.)";

QString RightsText(const QStringList& rights) {
    return rights.isEmpty() ? QStringLiteral("(no rights)") : rights.join(QLatin1Char(','));
}

} // namespace

AdminCommand::AdminCommand(QTextStream& out, QTextStream& err, PasswordSource askPassword)
    : m_out(out), m_err(err), m_askPassword(std::move(askPassword)) {
    m_parser.setApplicationDescription(QString::fromUtf8(Commands));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({
        {DatabaseName, QStringLiteral("The database the user commands work on."), QStringLiteral("database")},
        {AdminName, QStringLiteral("init: the user to make an administrator."), QStringLiteral("name")},
        {DemoName, QStringLiteral("init: load the demo data into an empty database.")},
        {FullName, QStringLiteral("user add: the user's full name."), QStringLiteral("text")},
        {RightsName, QStringLiteral("user add: the user's rights."), QStringLiteral("list")},
        {PasswordFileName,
         QStringLiteral("user add, user password: the file whose first line is the password."),
         QStringLiteral("file")},
        {BeforeName, QStringLiteral("history prune: the day whose earlier changes are removed."),
         QStringLiteral("date")},
    });
    m_parser.addPositionalArgument(QStringLiteral("command"),
                                   QStringLiteral("init, user or history, see above."));
}

AdminCommand::~AdminCommand() = default;

int AdminCommand::Run(const QStringList& arguments) {
    if (!m_parser.parse(arguments))
        return Misuse(m_parser.errorText());
    if (m_parser.isSet(QStringLiteral("help"))) {
        m_out << m_parser.helpText();
        return Done;
    }
    if (m_parser.isSet(QStringLiteral("version"))) {
        m_out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return Done;
    }
    try {
        return Dispatch(m_parser.positionalArguments());
    } catch (const RuntimeError& error) {
        m_err << error.description << '\n';
        return Failed;
    }
}

int AdminCommand::Dispatch(const QStringList& words) {
    const QString command = words.value(0);
    const QString action = words.value(1);
    if (command == QLatin1String("init") && words.size() <= 2) {
        const QString target = words.size() == 2 ? words[1] : DatabaseOption();
        if (!OnlyOptions(command, {AdminName, DemoName, DatabaseName}))
            return Misused;
        return target.isEmpty() ? Misuse(QStringLiteral("init needs the database to set up.")) : Init(target);
    }
    if (command == QLatin1String("user")) {
        const QString full = QStringLiteral("user ") + action;
        if (action == QLatin1String("add") && words.size() == 3)
            return OnlyOptions(full, {DatabaseName, FullName, RightsName, PasswordFileName})
                       ? UserAdd(words[2])
                       : Misused;
        if (action == QLatin1String("password") && words.size() == 3)
            return OnlyOptions(full, {DatabaseName, PasswordFileName}) ? UserPassword(words[2]) : Misused;
        if (action == QLatin1String("rights") && words.size() >= 4)
            return OnlyOptions(full, {DatabaseName}) ? UserRights(words[2], words.mid(3)) : Misused;
        if (action == QLatin1String("remove") && words.size() == 3)
            return OnlyOptions(full, {DatabaseName}) ? UserRemove(words[2]) : Misused;
        if (action == QLatin1String("list") && words.size() == 2)
            return OnlyOptions(full, {DatabaseName}) ? UserList() : Misused;
    }
    if (command == QLatin1String("history") && action == QLatin1String("prune") && words.size() == 2)
        return OnlyOptions(QStringLiteral("history prune"), {DatabaseName, BeforeName}) ? HistoryPrune()
                                                                                        : Misused;
    if (words.isEmpty())
        return Misuse(QStringLiteral("No command was given."));
    return Misuse(QStringLiteral("\"%1\" is not a command.").arg(words.join(QLatin1Char(' '))));
}

int AdminCommand::Init(const QString& target) {
    const QString admin = m_parser.value(AdminName);
    if (admin.isEmpty())
        return Misuse(QStringLiteral("init needs --admin NAME: the user who administers the database."));
    UserAdmin::CheckName(admin);
    auto session = SqlSession::Open(target);
    const bool server = session->backend() == Backend::PostgreSQL;
    if (server) {
        UserAdmin::CheckLoginName(admin);
        if (!session
                 ->scalar(QStringLiteral("SELECT rolcreaterole OR rolsuper FROM pg_roles WHERE rolname = "
                                         "session_user"))
                 .toBool())
            throw RuntimeError(
                ErrorNumbers::InvalidProcedureCall,
                QStringLiteral("The login %1 may not create roles, and init makes the group roles "
                               "and a login per user: run it as the administering login.")
                    .arg(session->scalar(QStringLiteral("SELECT session_user")).toString()));
    }
    const int before = Schema::Version(*session);
    // The users of a database made before logins per person get theirs now.
    QStringList needLogins{admin};
    if (server && before > 0 && !Schema::HasGroups(*session))
        for (const auto& user : UserAdmin(*session).List())
            needLogins << user.name;
    needLogins.removeDuplicates();
    Schema::Prepare(*session);
    bool changed = before != Schema::CurrentVersion;
    if (before == 0)
        m_out << QStringLiteral("Tables created (version %1).\n").arg(Schema::CurrentVersion);
    else if (changed)
        m_out << QStringLiteral("Tables upgraded from version %1 to %2.\n")
                     .arg(before)
                     .arg(Schema::CurrentVersion);
    if (m_parser.isSet(DemoName)) {
        const bool empty = !session->scalar(QStringLiteral("SELECT 1 FROM zev_store")).isValid() &&
                           !session->scalar(QStringLiteral("SELECT 1 FROM zev_user")).isValid();
        if (empty)
            DemoData::Seed(*session);
        m_out << (empty ? QStringLiteral("Demo data loaded.\n")
                        : QStringLiteral(
                              "Demo data not loaded: the database holds stores or users already.\n"));
        changed = changed || empty;
    }
    if (UserAdmin(*session).MakeAdministrator(admin)) {
        m_out << QStringLiteral("%1 is an administrator now.\n").arg(admin);
        changed = true;
    }
    QStringList done = Schema::Secure(*session);
    done << UserAdmin(*session).GiveLogins(needLogins);
    for (const QString& line : done)
        m_out << line << '\n';
    changed = changed || !done.isEmpty();
    if (!changed)
        m_out << QStringLiteral("Nothing to do: the tables are at version %1 and %2 is an administrator.\n")
                     .arg(Schema::CurrentVersion)
                     .arg(admin);
    return Done;
}

int AdminCommand::UserAdd(const QString& name) {
    if (!m_parser.isSet(RightsName))
        return Misuse(QStringLiteral("user add needs --rights LIST (\"\" for none)."));
    UserAdmin::CheckName(name);
    const QStringList rights = UserAdmin::ParseRights(m_parser.value(RightsName));
    auto session = OpenExisting();
    UserAdmin users(*session);
    QString password;
    if (users.UsesLogins()) {
        UserAdmin::CheckLoginName(name);
        if (!users.Exists(name) && !users.LoginExists(name) && Schema::HasGroups(*session))
            password = NewPassword(name);
    } else if (m_parser.isSet(PasswordFileName)) {
        return Misuse(QStringLiteral("A SQLite file keeps no passwords: its file permissions decide who may "
                                     "open it."));
    }
    const bool made = users.Add(name, m_parser.value(FullName).trimmed(), rights, password);
    m_out << QStringLiteral("%1 added: %2.\n").arg(name, RightsText(rights));
    if (users.UsesLogins() && !made)
        m_out << QStringLiteral("The server has a login %1 already; it keeps its password.\n").arg(name);
    return Done;
}

int AdminCommand::UserPassword(const QString& name) {
    auto session = OpenExisting();
    UserAdmin users(*session);
    if (!users.UsesLogins())
        return Misuse(QStringLiteral("A SQLite file keeps no passwords: its file permissions decide who may "
                                     "open it."));
    UserAdmin::CheckLoginName(name);
    if (!users.Exists(name))
        throw RuntimeError(
            ErrorNumbers::InvalidProcedureCall,
            QStringLiteral("The database has no user %1; \"user list\" shows who it knows.").arg(name));
    users.SetPassword(name, NewPassword(name));
    m_out << QStringLiteral("The password of %1 is set.\n").arg(name);
    return Done;
}

QString AdminCommand::NewPassword(const QString& login) {
    QString password;
    if (m_parser.isSet(PasswordFileName)) {
        QFile file(m_parser.value(PasswordFileName));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                               QStringLiteral("The password file %1 cannot be read.").arg(file.fileName()));
        password = QString::fromUtf8(file.readLine()).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    } else {
        password = m_askPassword(login);
    }
    if (password.isEmpty())
        throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                           QStringLiteral("The password is empty; nothing was changed."));
    return password;
}

int AdminCommand::UserRights(const QString& name, const QStringList& lists) {
    const QStringList rights = UserAdmin::ParseRights(lists.join(QLatin1Char(',')));
    auto session = OpenExisting();
    UserAdmin(*session).SetRights(name, rights);
    m_out << QStringLiteral("%1 holds now: %2.\n").arg(name, RightsText(rights));
    return Done;
}

int AdminCommand::UserRemove(const QString& name) {
    auto session = OpenExisting();
    const bool dropped = UserAdmin(*session).Remove(name);
    m_out << QStringLiteral("%1 removed.\n").arg(name);
    if (!dropped)
        m_out << QStringLiteral("The login %1 stays: the server still uses it elsewhere.\n").arg(name);
    return Done;
}

int AdminCommand::UserList() {
    auto session = OpenExisting();
    const auto users = UserAdmin(*session).List();
    qsizetype nameWidth = 4, fullWidth = 9;
    for (const auto& user : users) {
        nameWidth = std::max(nameWidth, user.name.size());
        fullWidth = std::max(fullWidth, user.fullName.size());
    }
    const auto line = [&](const QString& name, const QString& full, const QString& rights) {
        m_out << name.leftJustified(nameWidth + 2) << full.leftJustified(fullWidth + 2) << rights << '\n';
    };
    line(QStringLiteral("USER"), QStringLiteral("FULL NAME"), QStringLiteral("RIGHTS"));
    for (const auto& user : users)
        line(user.name, user.fullName, user.rights.join(QLatin1Char(',')));
    return Done;
}

int AdminCommand::HistoryPrune() {
    const QDate before =
        QDate::fromString(m_parser.value(BeforeName).trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!before.isValid())
        return Misuse(QStringLiteral("history prune needs --before DATE, a day written as yyyy-MM-dd."));
    auto session = OpenExisting();
    if (Schema::Version(*session) < Schema::CurrentVersion)
        Schema::Prepare(*session);
    const int removed = ChangeHistory::Prune(*session, before);
    m_out << QStringLiteral("%1 %2 made before %3 removed from the history.\n")
                 .arg(removed)
                 .arg(removed == 1 ? QStringLiteral("change") : QStringLiteral("changes"))
                 .arg(before.toString(QStringLiteral("yyyy-MM-dd")));
    return Done;
}

bool AdminCommand::OnlyOptions(const QString& command, const QStringList& allowed) {
    for (const QString& option : m_parser.optionNames())
        if (!allowed.contains(option)) {
            Misuse(QStringLiteral("%1 takes no --%2.").arg(command, option));
            return false;
        }
    return true;
}

QString AdminCommand::DatabaseOption() {
    return m_parser.value(DatabaseName).trimmed();
}

std::shared_ptr<SqlSession> AdminCommand::OpenExisting() {
    const QString target = DatabaseOption();
    const QString shown = HostDatabase::Displayed(target);
    if (target.isEmpty())
        throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                           QStringLiteral("The user and history commands need --database: a SQLite file or a "
                                          "postgresql:// address."));
    if (!HostDatabase::IsServerUrl(target) && !QFileInfo::exists(target))
        throw RuntimeError(ErrorNumbers::InvalidProcedureCall,
                           QStringLiteral("There is no database %1; \"init\" sets one up.").arg(shown));
    auto session = SqlSession::Open(target);
    const int version = Schema::Version(*session);
    if (version == 0)
        throw RuntimeError(
            ErrorNumbers::InvalidProcedureCall,
            QStringLiteral("The database %1 has no ZevStore tables yet; \"init\" creates them.").arg(shown));
    if (version > Schema::CurrentVersion)
        Schema::Prepare(*session); // refuses a newer database with its own message
    return session;
}

int AdminCommand::Misuse(const QString& sentence) {
    m_err << sentence << '\n'
          << QStringLiteral("\"%1 --help\" shows the commands.\n").arg(QCoreApplication::applicationName());
    return Misused;
}
