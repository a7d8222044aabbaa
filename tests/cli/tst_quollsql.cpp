#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run quollSql(const QStringList &arguments, const QByteArray &input = {},
             const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(QUOLL_SQL_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// This environment without any Informix client configuration, or with
// INFORMIXSQLHOSTS naming `sqlhosts`.
QProcessEnvironment informixEnvironment(const QString &sqlhosts = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"INFORMIXDIR"_s);
    environment.remove(u"INFORMIXSQLHOSTS"_s);
    if (!sqlhosts.isEmpty())
        environment.insert(u"INFORMIXSQLHOSTS"_s, sqlhosts);
    return environment;
}

} // namespace

// The command-line companion as scripts use it: rows on standard output,
// exactly one error line and status 1 on the first failure.
class TstQuollSql : public QObject
{
    Q_OBJECT

private slots:
    void printsRowsOfEveryStatementThatYieldsThem();
    void firstFailureStopsWithOneErrorLine();
    void opensTheDatabaseGivenWithD();
    void readsTheScriptFromAFile();
    void runsEveryStatementOfAScriptWithLfLineEnds();
    void exportsTheLastResultInsteadOfPrinting_data();
    void exportsTheLastResultInsteadOfPrinting();
    void aFailedScriptExportsNothing();
    void explainsItselfAndRefusesBadArguments();
    void listsTheServersOfTheSqlhostsFile();
    void listsTheBuiltinServersWithoutAnSqlhostsFile();
    void findsTheServerInTheListIgnoringCase();

private:
    QTemporaryDir m_folder;
    QString server() const { return m_folder.filePath(u"srv"_s); }
};

void TstQuollSql::printsRowsOfEveryStatementThatYieldsThem()
{
    const Run run = quollSql({u"-s"_s, server(), u"-u"_s, u"anna"_s},
                             "create database shop with log;\n"
                             "create table item (id integer, name varchar(20), price decimal(8,2));\n"
                             "insert into item values (1, 'tea', 2.5);\n"
                             "insert into item values (2, null, 10);\n"
                             "select * from item order by id;\n"
                             "select user from systables where tabid = 1;");
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"id\tname\tprice\n1\ttea\t2.50\n2\t\t10.00\n(expression)\nanna\n"_s);
}

void TstQuollSql::firstFailureStopsWithOneErrorLine()
{
    const Run first = quollSql({u"-s"_s, server()},
                               "create database fails;\n"
                               "select * from nosuch;\n"
                               "create table never (a integer);");
    QCOMPARE(first.exitCode, 1);
    QCOMPARE(first.err, u"error -206: The specified table (nosuch) is not in the database. (statement 2, offset 16)\n"_s);
    // The third statement did not run.
    const Run check = quollSql({u"-s"_s, server(), u"-d"_s, u"fails"_s},
                               "select count(*) from systables where tabname = 'never';");
    QCOMPARE(check.out, u"(count(*))\n0\n"_s);
}

void TstQuollSql::opensTheDatabaseGivenWithD()
{
    quollSql({u"-s"_s, server()}, "create database other; create table t (a integer); insert into t values (5);");
    const Run run = quollSql({u"-s"_s, server(), u"-d"_s, u"other"_s}, "select a from t");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"a\n5\n"_s);
    const Run missing = quollSql({u"-s"_s, server(), u"-d"_s, u"nosuch"_s}, "select 1 from systables");
    QCOMPARE(missing.exitCode, 2);
    QVERIFY(missing.err.contains(u"-329"_s));
}

void TstQuollSql::readsTheScriptFromAFile()
{
    QTemporaryDir dir;
    QFile script(dir.filePath(u"x.sql"_s));
    QVERIFY(script.open(QIODevice::WriteOnly));
    // Windows-1251 text: the file's own encoding is recognised.
    script.write("select '\xCF\xF0\xE8\xE2\xE5\xF2' from systables where tabid = 1 -- comment;\r\n");
    script.close();
    const Run run = quollSql({u"-s"_s, server(), script.fileName()});
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.endsWith(u"\nПривет\n"_s), qPrintable(run.out));
}

// Unix files end lines with LF alone; a "--" comment must end there, or the
// statements after it are never run while the exit status says success.
void TstQuollSql::runsEveryStatementOfAScriptWithLfLineEnds()
{
    const QByteArray script = "select 1 a from systables where tabid=1; -- note\n"
                              "select 2 b from systables where tabid=1;\n"
                              "-- a comment line\n"
                              "select 3 c from systables where tabid=1\n";
    const QString expected = u"a\n1\nb\n2\nc\n3\n"_s;
    const Run piped = quollSql({u"-s"_s, server()}, script);
    QCOMPARE(piped.err, QString());
    QCOMPARE(piped.out, expected);
    QCOMPARE(piped.exitCode, 0);

    QTemporaryDir dir;
    QFile file(dir.filePath(u"lf.sql"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script);
    file.close();
    const Run fromFile = quollSql({u"-s"_s, server(), file.fileName()});
    QCOMPARE(fromFile.out, expected);
    QCOMPARE(fromFile.exitCode, 0);

    // A failure after the comment is reported, not passed over.
    const Run failing = quollSql({u"-s"_s, server()}, "select 1 from systables where tabid=1; -- note\n"
                                                      "select * from nosuch;\n");
    QCOMPARE(failing.exitCode, 1);
    QVERIFY2(failing.err.startsWith(u"error -206:"_s), qPrintable(failing.err));
}

void TstQuollSql::exportsTheLastResultInsteadOfPrinting_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("tab-separated") << QStringList{u"--tsv"_s} << QByteArray("1\tone\r\n2\t\r\n");
    QTest::newRow("delimited, dialog defaults") << QStringList{u"--delimited"_s}
                                                << QByteArray("n\ts\r\n1\tone\r\n2\t\r\n");
    QTest::newRow("delimited, shaped")
        << QStringList{u"--delimited"_s, u"--row-divider"_s, u"\n"_s, u"--column-divider"_s, u";"_s,
                       u"--data-quote"_s, u"'"_s, u"--no-header"_s, u"--divider-after-last"_s}
        << QByteArray("1;'one';\n2;'';\n");
    QTest::newRow("html") << QStringList{u"--html"_s}
                          << QByteArray("\r\n<TR><TH >n</TH><TH >s</TH></TR>\r\n<TR><TD>1</TD><TD>one</TD></TR>\r\n"
                                        "<TR><TD>2</TD><TD></TD></TR>\r\n</TABLE></BODY></HTML>\r\n");
}

// The rows of the last statement that yields rows go to the file, and
// nothing to standard output.
void TstQuollSql::exportsTheLastResultInsteadOfPrinting()
{
    QFETCH(QStringList, options);
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out"_s);
    QStringList arguments{u"-s"_s, server()};
    arguments += options;
    arguments.insert(arguments.indexOf(options.first()) + 1, path);
    // A database of its own for every row.
    static int database = 0;
    const Run run = quollSql(arguments, "create database ex" + QByteArray::number(++database)
                                            + "; create table x (n integer, s varchar(9));"
                                        "insert into x values (1, 'one'); insert into x values (2, null);"
                                        "select count(*) from x; select n, s from x order by n;"
                                        "update x set n = n + 0;");
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QString());
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY2(written.readAll().endsWith(file), qPrintable(path));
}

void TstQuollSql::aFailedScriptExportsNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"out.xlsx"_s);
    const Run failed = quollSql({u"-s"_s, server(), u"--xlsx"_s, path},
                                "create database bad; select tabname from systables; select * from nosuch;");
    QCOMPARE(failed.exitCode, 1);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    const Run written = quollSql({u"-s"_s, server(), u"--xlsx"_s, path}, "select tabname from systables;");
    QCOMPARE(written.exitCode, 0);
    QVERIFY(QFileInfo(path).size() > 1000);
    // Options that do not make one export are refused.
    QCOMPARE(quollSql({u"-s"_s, server(), u"--tsv"_s, path, u"--html"_s, path}, "select 1 from systables").exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"--tsv"_s, path, u"--no-header"_s}, "select 1 from systables").exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"--delimited"_s, path, u"--data-quote"_s, u"ab"_s},
                      "select 1 from systables")
                 .exitCode,
             2);
}

void TstQuollSql::explainsItselfAndRefusesBadArguments()
{
    const Run help = quollSql({u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains(u"quoll-sql [-s SERVER] [-d DATABASE] [-u USER] [--password-stdin]"_s));
    QVERIFY(help.out.contains(u"--delimited FILE"_s));
    QVERIFY(help.out.contains(u"quoll-sql --servers"_s));
    QVERIFY(help.out.contains(u"error <native code>: <message> (statement <n>, offset <E>)"_s));
    QCOMPARE(quollSql({u"--nosuch"_s}).exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"a.sql"_s, u"b.sql"_s}).exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"/nonexistent/file.sql"_s}).exitCode, 2);
}

void TstQuollSql::listsTheServersOfTheSqlhostsFile()
{
    QTemporaryDir dir;
    QFile hosts(dir.filePath(u"sqlhosts"_s));
    QVERIFY(hosts.open(QIODevice::WriteOnly));
    hosts.write("# servers of the shop\r\n"
                "b_srv\tonsoctcp\tdb2 9088\r\n"
                "a_srv onsoctcp db1 9088 k=1 # the main one\r\n"
                "broken onsoctcp\r\n"
                "B_SRV onsoctcp db3 9090\r\n"
                "shop group - - e=shop.2\r\n"
                "shop.1 onsoctcp db1 9091 g=shop\r\n");
    hosts.close();
    const Run run = quollSql({u"--servers"_s}, {}, informixEnvironment(hosts.fileName()));
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, u"a_srv\todbc\nb_srv\todbc\nshop\todbc\nshop.1\todbc\n"_s);

    // INFORMIXDIR/etc/sqlhosts when INFORMIXSQLHOSTS is not set.
    QVERIFY(QDir(dir.path()).mkpath(u"ifx/etc"_s));
    QVERIFY(QFile::copy(hosts.fileName(), dir.filePath(u"ifx/etc/sqlhosts"_s)));
    QProcessEnvironment viaDir = informixEnvironment();
    viaDir.insert(u"INFORMIXDIR"_s, dir.filePath(u"ifx"_s));
    QCOMPARE(quollSql({u"--servers"_s}, {}, viaDir).out, run.out);
}

void TstQuollSql::listsTheBuiltinServersWithoutAnSqlhostsFile()
{
    const QString builtins = u"quoll_demo\tembedded\nquoll_dev\tembedded\nquoll_test\tembedded\nquoll_work\tembedded\n"_s;
    const Run run = quollSql({u"--servers"_s}, {}, informixEnvironment());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, builtins);
    // A named file that is not there counts as none.
    QCOMPARE(quollSql({u"--servers"_s}, {}, informixEnvironment(m_folder.filePath(u"nosuch"_s))).out, builtins);
}

void TstQuollSql::findsTheServerInTheListIgnoringCase()
{
    QTemporaryDir dir;
    QFile hosts(dir.filePath(u"sqlhosts"_s));
    QVERIFY(hosts.open(QIODevice::WriteOnly));
    hosts.write("b_srv onsoctcp 127.0.0.1 1\na_srv onsoctcp 127.0.0.1 1\n");
    hosts.close();
    const QProcessEnvironment withHosts = informixEnvironment(hosts.fileName());

    // A server of the file is found, whatever the case, and goes to the
    // ODBC back end, which says what is missing: the driver manager here
    // knows no Informix driver.
    QProcessEnvironment noInformixDriver = withHosts;
    QFile(dir.filePath(u"odbcinst.ini"_s)).open(QIODevice::WriteOnly);
    noInformixDriver.insert(u"ODBCSYSINI"_s, dir.path());
    noInformixDriver.insert(u"ODBCINSTINI"_s, u"odbcinst.ini"_s);
    const Run found = quollSql({u"-s"_s, u"A_SRV"_s}, "select 1 from systables", noInformixDriver);
    QCOMPARE(found.exitCode, 2);
    QVERIFY2(found.err.contains(u"No Informix ODBC driver is installed."_s), qPrintable(found.err));
    QCOMPARE(found.out, QString());

    // Only the listed servers are known: the built-ins are not, while a file lists servers.
    const Run unknown = quollSql({u"-s"_s, u"quoll_test"_s}, "select 1 from systables", withHosts);
    QCOMPARE(unknown.exitCode, 2);
    QCOMPARE(unknown.err, u"quoll-sql: unknown server quoll_test (known: a_srv, b_srv)\n"_s);

    // A folder is an embedded server, list or not.
    const Run folder = quollSql({u"-s"_s, server()}, "select tabname from systables where tabid = 1", withHosts);
    QCOMPARE(folder.err, QString());
    QCOMPARE(folder.out, u"tabname\nsystables\n"_s);

    // Without a file, the built-in servers, whatever the case.
    const Run builtin = quollSql({u"-s"_s, u"QUOLL_TEST"_s}, "select tabname from systables where tabid = 1",
                                 informixEnvironment());
    QCOMPARE(builtin.err, QString());
    QCOMPARE(builtin.exitCode, 0);
    QCOMPARE(builtin.out, u"tabname\nsystables\n"_s);
}

QUOLL_TEST(TstQuollSql);
#include "tst_quollsql.moc"
