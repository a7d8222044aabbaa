#include "connection/builtin/builtinservers.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/engineerror.h"
#include "connection/odbc/odbcengine.h"
#include "connection/servers/connectionparameters.h"
#include "connection/servers/createengine.h"
#include "connection/servers/serverlist.h"
#include "connection/servers/sqlhostsparser.h"

#include "fakeengine.h"
#include "testregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection;
using namespace quoll::connection::servers;

namespace {

// Each entry as "name|nettype|hostname|servicename|k=v,k=v".
QStringList summary(const QList<ServerEntry> &entries)
{
    QStringList lines;
    for (const ServerEntry &e : entries) {
        QStringList options;
        for (const auto &[key, value] : e.options)
            options.append(key + u'=' + value);
        lines.append(QStringList{e.name, e.nettype, e.hostname, e.servicename, options.join(u',')}.join(u'|'));
    }
    return lines;
}

QStringList names(const ServerList &list)
{
    QStringList result;
    for (const ServerEntry &e : list.entries())
        result.append(e.name);
    return result;
}

// A source with fixed contents, or one that cannot be read.
class FixedSource : public ServerSource
{
public:
    explicit FixedSource(std::optional<QList<ServerEntry>> entries) : m_entries(std::move(entries)) {}
    std::optional<QList<ServerEntry>> read() const override { return m_entries; }

private:
    std::optional<QList<ServerEntry>> m_entries;
};

QList<ServerEntry> named(const QStringList &serverNames)
{
    QList<ServerEntry> entries;
    for (const QString &n : serverNames)
        entries.append({n, ServerBackend::Odbc, u"onsoctcp"_s, u"host"_s, u"9088"_s, {}});
    return entries;
}

// The fake engine with a real connected state that keeps the parameter
// list of every connect.
class RecordingEngine : public quoll::testing::FakeEngine
{
public:
    QList<QStringList> connects;
    bool connected = false;

    void connect(const ParameterList &parameters) override
    {
        connects.append(parameters.lines());
        connected = true;
    }
    void disconnect() override { connected = false; }
    bool isConnected() const override { return connected; }
};

const QStringList TwentyThreeLines = {
    u"SERVER NAME=%1"_s,
    u"DATABASE NAME=sysmaster"_s,
    u"USER NAME=%2"_s,
    u"PASSWORD=%3"_s,
    u"OPEN MODE=READ/WRITE"_s,
    u"SCHEMA CACHE SIZE=8"_s,
    u"LANGDRIVER="_s,
    u"SQLQRYMODE="_s,
    u"SQLPASSTHRU MODE=SHARED AUTOCOMMIT"_s,
    u"LOCK MODE=7"_s,
    u"DATE MODE=0"_s,
    u"DATE SEPARATOR=/"_s,
    u"SCHEMA CACHE TIME=-1"_s,
    u"MAX ROWS=-1"_s,
    u"BATCH COUNT=200"_s,
    u"ENABLE SCHEMA CACHE=FALSE"_s,
    u"SCHEMA CACHE DIR="_s,
    u"ENABLE BCD=FALSE"_s,
    u"LIST SYNONYMS=NONE"_s,
    u"DBNLS="_s,
    u"COLLCHAR="_s,
    u"BLOBS TO CACHE=64"_s,
    u"BLOB SIZE=32"_s,
};

QStringList expectedLines(const QString &server, const QString &user = {}, const QString &password = {})
{
    QStringList lines = TwentyThreeLines;
    lines[0] = lines[0].arg(server);
    lines[2] = lines[2].arg(user);
    lines[3] = lines[3].arg(password);
    return lines;
}

} // namespace

// The servers the user can pick: read from the sqlhosts file, else the
// built-in servers; sorted, preselected, reached through their back end;
// and the parameter list every connect sends.
class TstServerList : public QObject
{
    Q_OBJECT

private slots:
    void readsTheLinesOfAnSqlhostsFile_data();
    void readsTheLinesOfAnSqlhostsFile();
    void groupsAndOptionsAreKept();
    void theFileIsWhereTheClientLooks_data();
    void theFileIsWhereTheClientLooks();
    void aFileThatCannotBeReadGivesTheBuiltinServers();
    void sortedAlphabeticallyIgnoringCase();
    void preselectsTheRememberedServer_data();
    void preselectsTheRememberedServer();
    void everyConnectSendsTheTwentyThreeLinesAfresh();
    void theEmbeddedServerConnectsFromTheListInSysmaster();
    void createsTheEngineOfTheEntrysBackEnd();
};

void TstServerList::readsTheLinesOfAnSqlhostsFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("sample with comments and a group")
        << u"#dbservername nettype   hostname servicename options\n"
           "menlo         onipcshm  valley   menlo\n"
           "newyork       ontlitcp  hill     dynsrvr2    s=2,b=5120\n"
           "\n"
           "asia          group     -        -           e=asia.2\n"
           "asia.1        ontlitcp  node6    svc8        g=asia\n"_s
        << QStringList{u"menlo|onipcshm|valley|menlo|"_s, u"newyork|ontlitcp|hill|dynsrvr2|s=2,b=5120"_s,
                       u"asia|group|-|-|e=asia.2"_s, u"asia.1|ontlitcp|node6|svc8|g=asia"_s};
    QTest::newRow("tabs, blanks and a trailing comment")
        << u"\t srv1\tonsoctcp \t db.example.org\t9088   # the test box\n   # indented comment\n \t \n"_s
        << QStringList{u"srv1|onsoctcp|db.example.org|9088|"_s};
    QTest::newRow("a comment right after a field")
        << u"srv1 onsoctcp host 9088#k=1\nsrv2 onsoctcp host 9089 k=1#,m=1\n"_s
        << QStringList{u"srv1|onsoctcp|host|9088|"_s, u"srv2|onsoctcp|host|9089|k=1"_s};
    QTest::newRow("Windows line ends and a byte-order mark")
        << u"\uFEFFsrv1 onsoctcp host 9088\r\nsrv2 onsoctcp host 9089 k=1\r\n\r\n"_s
        << QStringList{u"srv1|onsoctcp|host|9088|"_s, u"srv2|onsoctcp|host|9089|k=1"_s};
    QTest::newRow("no line break at the end") << u"srv1 onsoctcp host 9088"_s
                                              << QStringList{u"srv1|onsoctcp|host|9088|"_s};
    QTest::newRow("too few or too many fields are skipped")
        << u"short onsoctcp host\nalone\nlong onsoctcp host 9088 k=1 m=1\nok onsoctcp host 9088\n"_s
        << QStringList{u"ok|onsoctcp|host|9088|"_s};
    QTest::newRow("bad names are skipped")
        << u"1srv onsoctcp host 1\nmy-srv onsoctcp host 2\n_srv onsoctcp host 3\nsrv@x onsoctcp host 4\n"
           "%1 onsoctcp host 5\n%2 onsoctcp host 6\nпривет onsoctcp host 7\nGood_Name9 onsoctcp host 8\n"_s
               .arg(QString(129, u'a'), QString(128, u'b'))
        << QStringList{QString(128, u'b') + u"|onsoctcp|host|6|"_s, u"Good_Name9|onsoctcp|host|8|"_s};
    QTest::newRow("the first of two equal names wins, letter case ignored")
        << u"dup onsoctcp first 1\nother onsoctcp host 2\nDUP onsoctcp second 3\ndup onsoctcp third 4\n"_s
        << QStringList{u"dup|onsoctcp|first|1|"_s, u"other|onsoctcp|host|2|"_s};
    QTest::newRow("nothing but comments") << u"# no servers\n\n#menlo onipcshm valley menlo\n"_s << QStringList();
}

void TstServerList::readsTheLinesOfAnSqlhostsFile()
{
    QFETCH(QString, text);
    QFETCH(QStringList, entries);
    const QList<ServerEntry> parsed = parseSqlhosts(text);
    QCOMPARE(summary(parsed), entries);
    for (const ServerEntry &e : parsed)
        QCOMPARE(e.backend, ServerBackend::Odbc);
}

void TstServerList::groupsAndOptionsAreKept()
{
    const QList<ServerEntry> entries = parseSqlhosts(
        u"asia group - - e=asia.2,i=10\n"
        "asia.1 onsoctcp node6 svc8 g=asia,s=6,csm=(SPWDCSM,p=1),k\n"
        "asia.2 onsoctcp node0 svc1 G=asia\n"
        "alone onsoctcp node1 svc2 ,b=5120,,\n"_s);
    QCOMPARE(entries.size(), 4);
    QVERIFY(entries[0].isGroup());
    QVERIFY(!entries[1].isGroup());
    QCOMPARE(entries[0].option(u"e"_s), u"asia.2"_s);
    QCOMPARE(entries[0].group(), QString());
    // A comma inside parentheses belongs to the option; a bare key has no value.
    QCOMPARE(summary({entries[1]}), QStringList{u"asia.1|onsoctcp|node6|svc8|g=asia,s=6,csm=(SPWDCSM,p=1),k="_s});
    QCOMPARE(entries[1].options.size(), 4);
    QCOMPARE(entries[1].option(u"csm"_s), u"(SPWDCSM,p=1)"_s);
    QCOMPARE(entries[1].group(), u"asia"_s);
    QCOMPARE(entries[1].option(u"S"_s), u"6"_s);
    QCOMPARE(entries[2].group(), u"asia"_s);
    QCOMPARE(summary({entries[3]}), QStringList{u"alone|onsoctcp|node1|svc2|b=5120"_s});
    QCOMPARE(entries[3].group(), QString());
}

void TstServerList::theFileIsWhereTheClientLooks_data()
{
    QTest::addColumn<QString>("sqlhosts");
    QTest::addColumn<QString>("informixDir");
    QTest::addColumn<QString>("path");
    QTest::newRow("INFORMIXSQLHOSTS first") << u"/etc/my_hosts"_s << u"/opt/informix"_s << u"/etc/my_hosts"_s;
    QTest::newRow("then INFORMIXDIR") << QString() << u"/opt/informix"_s << u"/opt/informix/etc/sqlhosts"_s;
    QTest::newRow("INFORMIXDIR with a slash") << QString() << u"/opt/informix/"_s << u"/opt/informix/etc/sqlhosts"_s;
    QTest::newRow("neither") << QString() << QString() << QString();
}

void TstServerList::theFileIsWhereTheClientLooks()
{
    QFETCH(QString, sqlhosts);
    QFETCH(QString, informixDir);
    QFETCH(QString, path);
    QProcessEnvironment environment;
    if (!sqlhosts.isEmpty())
        environment.insert(u"INFORMIXSQLHOSTS"_s, sqlhosts);
    if (!informixDir.isEmpty())
        environment.insert(u"INFORMIXDIR"_s, informixDir);
    QCOMPARE(QDir::cleanPath(SqlhostsFile::locate(environment)), path);
}

void TstServerList::aFileThatCannotBeReadGivesTheBuiltinServers()
{
    QTemporaryDir dir;
    QProcessEnvironment environment;
    environment.insert(u"INFORMIXSQLHOSTS"_s, dir.filePath(u"missing"_s));
    const ServerList builtins = ServerList::installed(environment);
    QCOMPARE(names(builtins), quoll::connection::builtin::builtinServerNames());
    for (const ServerEntry &e : builtins.entries())
        QCOMPARE(e.backend, ServerBackend::Embedded);
    QCOMPARE(names(ServerList::installed(QProcessEnvironment())), quoll::connection::builtin::builtinServerNames());

    // A file that is there lists its servers only, even when it lists none.
    QFile file(dir.filePath(u"sqlhosts"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# nothing yet\n");
    file.close();
    environment.insert(u"INFORMIXSQLHOSTS"_s, file.fileName());
    QVERIFY(ServerList::installed(environment).isEmpty());
    QVERIFY(file.open(QIODevice::Append));
    file.write("prod onsoctcp db1 9088\n");
    file.close();
    const ServerList fromFile = ServerList::installed(environment);
    QCOMPARE(names(fromFile), QStringList{u"prod"_s});
    QCOMPARE(fromFile.at(0).backend, ServerBackend::Odbc);

    // An unreadable source without a fallback gives an empty list.
    QVERIFY(ServerList::load(FixedSource(std::nullopt), FixedSource(std::nullopt)).isEmpty());
}

void TstServerList::sortedAlphabeticallyIgnoringCase()
{
    QCOMPARE(names(ServerList::load(FixedSource(named({u"b_srv"_s, u"a_srv"_s})), FixedSource({}))),
             (QStringList{u"a_srv"_s, u"b_srv"_s}));
    QCOMPARE(names(ServerList(named({u"Zeta"_s, u"alpha"_s, u"ab"_s, u"a_srv"_s, u"Beta"_s, u"a.1"_s}))),
             (QStringList{u"a.1"_s, u"a_srv"_s, u"ab"_s, u"alpha"_s, u"Beta"_s, u"Zeta"_s}));
}

void TstServerList::preselectsTheRememberedServer_data()
{
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("index");
    const QStringList three{u"c_srv"_s, u"a_srv"_s, u"b_srv"_s};
    QTest::newRow("exact") << three << u"b_srv"_s << 1;
    QTest::newRow("other letter case") << three << u"C_SRV"_s << 2;
    QTest::newRow("no longer listed") << three << u"gone"_s << 0;
    QTest::newRow("only a prefix") << three << u"b_"_s << 0;
    QTest::newRow("nothing remembered") << three << QString() << 0;
    QTest::newRow("empty list") << QStringList() << u"a_srv"_s << -1;
}

void TstServerList::preselectsTheRememberedServer()
{
    QFETCH(QStringList, servers);
    QFETCH(QString, saved);
    QFETCH(int, index);
    QCOMPARE(ServerList(named(servers)).preselectedIndex(saved), index);
}

void TstServerList::everyConnectSendsTheTwentyThreeLinesAfresh()
{
    auto owned = std::make_unique<RecordingEngine>();
    RecordingEngine *engine = owned.get();
    Database database(std::move(owned));
    database.parameters().append(u"LEFT OVER=1"_s);
    QString server = u"prod"_s;
    installParameterHook(database, [&server] { return server; });
    database.hooks().login = [](ParameterList &login) {
        login.setValue(u"USER NAME"_s, u"anna"_s);
        login.setValue(u"PASSWORD"_s, u"pw"_s);
    };
    database.open();
    database.close();
    server = u"test"_s;
    database.open();
    QCOMPARE(engine->connects.size(), 2);
    QCOMPARE(engine->connects[0], expectedLines(u"prod"_s, u"anna"_s, u"pw"_s));
    QCOMPARE(engine->connects[1], expectedLines(u"test"_s, u"anna"_s, u"pw"_s));
    // The kept list has the server of the last connect and no login values.
    QCOMPARE(database.parameters().lines(), expectedLines(u"test"_s));
}

void TstServerList::theEmbeddedServerConnectsFromTheListInSysmaster()
{
    QTemporaryDir folder;
    const ServerEntry demo{u"quoll_dev"_s, ServerBackend::Embedded, {}, {}, {}, {}};
    Database database(createEngine(demo, folder.path()));
    installParameterHook(database, [] { return u"quoll_dev"_s; });
    for (int round = 0; round < 2; ++round) {
        database.open();
        QVERIFY(database.isConnected());
        QCOMPARE(database.parameters().lines(), expectedLines(u"quoll_dev"_s));
        // sysdatabases is a table of sysmaster only.
        QCOMPARE(database.engine().executeDirect(u"select name from sysdatabases"_s).status, StatusOk);
        database.execute(u"create database round%1"_s.arg(round));
        QCOMPARE(database.engine().executeDirect(u"select name from sysdatabases"_s).status, StatusSqlError);
        database.close();
    }
}

void TstServerList::createsTheEngineOfTheEntrysBackEnd()
{
    QTemporaryDir folder;
    const ServerEntry work{u"QUOLL_WORK"_s, ServerBackend::Embedded, {}, {}, {}, {}};
    std::unique_ptr<Engine> engine = createEngine(work, folder.path());
    QVERIFY(dynamic_cast<embedded::EmbeddedEngine *>(engine.get()));
    ParameterList parameters;
    fillConnectionParameters(parameters, work.name);
    engine->connect(parameters);
    // The built-in server keeps its data in its own folder under the servers folder.
    QVERIFY(QFileInfo(folder.filePath(u"quoll_work"_s)).isDir());
    engine->disconnect();

    const auto failure = [&folder](const ServerEntry &entry) {
        try {
            createEngine(entry, folder.path());
        } catch (const EngineError &e) {
            return e.message();
        }
        return QString();
    };
    // A sqlhosts server goes to the ODBC back end, a group too.
    QVERIFY(dynamic_cast<odbc::OdbcEngine *>(
        createEngine({u"prod"_s, ServerBackend::Odbc, u"onsoctcp"_s, u"db1"_s, u"9088"_s, {}}, folder.path()).get()));
    QVERIFY(dynamic_cast<odbc::OdbcEngine *>(
        createEngine({u"shop"_s, ServerBackend::Odbc, u"group"_s, u"-"_s, u"-"_s, {}}, folder.path()).get()));
    QCOMPARE(failure({u"nosuch"_s, ServerBackend::Embedded, {}, {}, {}, {}}),
             u"nosuch is not one of the built-in servers."_s);
}

QUOLL_TEST(TstServerList);
#include "tst_serverlist.moc"
