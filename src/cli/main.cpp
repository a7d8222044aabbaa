#include "cli/scriptrunner.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"
#include "connection/servers/connectionparameters.h"
#include "connection/servers/createengine.h"
#include "connection/servers/serverlist.h"
#include "core/apppaths.h"
#include "core/textcodec.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>


using namespace quoll;
using namespace Qt::Literals::StringLiterals;

namespace {

const char *const Help = R"(Runs SQL on a Quoll server from the command line.

Usage: quoll-sql [-s SERVER] [-d DATABASE] [-u USER] [--password-stdin]
                 [EXPORT] [FILE]
       quoll-sql --servers

  -s SERVER   the server: a name from the server list the Quoll window
              offers, or the folder of an embedded server (any argument
              holding a "/"); without -s, the first server of the list
  -d DATABASE the database to open after connecting; without it the
              connection stays in sysmaster
  -u USER     the user name; the login name of the system user by default
  --password-stdin
              read the password from the first line of standard input
              (the script must then come from FILE). A password is never
              taken from the command line; the embedded server needs none.
  FILE        the script to run; standard input when not given
  --servers   print the server list the Quoll window offers, one server a
              line: its name, a TAB and its back end (odbc or embedded).
              The list is the Informix client's sqlhosts file
              ($INFORMIXSQLHOSTS, else $INFORMIXDIR/etc/sqlhosts) or, when
              there is none to read, the four built-in embedded servers

The script is cut into statements at semicolons (not inside strings,
comments or the bodies of created procedures). For every statement that
yields rows, standard output gets a line of the column names and then one
line per row, fields separated by TAB, NULL as an empty field.

EXPORT writes the rows of the script's last statement that yields rows to
a file instead (no rows are printed then; the file is written only when
the whole script ran, and in one step):
  --html FILE       the HTML report
  --xlsx FILE       a spreadsheet workbook with typed cells
  --tsv FILE        tab-separated lines, no header
  --delimited FILE  delimited text, shaped by
     --row-divider TEXT      after each line (default CR LF)
     --column-divider TEXT   between values (default TAB)
     --no-header             no line of column names
     --no-data               no data lines
     --header-quote C        quote the column names with C
     --data-quote C          quote the text values with C (doubled inside)
     --divider-after-last    a column divider after the last value too
  Dividers are taken as given: write control characters with the shell,
  for example --row-divider $'\n'. Text files are Windows-1251, or UTF-8
  with a byte-order mark when that cannot hold every character.

The first failing statement stops the run: standard error gets the line
  error <native code>: <message> (statement <n>, offset <E>)
where n counts statements from 1 and E is the position of the failing
character in that statement (0 when unknown), and the exit status is 1.
Exit status 2 means the arguments or the connection failed.
)";

// The back end for SERVER: the embedded server in a folder (an argument
// holding a "/"), else the entry of that name in the server list, letter
// case ignored; without SERVER the list's first entry. `name` gets the
// server name that the connection parameters carry.
std::unique_ptr<connection::Engine> engineFor(const QString &server, QString &name, QString &error)
{
    if (server.contains(u'/')) {
        const QString folder = QFileInfo(server).absoluteFilePath();
        name = QFileInfo(folder).fileName();
        return std::make_unique<connection::embedded::EmbeddedEngine>(
            connection::embedded::EmbeddedServer(name, folder));
    }
    const connection::servers::ServerList servers = connection::servers::ServerList::installed();
    if (servers.isEmpty()) {
        error = u"the server list is empty"_s;
        return nullptr;
    }
    const int index = server.isEmpty() ? 0 : servers.indexOf(server);
    if (index < 0) {
        QStringList known;
        for (const connection::servers::ServerEntry &entry : servers.entries())
            known.append(entry.name);
        error = u"unknown server %1 (known: %2)"_s.arg(server, known.join(u", "_s));
        return nullptr;
    }
    name = servers.at(index).name;
    try {
        return connection::servers::createEngine(servers.at(index), AppPaths::forExecutable().serversFolder());
    } catch (const connection::EngineError &e) {
        error = u"server %1: %2"_s.arg(name, e.message());
        return nullptr;
    }
}

// The export the options ask for, if any; false (and why) when they do
// not make one.
bool exportTarget(const QCommandLineParser &parser, std::optional<cli::ExportTarget> &target, QString &problem)
{
    const std::pair<const char *, exporting::ExportFormat> formats[] = {
        {"html", exporting::ExportFormat::Html},
        {"xlsx", exporting::ExportFormat::Workbook},
        {"tsv", exporting::ExportFormat::Tab},
        {"delimited", exporting::ExportFormat::Delimited},
    };
    for (const auto &[name, format] : formats) {
        if (!parser.isSet(QString::fromLatin1(name)))
            continue;
        if (target) {
            problem = u"one export at a time"_s;
            return false;
        }
        target = cli::ExportTarget{format, parser.value(QString::fromLatin1(name)), {}};
    }
    const bool shaped = parser.isSet(u"row-divider"_s) || parser.isSet(u"column-divider"_s)
                        || parser.isSet(u"header-quote"_s) || parser.isSet(u"data-quote"_s)
                        || parser.isSet(u"no-header"_s) || parser.isSet(u"no-data"_s)
                        || parser.isSet(u"divider-after-last"_s);
    if (shaped && (!target || target->format != exporting::ExportFormat::Delimited)) {
        problem = u"the divider, quote and header options shape --delimited only"_s;
        return false;
    }
    if (!target)
        return true;
    if (target->path.isEmpty()) {
        problem = u"the export needs a file name"_s;
        return false;
    }
    exporting::DelimitedOptions &options = target->options;
    if (parser.isSet(u"row-divider"_s))
        options.rowDivider = parser.value(u"row-divider"_s);
    if (parser.isSet(u"column-divider"_s))
        options.columnDivider = parser.value(u"column-divider"_s);
    options.header = !parser.isSet(u"no-header"_s);
    options.data = !parser.isSet(u"no-data"_s);
    options.dividerAfterLast = parser.isSet(u"divider-after-last"_s);
    for (const auto &[name, quote] : {std::pair{"header-quote", &options.headerQuote},
                                      std::pair{"data-quote", &options.dataQuote}}) {
        if (!parser.isSet(QString::fromLatin1(name)))
            continue;
        const QString value = parser.value(QString::fromLatin1(name));
        if (value.size() != 1) {
            problem = u"--%1 takes one character"_s.arg(QLatin1String(name));
            return false;
        }
        *quote = value.at(0);
    }
    return true;
}

// The lines of --servers: name, TAB, back end.
void printServers(QTextStream &out)
{
    const connection::servers::ServerList servers = connection::servers::ServerList::installed();
    for (const connection::servers::ServerEntry &entry : servers.entries())
        out << entry.name << '\t' << connection::servers::backendName(entry.backend) << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"quoll-sql"_s);
    QTextStream out(stdout);
    QTextStream err(stderr);

    QCommandLineParser parser;
    parser.addOption({{u"s"_s, u"server"_s}, u"server"_s, u"SERVER"_s});
    parser.addOption({{u"d"_s, u"database"_s}, u"database"_s, u"DATABASE"_s});
    parser.addOption({{u"u"_s, u"user"_s}, u"user"_s, u"USER"_s});
    parser.addOption({u"password-stdin"_s, u"password"_s});
    parser.addOption({u"servers"_s, u"servers"_s});
    parser.addOption({{u"h"_s, u"help"_s}, u"help"_s});
    for (const char *format : {"html", "xlsx", "tsv", "delimited"})
        parser.addOption({QString::fromLatin1(format), u"export"_s, u"FILE"_s});
    for (const char *text : {"row-divider", "column-divider", "header-quote", "data-quote"})
        parser.addOption({QString::fromLatin1(text), u"delimited"_s, u"TEXT"_s});
    for (const char *flag : {"no-header", "no-data", "divider-after-last"})
        parser.addOption({QString::fromLatin1(flag), u"delimited"_s});
    parser.addPositionalArgument(u"FILE"_s, u"script"_s);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "quoll-sql: " << parser.errorText() << "\n(see quoll-sql --help)\n";
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        out << Help;
        return 0;
    }
    if (parser.isSet(u"servers"_s)) {
        printServers(out);
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        err << "quoll-sql: one script file at most\n";
        return 2;
    }
    QString problem;
    if (parser.isSet(u"password-stdin"_s) && files.isEmpty()) {
        err << "quoll-sql: with --password-stdin the script must come from FILE\n";
        return 2;
    }

    std::optional<cli::ExportTarget> target;
    if (!exportTarget(parser, target, problem)) {
        err << "quoll-sql: " << problem << "\n(see quoll-sql --help)\n";
        return 2;
    }

    QString serverName;
    std::unique_ptr<connection::Engine> engine = engineFor(parser.value(u"server"_s), serverName, problem);
    if (!engine) {
        err << "quoll-sql: " << problem << '\n';
        return 2;
    }
    // The same parameter list the window sends; the login fills in the user.
    connection::Database database(std::move(engine));
    connection::servers::installParameterHook(database, [serverName] { return serverName; });
    QString password;
    if (parser.isSet(u"password-stdin"_s)) {
        QTextStream in(stdin);
        password = in.readLine();
    }
    database.hooks().login = [user = parser.value(u"user"_s), password](connection::ParameterList &login) {
        login.setValue(u"USER NAME"_s, user);
        login.setValue(u"PASSWORD"_s, password);
    };

    QByteArray script;
    if (files.isEmpty()) {
        QFile input;
        if (!input.open(stdin, QIODevice::ReadOnly)) {
            err << "quoll-sql: cannot read standard input\n";
            return 2;
        }
        script = input.readAll();
    } else {
        QFile input(files.first());
        if (!input.open(QIODevice::ReadOnly)) {
            err << "quoll-sql: cannot open " << files.first() << ": " << input.errorString() << '\n';
            return 2;
        }
        script = input.readAll();
    }

    try {
        database.open();
        if (parser.isSet(u"database"_s))
            database.execute(u"database "_s + parser.value(u"database"_s));
    } catch (const connection::EngineError &e) {
        err << "quoll-sql: error " << e.nativeCode() << ": " << e.message() << '\n';
        return 2;
    }
    const bool ok = cli::runScript(database, decodeText(script).text, out, err, target);
    database.close();
    return ok ? 0 : 1;
}
