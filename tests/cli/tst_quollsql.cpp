#include "testregistry.h"

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

Run quollSql(const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(QString::fromUtf8(QUOLL_SQL_PATH), arguments);
    if (!process.waitForStarted())
        return {};
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
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
    void explainsItselfAndRefusesBadArguments();

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

void TstQuollSql::explainsItselfAndRefusesBadArguments()
{
    const Run help = quollSql({u"--help"_s});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains(u"quoll-sql [-s SERVER] [-d DATABASE] [-u USER] [--password-stdin] [FILE]"_s));
    QVERIFY(help.out.contains(u"error <native code>: <message> (statement <n>, offset <E>)"_s));
    QCOMPARE(quollSql({u"--nosuch"_s}).exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"a.sql"_s, u"b.sql"_s}).exitCode, 2);
    QCOMPARE(quollSql({u"-s"_s, server(), u"/nonexistent/file.sql"_s}).exitCode, 2);
}

QUOLL_TEST(TstQuollSql);
#include "tst_quollsql.moc"
