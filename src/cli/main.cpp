#include "cli/scriptrunner.h"
#include "connection/builtin/builtinservers.h"
#include "connection/embedded/embeddedengine.h"
#include "connection/engine/database.h"
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

Usage: quoll-sql [-s SERVER] [-d DATABASE] [-u USER] [--password-stdin] [FILE]

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

The script is cut into statements at semicolons (not inside strings,
comments or the bodies of created procedures). For every statement that
yields rows, standard output gets a line of the column names and then one
line per row, fields separated by TAB, NULL as an empty field.

The first failing statement stops the run: standard error gets the line
  error <native code>: <message> (statement <n>, offset <E>)
where n counts statements from 1 and E is the position of the failing
character in that statement (0 when unknown), and the exit status is 1.
Exit status 2 means the arguments or the connection failed.
)";

// The embedded server that SERVER names: a folder, or a built-in server of
// the program's data folder.
std::unique_ptr<connection::Engine> engineFor(const QString &server, QString &error)
{
    if (server.contains(u'/')) {
        const QString folder = QFileInfo(server).absoluteFilePath();
        return std::make_unique<connection::embedded::EmbeddedEngine>(
            connection::embedded::EmbeddedServer(QFileInfo(folder).fileName(), folder));
    }
    const QStringList known = connection::builtin::builtinServerNames();
    const QString name = server.isEmpty() ? known.first() : server;
    if (!connection::builtin::isBuiltinServer(name)) {
        error = u"unknown server %1 (known: %2)"_s.arg(name, known.join(u", "_s));
        return nullptr;
    }
    return std::make_unique<connection::embedded::EmbeddedEngine>(
        connection::builtin::builtinServer(name, AppPaths::forExecutable().serversFolder()));
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
    parser.addOption({{u"h"_s, u"help"_s}, u"help"_s});
    parser.addPositionalArgument(u"FILE"_s, u"script"_s);
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "quoll-sql: " << parser.errorText() << "\n(see quoll-sql --help)\n";
        return 2;
    }
    if (parser.isSet(u"help"_s)) {
        out << Help;
        return 0;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        err << "quoll-sql: one script file at most\n";
        return 2;
    }
    if (parser.isSet(u"password-stdin"_s) && files.isEmpty()) {
        err << "quoll-sql: with --password-stdin the script must come from FILE\n";
        return 2;
    }

    QString problem;
    std::unique_ptr<connection::Engine> engine = engineFor(parser.value(u"server"_s), problem);
    if (!engine) {
        err << "quoll-sql: " << problem << '\n';
        return 2;
    }
    connection::Database database(std::move(engine));
    database.parameters().setValue(u"DATABASE NAME"_s, u"sysmaster"_s);
    database.parameters().setValue(u"USER NAME"_s, parser.value(u"user"_s));
    if (parser.isSet(u"password-stdin"_s)) {
        QTextStream in(stdin);
        database.parameters().setValue(u"PASSWORD"_s, in.readLine());
    }

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
    const bool ok = cli::runScript(database, decodeText(script).text, out, err);
    database.close();
    return ok ? 0 : 1;
}
