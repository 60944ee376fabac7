#include "app/AdminCommand.h"

#include "app/HostDatabase.h"
#include "database/DemoData.h"
#include "database/Schema.h"
#include "database/UserAdmin.h"
#include "sdk/RuntimeError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

const QString DatabaseName = QStringLiteral("database");
const QString AdminName = QStringLiteral("admin");
const QString DemoName = QStringLiteral("demo");
const QString FullName = QStringLiteral("full-name");
const QString RightsName = QStringLiteral("rights");

const char* const Commands = R"(ZevStore administration: the database, its users and their rights.

Commands:
  init DATABASE --admin NAME [--demo]
      Creates or upgrades the tables, makes NAME an administrator and, with --demo, loads the demo data
      into an empty database. Running it again changes nothing that is there.
  user add NAME --rights LIST [--full-name TEXT] --database DATABASE
  user rights NAME LIST --database DATABASE
      Gives NAME exactly these rights ("" for none).
  user remove NAME --database DATABASE
  user list --database DATABASE

LIST: rights separated by commas: STORE (use Store Maintenance), STOREADMIN (also administer stores),
STORE_VIEW_CARD (see card numbers in full).
DATABASE: a SQLite file, or postgresql://[user[:password]@]host[:port]/name. Without a password in the
address the PostgreSQL client's own sources are used: ~/.pgpass and the PG* environment variables.)";

QString RightsText(const QStringList& rights) {
    return rights.isEmpty() ? QStringLiteral("(no rights)") : rights.join(QLatin1Char(','));
}

} // namespace

AdminCommand::AdminCommand(QTextStream& out, QTextStream& err) : m_out(out), m_err(err) {
    m_parser.setApplicationDescription(QString::fromUtf8(Commands));
    m_parser.addHelpOption();
    m_parser.addVersionOption();
    m_parser.addOptions({
        {DatabaseName, QStringLiteral("The database the user commands work on."), QStringLiteral("database")},
        {AdminName, QStringLiteral("init: the user to make an administrator."), QStringLiteral("name")},
        {DemoName, QStringLiteral("init: load the demo data into an empty database.")},
        {FullName, QStringLiteral("user add: the user's full name."), QStringLiteral("text")},
        {RightsName, QStringLiteral("user add: the user's rights."), QStringLiteral("list")},
    });
    m_parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init or user, see above."));
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
            return OnlyOptions(full, {DatabaseName, FullName, RightsName}) ? UserAdd(words[2]) : Misused;
        if (action == QLatin1String("rights") && words.size() >= 4)
            return OnlyOptions(full, {DatabaseName}) ? UserRights(words[2], words.mid(3)) : Misused;
        if (action == QLatin1String("remove") && words.size() == 3)
            return OnlyOptions(full, {DatabaseName}) ? UserRemove(words[2]) : Misused;
        if (action == QLatin1String("list") && words.size() == 2)
            return OnlyOptions(full, {DatabaseName}) ? UserList() : Misused;
    }
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
    const int before = Schema::Version(*session);
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
    UserAdmin(*session).Add(name, m_parser.value(FullName).trimmed(), rights);
    m_out << QStringLiteral("%1 added: %2.\n").arg(name, RightsText(rights));
    return Done;
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
    UserAdmin(*session).Remove(name);
    m_out << QStringLiteral("%1 removed.\n").arg(name);
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
                           QStringLiteral("The user commands need --database: a SQLite file or a "
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
