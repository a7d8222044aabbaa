#include "embeddedfixture.h"
#include "testregistry.h"

#include "connection/builtin/builtinservers.h"
#include "connection/builtin/demodatabases.h"
#include "connection/embedded/server/embeddedengine.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;

namespace {

// A connection to a built-in server kept in a temporary folder.
struct BuiltinConnection
{
    embedded::EmbeddedEngine *engine = nullptr;
    Database database;

    BuiltinConnection(const QString &serversFolder, const QString &server, const QString &user)
    {
        auto owned = std::make_unique<embedded::EmbeddedEngine>(builtin::builtinServer(server, serversFolder));
        engine = owned.get();
        database.setEngine(std::move(owned));
        database.parameters().setValue(u"DATABASE NAME"_s, u"sysmaster"_s);
        database.parameters().setValue(u"USER NAME"_s, user);
        database.open();
    }

    QStringList rows(const QString &sql) { return testing::EmbeddedFixture::resultRows(*engine, sql); }

    QString value(const QString &sql)
    {
        const QStringList all = rows(sql);
        return all.isEmpty() ? QString() : all.first();
    }
};

} // namespace

// The built-in servers and the demo databases the demo server makes.
class TstDemoDatabases : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fourBuiltinServersAreKnown();
    void demoServerListsItsDatabases();
    void demoTablesUseEveryColumnType();
    void demoHasDefaultsIndexesAndConstraintsOfEveryKind();
    void demoHasViewsTriggersRoutinesAndRoles();
    void demoHasItsLargeAndWideTables();
    void generationIsDeterministic();
    void failedGenerationLeavesNoServer();

private:
    QTemporaryDir m_folder;
    std::unique_ptr<BuiltinConnection> m_demo;
};

void TstDemoDatabases::initTestCase()
{
    QElapsedTimer timer;
    timer.start();
    m_demo = std::make_unique<BuiltinConnection>(m_folder.path(), u"quoll_demo"_s, u"anna"_s);
    qInfo("demo server generated in %lld ms", timer.elapsed());
    m_demo->database.execute(u"database demo"_s);
}

void TstDemoDatabases::fourBuiltinServersAreKnown()
{
    const QStringList names = builtin::builtinServerNames();
    QCOMPARE(names.size(), 4);
    QVERIFY(names.contains(QString::fromLatin1(builtin::DemoServerName)));
    QVERIFY(builtin::isBuiltinServer(u"QUOLL_Demo"_s));
    QVERIFY(!builtin::isBuiltinServer(u"ol_remote"_s));
    // Servers other than the demo start empty.
    BuiltinConnection plain(m_folder.path(), names.last(), u"anna"_s);
    QCOMPARE(plain.rows(u"select name from sysdatabases"_s), QStringList{u"sysmaster"_s});
}

void TstDemoDatabases::demoServerListsItsDatabases()
{
    m_demo->database.execute(u"database sysmaster"_s);
    QCOMPARE(m_demo->rows(u"select name, is_logging from sysdatabases order by name"_s),
             (QStringList{u"demo|1"_s, u"demo_hr|0"_s, u"demo_wide|1"_s, u"sysmaster|1"_s}));
    m_demo->database.execute(u"database demo"_s);
}

void TstDemoDatabases::demoTablesUseEveryColumnType()
{
    // CHAR, SMALLINT, INTEGER, FLOAT, SMALLFLOAT, DECIMAL, SERIAL, DATE, MONEY,
    // DATETIME, BYTE, TEXT, VARCHAR, INTERVAL, NCHAR, NVARCHAR, INT8, SERIAL8,
    // LVARCHAR, BOOLEAN/BLOB/CLOB, BIGINT, BIGSERIAL.
    const QStringList codes = m_demo->rows(u"select distinct mod(coltype, 256) from syscolumns "
                                             "where tabid >= 100 order by 1"_s);
    for (const int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15, 16, 17, 18, 40, 41, 52, 53})
        QVERIFY2(codes.contains(QString::number(code)), qPrintable(u"no column of type %1"_s.arg(code)));
    QVERIFY(m_demo->value(u"select count(*) from systables where tabid >= 100 and tabtype = 'T'"_s).toInt() >= 8);
}

void TstDemoDatabases::demoHasDefaultsIndexesAndConstraintsOfEveryKind()
{
    QCOMPARE(m_demo->rows(u"select distinct type from sysdefaults order by 1"_s),
             (QStringList{u"C"_s, u"L"_s, u"N"_s, u"S"_s, u"T"_s, u"U"_s}));
    QCOMPARE(m_demo->rows(u"select distinct constrtype from sysconstraints order by 1"_s),
             (QStringList{u"C"_s, u"N"_s, u"P"_s, u"R"_s, u"U"_s}));
    QVERIFY(m_demo->value(u"select count(*) from sysreferences"_s).toInt() >= 5);
    // Composite, unique, clustered and descending user indexes.
    QCOMPARE(m_demo->value(u"select idxtype || clustered from sysindexes where idxname = 'cx_orders_date'"_s),
             u"DC"_s);
    QCOMPARE(m_demo->value(u"select idxtype from sysindexes where idxname = 'ux_customer_phone'"_s), u"U"_s);
    QCOMPARE(m_demo->value(u"select part1, part2 from sysindexes where idxname = 'ix_orders_recent'"_s),
             u"3|-2"_s);
    QVERIFY(m_demo->value(u"select count(*) from sysindexes where part2 <> 0 and idxname not like ' %'"_s).toInt() >= 3);
}

void TstDemoDatabases::demoHasViewsTriggersRoutinesAndRoles()
{
    QCOMPARE(m_demo->rows(u"select tabname from systables where tabtype = 'V' order by 1"_s),
             (QStringList{u"california_customers"_s, u"order_totals"_s}));
    QVERIFY(m_demo->value(u"select max(seqno) from sysviews v, systables t "
                          "where v.tabid = t.tabid and t.tabname = 'order_totals'"_s).toInt() >= 2);
    QVERIFY(!m_demo->rows(u"select * from order_totals"_s).isEmpty());

    QCOMPARE(m_demo->rows(u"select trigname, event from systriggers order by 1"_s),
             (QStringList{u"tr_customer_delete|D"_s, u"tr_orders_insert|I"_s, u"tr_stock_price|U"_s}));
    QCOMPARE(m_demo->rows(u"select distinct datakey from systrigbody order by 1"_s),
             (QStringList{u"A"_s, u"D"_s}));

    QCOMPARE(m_demo->rows(u"select procname, isproc, mode from sysprocedures order by 1"_s),
             (QStringList{u"customer_orders|f|O"_s, u"order_total|f|O"_s, u"purge_readings|t|D"_s,
                          u"raise_prices|t|O"_s}));
    QVERIFY(m_demo->value(u"select max(seqno) from sysprocbody b, sysprocedures p where b.procid = p.procid "
                          "and p.procname = 'raise_prices' and datakey = 'T'"_s).toInt() >= 1);
    QVERIFY(m_demo->value(u"select count(*) from sysprocbody where datakey = 'D'"_s).toInt() >= 3);

    QCOMPARE(m_demo->rows(u" Select rolename From sysroleauth Where grantee = user order by 1"_s),
             (QStringList{u"clerk"_s, u"manager"_s}));
}

void TstDemoDatabases::demoHasItsLargeAndWideTables()
{
    QCOMPARE(m_demo->value(u"select count(*) from sensor_readings"_s), u"100000"_s);
    QCOMPARE(m_demo->value(u"select nrows from systables where tabname = 'sensor_readings'"_s).toDouble(), 100000.0);
    m_demo->database.execute(u"database demo_wide"_s);
    QCOMPARE(m_demo->value(u"select count(*) from systables where tabid >= 100"_s),
             QString::number(builtin::DemoDatabase::WideTables));
    m_demo->database.execute(u"database demo_hr"_s);
    QVERIFY(m_demo->value(u"select count(*) from employee"_s).toInt() > 0);
    m_demo->database.execute(u"database demo"_s);
}

void TstDemoDatabases::generationIsDeterministic()
{
    QTemporaryDir other;
    BuiltinConnection second(other.path(), u"quoll_demo"_s, u"anna"_s);
    second.database.execute(u"database demo"_s);
    // Everything but the dates of creation and the defaults that record
    // the moment of the insert.
    const QStringList queries{
        u"select * from customer order by customer_num"_s, u"select * from orders order by order_num"_s,
        u"select * from items order by order_num, item_num"_s, u"select * from stock order by 1, 2"_s,
        u"select reading_id, sensor_id, taken_at, reading, raw_value, counter, status, note "
        "from sensor_readings order by 1"_s,
        u"select tabname, tabid, ncols, rowsize, nindexes from systables order by tabid"_s,
        u"select * from syscolumns order by tabid, colno"_s, u"select * from sysindexes order by tabid, idxname"_s,
        u"select * from sysconstraints order by constrid"_s, u"select * from sysprocbody order by 1, 2, 3"_s,
        u"select * from systrigbody order by 1, 2, 3"_s, u"select * from sysviews order by 1, 2"_s};
    for (const QString &sql : queries) {
        const QStringList mine = m_demo->rows(sql);
        QVERIFY2(!mine.isEmpty(), qPrintable(sql));
        QVERIFY2(mine == second.rows(sql), qPrintable(sql));
    }
}

void TstDemoDatabases::failedGenerationLeavesNoServer()
{
    QTemporaryDir folder;
    embedded::EmbeddedServer server(u"broken"_s, folder.filePath(u"broken"_s));
    server.setSeed([](const embedded::EmbeddedServer &building, const QString &) {
        embedded::EmbeddedEngine engine(building);
        ParameterList parameters;
        engine.connect(parameters);
        engine.execute(u"create database half"_s);
        throw EngineError(-1, u"interrupted"_s);
    });
    QVERIFY_THROWS_EXCEPTION(EngineError, server.ensureExists(u"anna"_s));
    QVERIFY(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

QUOLL_TEST(TstDemoDatabases);
#include "tst_demodatabases.moc"
