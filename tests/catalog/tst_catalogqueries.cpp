#include "embeddedfixture.h"
#include "testregistry.h"

#include "catalog/catalogqueries.h"
#include "catalog/namefilter.h"
#include "connection/engine/query.h"
#include "connection/sessionqueries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;


// The statements the window and the catalog browser send, against a real
// embedded server: each returns the rows the browser expects.
class TstCatalogQueries : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void nameFilterBuildsItsCondition_data();
    void nameFilterBuildsItsCondition();
    void tableListKeepsTheFilteredNames_data();
    void tableListKeepsTheFilteredNames();
    void sessionStatementsAnswer();
    void columnQueryDecodesDefaults();
    void indexQueryListsKeyParts();
    void constraintQueryNamesReferencedTables();
    void triggerQueriesGiveTheTextBack();
    void routineQueriesListAndGiveTheTextBack();
    void viewTextComesBackWhole();

private:
    std::unique_ptr<EmbeddedFixture> m_f;
    int m_customer = 0;
    int m_orders = 0;
};

const QString ViewStatement = u"create view big_orders (num, amount, who) as\n"
                              "  select o.num, o.amount, c.name from orders o, customer c\n"
                              "   where o.customer = c.id and o.amount > 100"_s;
const QString ProcedureStatement = u"create procedure touch (a integer)\n"
                                   "    update customer set city = 'y' where id = a;\n"
                                   "end procedure"_s;
const QString TriggerStatement = u"create trigger tr_orders_ins insert on orders referencing new as n\n"
                                 "  for each row (update customer set city = 'x' where id = n.customer)"_s;

void TstCatalogQueries::initTestCase()
{
    m_f = std::make_unique<EmbeddedFixture>(u"tester"_s);
    m_f->useNewDatabase(u"shop"_s);
    m_f->run(u"create table customer (id serial primary key constraint pk_customer, name char(20) not null, "
             "city varchar(30) default 'Moscow', created date default today, note char(10) default null)"_s);
    m_f->run(u"create table orders (num serial, customer integer references customer (id) "
             "constraint fk_orders_customer, amount decimal(8,2) check (amount >= 0), primary key (num))"_s);
    m_f->run(u"create index ix_orders_cust on orders (customer, num desc)"_s);
    m_f->run(u"create unique cluster index ux_customer_name on customer (name)"_s);
    m_f->run(ViewStatement);
    m_f->run(TriggerStatement);
    m_f->run(ProcedureStatement + u" document 'Touches one customer.'"_s);
    m_f->run(u"create function twice (a integer) returning integer; return a * 2; end function"_s);
    m_f->run(u"create role clerk"_s);
    m_f->run(u"grant clerk to 'tester'"_s);
    for (const QString &name : {u"cp_one"_s, u"cp_two"_s, u"workplace"_s, u"mytbl"_s, u"Upper"_s, u"x1tbl"_s})
        m_f->run(u"create table %1 (a integer)"_s.arg(name));
    m_customer = m_f->rows(u"select tabid from systables where tabname = 'customer'"_s).value(0).toInt();
    m_orders = m_f->rows(u"select tabid from systables where tabname = 'orders'"_s).value(0).toInt();
    QCOMPARE(m_customer, 100);
    QCOMPARE(m_orders, 101);
}

void TstCatalogQueries::nameFilterBuildsItsCondition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("condition");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("semicolons only") << u";;"_s << QString();
    QTest::newRow("one") << u"*tbl"_s << u" and (tabname matches \"*tbl\")"_s;
    QTest::newRow("three") << u"*tbl;workp*;cp*"_s
                           << u" and (tabname matches \"*tbl\" or tabname matches \"workp*\" or tabname matches \"cp*\")"_s;
    QTest::newRow("blanks and empty pieces") << u" cp* ;;"_s << u" and (tabname matches \"cp*\")"_s;
    QTest::newRow("blank piece") << u"a; ;b"_s
                                 << u" and (tabname matches \"a\" or tabname matches \"\" or tabname matches \"b\")"_s;
    QTest::newRow("tab and case kept") << u"\tSYS*\t"_s << u" and (tabname matches \"SYS*\")"_s;
}

void TstCatalogQueries::nameFilterBuildsItsCondition()
{
    QFETCH(QString, text);
    QFETCH(QString, condition);
    QCOMPARE(catalog::nameFilterCondition(text, u"tabname"_s), condition);
}

void TstCatalogQueries::tableListKeepsTheFilteredNames_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("suffix") << u"*tbl"_s << QStringList{u"mytbl"_s, u"x1tbl"_s};
    QTest::newRow("alternatives") << u"*tbl;workp*;cp*"_s
                                  << QStringList{u"cp_one"_s, u"cp_two"_s, u"mytbl"_s, u"workplace"_s, u"x1tbl"_s};
    QTest::newRow("one character") << u"cp_tw?"_s << QStringList{u"cp_two"_s};
    QTest::newRow("brackets") << u"[mx]*"_s << QStringList{u"mytbl"_s, u"x1tbl"_s};
    // Names are kept in lower case; the pattern's case matters.
    QTest::newRow("case matters") << u"UP*"_s << QStringList{};
    QTest::newRow("lower case") << u"up*"_s << QStringList{u"upper"_s};
    QTest::newRow("views too") << u"big*"_s << QStringList{u"big_orders"_s};
    QTest::newRow("catalog tables") << u"sysproc*"_s
                                    << QStringList{u"sysprocauth"_s, u"sysprocbody"_s, u"sysprocedures"_s};
}

void TstCatalogQueries::tableListKeepsTheFilteredNames()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, names);
    Query query(m_f->database, catalog::tableListQuery(catalog::nameFilterCondition(filter, u"tabname"_s)), false);
    query.open();
    QStringList found;
    for (; !query.atEnd(); query.next()) {
        QCOMPARE(query.fields().size(), 10);
        found.append(query.text(0));
    }
    QCOMPARE(found, names);
}

void TstCatalogQueries::sessionStatementsAnswer()
{
    EmbeddedFixture f(u"maria"_s);
    f.useNewDatabase(u"other"_s);
    f.run(u"database sysmaster"_s);
    Database &db = f.database;
    const QStringList caption = f.rowsWith(QString::fromLatin1(SessionQuery::UserAndVersion));
    QCOMPARE(caption.size(), 1);
    QVERIFY(caption.first().startsWith(u"maria|Quoll Embedded Server Version 9.40"_s));
    QCOMPARE(f.rowsWith(QString::fromLatin1(SessionQuery::MajorVersion)), QStringList{u"9"_s});
    db.execute(QString::fromLatin1(SessionQuery::DirtyRead));
    QStringList databases = f.rowsWith(QString::fromLatin1(SessionQuery::DatabaseList));
    databases.sort();
    QCOMPARE(databases, (QStringList{u"other"_s, u"sysmaster"_s}));
    db.execute(QString::fromLatin1(SessionQuery::CommittedRead));
    db.execute(QString::fromLatin1(SessionQuery::DatabasePrefix) + u"other"_s);
    QCOMPARE(f.rowsWith(QString::fromLatin1(SessionQuery::RoleList)), QStringList{});

    QCOMPARE(m_f->rowsWith(QString::fromLatin1(SessionQuery::RoleList)), QStringList{u"clerk"_s});
    m_f->database.execute(QString::fromLatin1(SessionQuery::SetRolePrefix) + u"clerk"_s);
    QCOMPARE(m_f->engine->executeDirect(u"set role manager"_s).status, quint16(StatusSqlError));
}

void TstCatalogQueries::columnQueryDecodesDefaults()
{
    QCOMPARE(m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Fields), u"tabid"_s, m_customer),
             (QStringList{u"id|262|4|1||"_s, u"name|256|20|2||"_s, u"city|13|30|3|L|Moscow"_s,
                          u"created|7|4|4|T|"_s, u"note|0|10|5|N|"_s}));
    // A view's columns are listed too.
    const int view = m_f->rows(u"select tabid from systables where tabname = 'big_orders'"_s).value(0).toInt();
    QCOMPARE(m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Fields), u"tabid"_s, view).size(), 3);
}

void TstCatalogQueries::indexQueryListsKeyParts()
{
    QStringList rows = m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Indexes), u"tabid"_s, m_orders);
    rows.sort();
    // The primary key's and the foreign key's indexes, named with a
    // leading blank, and the user's index with its descending part.
    QCOMPARE(rows.size(), 3);
    const QString zeros = u"|0|0|0|0|0|0|0|0|0|0|0|0|0|0"_s;
    QVERIFY2(rows.contains(u"ix_orders_cust|D |2|-1"_s + zeros), qPrintable(rows.join(u'\n')));
    QCOMPARE(std::count_if(rows.begin(), rows.end(),
                           [&](const QString &r) { return r.startsWith(u' ') && r.endsWith(u"|U |1|0"_s + zeros); }),
             1);
    QCOMPARE(std::count_if(rows.begin(), rows.end(),
                           [&](const QString &r) { return r.startsWith(u' ') && r.endsWith(u"|D |2|0"_s + zeros); }),
             1);
    QCOMPARE(m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Indexes), u"tabid"_s, m_customer).filter(u"ux_customer"_s),
             QStringList{u"ux_customer_name|UC|2|0"_s + zeros});
    QCOMPARE(m_f->rows(u"select nindexes from systables where tabid = %1"_s.arg(m_orders)), QStringList{u"3"_s});
}

void TstCatalogQueries::constraintQueryNamesReferencedTables()
{
    QStringList rows = m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Constraints), u"tabid"_s, m_orders);
    rows.sort();
    QCOMPARE(rows.size(), 3);
    QVERIFY2(rows.filter(u"fk_orders_customer|R| "_s).size() == 1, qPrintable(rows.join(u'\n')));
    QVERIFY(rows.filter(u"fk_orders_customer"_s).first().endsWith(u"|customer"_s));
    QCOMPARE(rows.filter(QRegularExpression(u"^c101_\\d+\\|C\\|\\|$"_s)).size(), 1);
    QCOMPARE(rows.filter(QRegularExpression(u"^u101_\\d+\\|P\\| 101_\\d+\\|$"_s)).size(), 1);
    const QStringList customer = m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Constraints), u"tabid"_s, m_customer);
    QVERIFY(customer.filter(QRegularExpression(u"^pk_customer\\|P\\| 100_\\d+\\|$"_s)).size() == 1);
    QVERIFY(customer.filter(QRegularExpression(u"^n100_\\d+\\|N\\|\\|$"_s)).size() >= 1);
}

void TstCatalogQueries::triggerQueriesGiveTheTextBack()
{
    const QStringList triggers = m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::Triggers), u"tabid"_s, m_orders);
    QCOMPARE(triggers.size(), 1);
    const QStringList fields = triggers.first().split(u'|');
    QCOMPARE(fields.mid(1), (QStringList{u"tr_orders_ins"_s, u"tester"_s, u"I"_s, QString(), u"n"_s}));
    const int trigid = fields.first().toInt();
    const QString head = m_f->readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerHead), u"trigid"_s, trigid);
    const QString body = m_f->readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerBody), u"trigid"_s, trigid);
    QVERIFY(!head.isEmpty());
    QVERIFY(!body.isEmpty());
    QCOMPARE(head + body, TriggerStatement);
}

void TstCatalogQueries::routineQueriesListAndGiveTheTextBack()
{
    Query list(m_f->database, catalog::procListQuery(u"9"_s, catalog::nameFilterCondition(u"t*"_s, u"procname"_s)),
               false);
    list.open();
    QStringList routines;
    int procid = 0;
    for (; !list.atEnd(); list.next()) {
        routines.append(list.text(0) + u'|' + list.text(1) + u'|' + list.text(3) + u'|' + list.text(4));
        if (list.text(0) == u"touch"_s)
            procid = list.text(2).toInt();
    }
    QCOMPARE(routines, (QStringList{u"touch|tester|O|t"_s, u"twice|tester|O|f"_s}));
    QCOMPARE(m_f->readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcBody), u"procid"_s, procid), ProcedureStatement);
    QVERIFY(m_f->readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcDocument), u"procid"_s, procid)
                .contains(u"Touches one customer."_s));
    QCOMPARE(m_f->rowsWith(QString::fromLatin1(catalog::CatalogQuery::ProcAuth), u"procid"_s, procid),
             QStringList{u"tester|public|e"_s});
    // The other servers' list has four columns.
    Query other(m_f->database, catalog::procListQuery(u"10"_s, {}), false);
    other.open();
    QCOMPARE(other.fields().size(), 4);
}

void TstCatalogQueries::viewTextComesBackWhole()
{
    const int view = m_f->rows(u"select tabid from systables where tabname = 'big_orders'"_s).value(0).toInt();
    const QString text = m_f->readPieces(QString::fromLatin1(catalog::CatalogQuery::ViewText), u"tabid"_s, view);
    QVERIFY(text.size() > 64);
    QVERIFY2(text.contains(u"select o.num, o.amount, c.name from orders o, customer c"_s), qPrintable(text));
    QCOMPARE(m_f->rows(u"select count(*) from sysviews where tabid = %1"_s.arg(view)),
             QStringList{QString::number((text.size() + 63) / 64)});
}

QUOLL_TEST(TstCatalogQueries);
#include "tst_catalogqueries.moc"
