#include "embeddedfixture.h"
#include "testregistry.h"

#include "catalog/catalogqueries.h"

#include "connection/embedded/catalog/catalogtext.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/embedded/sql/selectlist.h"
#include "connection/embedded/sql/sqllexer.h"
#include "connection/engine/query.h"
#include "connection/sessionqueries.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {


// The native code a statement fails with (0 when it succeeds).
int failureOf(EmbeddedFixture &f, const QString &sql)
{
    f.engine->executeDirect(sql);
    return f.engine->lastError().nativeCode;
}

// Where the last failure was reported, counted from 1 as the server counts.
int failedAt(EmbeddedFixture &f)
{
    return f.engine->communicationArea().errorOffset;
}

} // namespace

// Views, triggers, routines and roles are kept in the system catalog as an
// Informix server keeps them, their texts in pieces the browser joins back.
class TstCatalogObjects : public QObject
{
    Q_OBJECT

private slots:
    void piecesJoinBackToTheText_data();
    void piecesJoinBackToTheText();
    void selectListItemsAreNamedAndTyped();
    void viewIsQueryableAndCatalogued();
    void viewStatementsFailAsOnAServer();
    void droppingATableOrViewDropsTheViewsOnIt();
    void triggerIsKeptInTheCatalogButNotRun();
    void triggerStatementsFailAsOnAServer();
    void routineIsKeptWithItsTextAndDocument();
    void routinesAreDroppedGrantedAndNotRun();
    void rolesAreGrantedListedAndSet();
    void tablePrivilegesAreCheckedAndAccepted();
};

void TstCatalogObjects::piecesJoinBackToTheText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("pieces");
    QTest::newRow("empty") << QString() << 64 << 0;
    QTest::newRow("shorter than a piece") << u"create view v as select * from t"_s << 64 << 1;
    QTest::newRow("exact multiple") << QString(128, u'x') << 64 << 2;
    QTest::newRow("one past a multiple") << QString(257, u'y') << 256 << 2;
    QTest::newRow("blanks at piece ends") << (QString(60, u'a') + u"    "_s + u"b   "_s + QString(60, u' ')) << 64 << 2;
    QTest::newRow("line breaks") << u"create procedure p()\r\n  let x = 1;\n\n\rend procedure\r\n"_s << 8 << 7;
    QTest::newRow("cyrillic") << u"Комментарий: сумма заказа за день, ещё раз."_s << 16 << 3;
    // A letter outside the basic plane is never cut in half.
    QTest::newRow("surrogate pair at a boundary") << (QString(63, u'z') + u"\U0001D11E tail"_s) << 64 << 2;
}

void TstCatalogObjects::piecesJoinBackToTheText()
{
    QFETCH(QString, text);
    QFETCH(int, length);
    QFETCH(int, pieces);
    const QStringList split = embedded::splitCatalogText(text, length);
    QCOMPARE(split.size(), pieces);
    QCOMPARE(split.join(QString()), text);
    for (const QString &piece : split) {
        QVERIFY(!piece.isEmpty());
        QVERIFY(piece.size() <= length);
        QVERIFY(!piece.back().isHighSurrogate());
    }
}

void TstCatalogObjects::selectListItemsAreNamedAndTyped()
{
    const QString sql = u"select distinct a, t.b, count(*) n, x + 1 as y, t.*, 'lit' l, max(a) + "
                        "(select 1 from u), \"s\" || b joined from t, u where a = 1"_s;
    const embedded::StatementTokens words(sql);
    const auto items = embedded::selectItems(words, 0, words.size());
    QStringList described;
    for (const embedded::SelectItem &item : items)
        described.append(u"%1:%2:%3:%4"_s.arg(item.named ? item.name : u"-"_s, item.star ? u"*"_s : QString(),
                                              item.plainColumn ? u"col"_s : QString(),
                                              item.star || item.plainColumn ? QString()
                                                                            : embedded::expressionType(sql, item.tokens)));
    QCOMPARE(described, (QStringList{u"a::col:"_s, u"b::col:"_s, u"n:::integer"_s, u"y:::decimal(32)"_s,
                                     u"-:*::"_s, u"l:::char(3)"_s, u"-:::decimal(32)"_s,
                                     u"joined:::varchar(255)"_s}));
}

void TstCatalogObjects::viewIsQueryableAndCatalogued()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"views"_s);
    f.run(u"create table customer (id integer not null, name char(20), city varchar(30))"_s);
    f.run(u"insert into customer values (1, 'Frank', 'Oslo')"_s);
    f.run(u"insert into customer values (2, 'frank', 'Rome')"_s);
    f.run(u"insert into customer values (3, 'Anna', 'Oslo')"_s);
    const QString statement =
        u"create view franks (num, who, place, label) as\n"
        "  select id, name, city, \"at \" || city\n"
        "    from customer\n"
        "   where name matches '[Ff]rank*'   \n"
        "with check option"_s;
    f.run(statement + u";"_s);
    QCOMPARE(f.rows(u"select num, who, label from franks order by num"_s),
             (QStringList{u"1|Frank|at Oslo"_s, u"2|frank|at Rome"_s}));
    QCOMPARE(f.rows(u"select tabname, owner, tabid, ncols, tabtype, nrows from systables where tabid >= 100 "
                    "order by tabid"_s),
             (QStringList{u"customer|ann|100|3|T|0"_s, u"franks|ann|101|4|V|0"_s}));
    // Columns of the table keep their types (without NOT NULL); the
    // concatenation is a VARCHAR(255).
    QCOMPARE(f.rows(u"select colname, colno, coltype, collength from syscolumns where tabid = 101 order by colno"_s),
             (QStringList{u"num|1|2|4"_s, u"who|2|0|20"_s, u"place|3|13|30"_s, u"label|4|13|255"_s}));
    // Longer than one piece: split at 64 characters and joined back whole.
    QCOMPARE(f.rows(u"select count(*), max(length(viewtext)) from sysviews where tabid = 101"_s),
             QStringList{u"3|64"_s});
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::ViewText), u"tabid"_s, 101), statement);

    // Expression columns named by aliases, typed from the expression.
    f.run(u"create view totals as select count(*) n, sum(id) total, 'x' flag, city from customer group by city"_s);
    QCOMPARE(f.rows(u"select colname, coltype, collength from syscolumns where tabid = 102 order by colno"_s),
             (QStringList{u"n|2|4"_s, u"total|5|8447"_s, u"flag|0|1"_s, u"city|13|30"_s}));
    QCOMPARE(f.rows(u"select city, n from totals order by city"_s), (QStringList{u"Oslo|2"_s, u"Rome|1"_s}));

    // An Informix OUTER join in a view keeps the rows without a match.
    f.run(u"create table orders (id integer, customer integer)"_s);
    f.run(u"insert into orders values (10, 1)"_s);
    f.run(u"create view custorders as select c.id, o.id order_id from customer c, outer orders o "
          "where c.id = o.customer"_s);
    QCOMPARE(f.rows(u"select id, order_id from custorders order by id"_s),
             (QStringList{u"1|10"_s, u"2|"_s, u"3|"_s}));
}

void TstCatalogObjects::viewStatementsFailAsOnAServer()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"viewerrors"_s);
    f.run(u"create table t (a integer, b char(5))"_s);
    f.run(u"create view v as select a from t"_s);
    QCOMPARE(failureOf(f, u"drop view nothing"_s), int(embedded::InformixCode::ViewNotFound));
    QCOMPARE(failureOf(f, u"drop view t"_s), int(embedded::InformixCode::ViewNotFound));
    QCOMPARE(failureOf(f, u"drop table v"_s), int(embedded::InformixCode::OnlyOnTables));
    QCOMPARE(failureOf(f, u"create view v2 (x, y) as select a from t"_s),
             int(embedded::InformixCode::ViewColumnCountMismatch));
    QCOMPARE(failureOf(f, u"create view v3 as select a + 1 from t"_s), int(embedded::InformixCode::ViewNeedsColumnNames));
    QCOMPARE(failureOf(f, u"create view t as select a from t"_s), int(embedded::InformixCode::TableAlreadyExists));
    QCOMPARE(failureOf(f, u"create view v4 as select a, b a from t"_s), int(embedded::InformixCode::DuplicateViewColumn));
    QCOMPARE(failureOf(f, u"create view v5 as select a from missing"_s), int(embedded::InformixCode::TableNotInDatabase));
    QCOMPARE(failedAt(f), 33);
    QCOMPARE(failureOf(f, u"create view v6 as select b, b from t"_s), int(embedded::InformixCode::DuplicateViewColumn));
    // None of the failures left anything behind.
    QCOMPARE(f.rows(u"select tabname from systables where tabid >= 100 order by tabid"_s),
             (QStringList{u"t"_s, u"v"_s}));
    QCOMPARE(f.rows(u"select count(*) from syscolumns where tabid >= 100"_s), QStringList{u"3"_s});
    QCOMPARE(f.rows(u"select count(*) from sysviews"_s), QStringList{u"1"_s});
}

void TstCatalogObjects::droppingATableOrViewDropsTheViewsOnIt()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"dropviews"_s);
    f.run(u"create table t (a integer)"_s);
    f.run(u"create table other (z integer)"_s);
    f.run(u"create view v1 as select a from t"_s);
    f.run(u"create view v2 as select a from v1"_s);
    f.run(u"create view keep as select z from other"_s);
    QCOMPARE(failureOf(f, u"drop view v1 restrict"_s), int(embedded::InformixCode::DependentObjectsExist));
    QCOMPARE(f.rows(u"select count(*) from v2"_s), QStringList{u"0"_s});
    f.run(u"drop view v1"_s);
    QCOMPARE(f.rows(u"select tabname from systables where tabid >= 100 order by tabid"_s),
             (QStringList{u"t"_s, u"other"_s, u"keep"_s}));
    f.run(u"create view v3 as select a from t"_s);
    f.run(u"drop table t"_s);
    QCOMPARE(f.rows(u"select tabname from systables where tabid >= 100 order by tabid"_s),
             (QStringList{u"other"_s, u"keep"_s}));
    QCOMPARE(f.rows(u"select tabid, count(*) from sysviews group by tabid"_s), QStringList{u"104|1"_s});
    QCOMPARE(f.rows(u"select count(*) from syscolumns where tabid in (100, 102, 103, 105)"_s), QStringList{u"0"_s});
    QCOMPARE(failureOf(f, u"select * from v3"_s), int(embedded::InformixCode::TableNotInDatabase));
}

void TstCatalogObjects::triggerIsKeptInTheCatalogButNotRun()
{
    EmbeddedFixture f(u"bob"_s);
    f.useNewDatabase(u"triggers"_s);
    f.run(u"create table item (id integer, price decimal(8,2))"_s);
    f.run(u"create table pricelog (id integer, old decimal(8,2), new decimal(8,2))"_s);
    const QString header = u"create trigger upd_price update of price on item\n  referencing old as pre new as post\n  "_s;
    const QString body = u"for each row\n    (insert into pricelog values (pre.id, pre.price, post.price)"_s + QString(300, u' ')
                         + u")"_s;
    f.run(header + body);
    f.run(u"create trigger ins_item insert on item referencing new n for each row (insert into pricelog values (n.id, null, n.price))"_s);
    f.run(u"create trigger del_item delete on item before (delete from pricelog) after (delete from pricelog)"_s);
    f.run(u"create trigger sel_item select on item for each row (insert into pricelog values (0, 0, 0))"_s);
    QCOMPARE(f.rowsWith(QString::fromLatin1(catalog::CatalogQuery::Triggers), u"tabid"_s, 100),
             (QStringList{u"1|upd_price|bob|U|pre|post"_s, u"2|ins_item|bob|I||n"_s,
                          u"3|del_item|bob|D||"_s, u"4|sel_item|bob|S||"_s}));
    QVERIFY(f.rowsWith(QString::fromLatin1(catalog::CatalogQuery::Triggers), u"tabid"_s, 101).isEmpty());
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerHead), u"trigid"_s, 1), header);
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerBody), u"trigid"_s, 1), body);
    QCOMPARE(f.rows(u"select datakey, count(*) from systrigbody where trigid = 1 group by datakey order by 1"_s),
             (QStringList{u"A|2"_s, u"D|1"_s}));
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerHead), u"trigid"_s, 3) + f.readPieces(QString::fromLatin1(catalog::CatalogQuery::TriggerBody), u"trigid"_s, 3),
             u"create trigger del_item delete on item before (delete from pricelog) after (delete from pricelog)"_s);
    // The embedded server keeps triggers but does not run their actions.
    f.run(u"insert into item values (1, 9.5)"_s);
    f.run(u"update item set price = 10 where id = 1"_s);
    QCOMPARE(f.rows(u"select count(*) from pricelog"_s), QStringList{u"0"_s});

    f.run(u"drop trigger upd_price"_s);
    QCOMPARE(f.rows(u"select count(*) from systrigbody where trigid = 1"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select trigname from systriggers order by trigid"_s),
             (QStringList{u"ins_item"_s, u"del_item"_s, u"sel_item"_s}));
    // A view takes INSTEAD OF triggers, stored with a lower-case event.
    f.run(u"create view items as select id, price from item"_s);
    f.run(u"create trigger io_ins instead of insert on items referencing new as n for each row "
          "(insert into item values (n.id, n.price))"_s);
    QCOMPARE(f.rows(u"select event, trigid from systriggers where trigname = 'io_ins'"_s), QStringList{u"i|5"_s});
}

void TstCatalogObjects::triggerStatementsFailAsOnAServer()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"trigerrors"_s);
    f.run(u"create table t (a integer)"_s);
    f.run(u"create view v as select a from t"_s);
    f.run(u"create trigger tr insert on t for each row (delete from t)"_s);
    QCOMPARE(failureOf(f, u"create trigger tx insert on missing for each row (delete from t)"_s),
             int(embedded::InformixCode::TableNotInDatabase));
    QCOMPARE(f.engine->lastError().context, u"The specified table (missing) is not in the database."_s);
    QCOMPARE(failedAt(f), 29);
    QCOMPARE(failureOf(f, u"create trigger tr delete on t for each row (delete from t)"_s),
             int(embedded::InformixCode::ObjectAlreadyExists));
    QCOMPARE(failureOf(f, u"create trigger tx insert on t"_s), int(embedded::InformixCode::TriggerHasNoAction));
    QCOMPARE(failureOf(f, u"create trigger tx insert on t referencing new as n after (delete from t)"_s),
             int(embedded::InformixCode::ReferencingWithoutForEachRow));
    QCOMPARE(failureOf(f, u"create trigger tx insert on v for each row (delete from t)"_s),
             int(embedded::InformixCode::TriggerOnView));
    QCOMPARE(failureOf(f, u"create trigger tx instead of insert on t for each row (delete from t)"_s),
             int(embedded::InformixCode::InsteadOfTriggerOnTable));
    QCOMPARE(failureOf(f, u"create trigger tx truncate on t for each row (delete from t)"_s),
             int(embedded::InformixCode::SyntaxError));
    QCOMPARE(failureOf(f, u"drop trigger nothing"_s), int(embedded::InformixCode::ObjectDoesNotExist));
    QCOMPARE(f.rows(u"select count(*) from systriggers"_s), QStringList{u"1"_s});
    // Dropping the table takes its triggers with it.
    f.run(u"drop view v"_s);
    f.run(u"drop table t"_s);
    QCOMPARE(f.rows(u"select (select count(*) from systriggers) + (select count(*) from systrigbody)"_s),
             QStringList{u"0"_s});
}

void TstCatalogObjects::routineIsKeptWithItsTextAndDocument()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"routines"_s);
    const QString procedure =
        u"create procedure add_item(p_id integer, p_name char(20) default 'none')\n"
        "  define n integer;\n"
        "  let n = 0;   \n"
        "  if p_id > 0 then\n"
        "    insert into item values (p_id, p_name);   -- semicolons inside\n"
        "  end if;\n"_s
        + QString(240, u' ') + u"\n  foreach select id into n from item end foreach;\nend procedure"_s;
    f.run(procedure + u"\ndocument 'Adds an item.', \"Second line; with a semicolon.\"\nwith listing in '/tmp/x.lst';"_s);
    const QString function = u"create dba function Total(c integer) returning decimal(10,2);\n"
                             "  return c * 2;\nend function"_s;
    f.run(function);
    QCOMPARE(f.rows(catalog::procListQuery(u"9"_s, {})),
             (QStringList{u"add_item|ann|1|O|t"_s, u"total|ann|2|D|f"_s}));
    QCOMPARE(f.rows(u"select numargs, paramstyle, paramtypes from sysprocedures order by procid"_s),
             (QStringList{u"2|I|integer,char(20)"_s, u"1|I|integer"_s}));
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcBody), u"procid"_s, 1), procedure);
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcDocument), u"procid"_s, 1), u"Adds an item.\nSecond line; with a semicolon."_s);
    QCOMPARE(f.rows(u"select count(*) from sysprocbody where procid = 1 and datakey = 'T'"_s), QStringList{u"2"_s});
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcBody), u"procid"_s, 2), function);
    QCOMPARE(f.readPieces(QString::fromLatin1(catalog::CatalogQuery::ProcDocument), u"procid"_s, 2), QString());
    // A database that is not ANSI lets everyone execute a new routine.
    QCOMPARE(f.rows(u"select grantor, grantee, procid, procauth from sysprocauth order by procid"_s),
             (QStringList{u"ann|public|1|e"_s, u"ann|public|2|e"_s}));
}

void TstCatalogObjects::routinesAreDroppedGrantedAndNotRun()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"routines2"_s);
    f.run(u"create procedure p(a integer) let a = 1; end procedure"_s);
    f.run(u"create procedure p(a char(5)) let a = 'x'; end procedure"_s);
    f.run(u"create function f() returning integer; return 1; end function"_s);
    QCOMPARE(failureOf(f, u"create procedure p(b integer) end procedure"_s),
             int(embedded::InformixCode::RoutineAlreadyExists));
    QCOMPARE(failureOf(f, u"create procedure q(b integer) let b = 1;"_s), int(embedded::InformixCode::SyntaxError));

    f.run(u"grant execute on f to bob with grant option"_s);
    f.run(u"grant execute on procedure p(char(5)) to carl, dora"_s);
    QCOMPARE(f.rows(u"select grantee, procid, procauth from sysprocauth where grantee <> 'public' order by 1"_s),
             (QStringList{u"bob|3|E"_s, u"carl|2|e"_s, u"dora|2|e"_s}));
    QCOMPARE(failureOf(f, u"grant execute on f to public with grant option"_s),
             int(embedded::InformixCode::PublicWithGrantOption));
    QCOMPARE(failureOf(f, u"grant execute on p to bob"_s), int(embedded::InformixCode::RoutineNotResolved));
    f.run(u"revoke execute on procedure p(char(5)) from carl"_s);
    QCOMPARE(f.rows(u"select grantee from sysprocauth where procid = 2 order by 1"_s),
             (QStringList{u"dora"_s, u"public"_s}));

    QCOMPARE(failureOf(f, u"execute procedure p(1)"_s), int(embedded::InformixCode::RoutineNotRun));
    QVERIFY(f.engine->lastError().context.contains(u"does not run stored routines"_s));
    QCOMPARE(failureOf(f, u"execute function f()"_s), int(embedded::InformixCode::RoutineNotRun));
    QCOMPARE(failureOf(f, u"call f()"_s), int(embedded::InformixCode::RoutineNotRun));
    QCOMPARE(failureOf(f, u"execute procedure nothing()"_s), int(embedded::InformixCode::RoutineNotResolved));
    QCOMPARE(f.engine->lastError().context, u"Routine (nothing) can not be resolved."_s);

    QCOMPARE(failureOf(f, u"drop procedure nothing"_s), int(embedded::InformixCode::RoutineNotResolved));
    QCOMPARE(failedAt(f), 16);
    QCOMPARE(failureOf(f, u"drop procedure f"_s), int(embedded::InformixCode::RoutineNotResolved));
    QCOMPARE(failureOf(f, u"drop procedure p"_s), int(embedded::InformixCode::RoutineNotResolved));
    f.run(u"drop procedure p(integer)"_s);
    f.run(u"drop function f"_s);
    QCOMPARE(f.rows(u"select procid, paramtypes from sysprocedures"_s), QStringList{u"2|char(5)"_s});
    QCOMPARE(f.rows(u"select distinct procid from sysprocbody"_s), QStringList{u"2"_s});
    QCOMPARE(f.rows(u"select distinct procid from sysprocauth"_s), QStringList{u"2"_s});
    f.run(u"drop procedure p"_s);
    f.run(u"create procedure again() end procedure"_s);
    QCOMPARE(f.rows(u"select procid from sysprocedures"_s), QStringList{u"4"_s});
}

void TstCatalogObjects::rolesAreGrantedListedAndSet()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"roles"_s);
    f.run(u"create role clerk"_s);
    f.run(u"create role 'Boss'"_s);
    f.run(u"create role everyone"_s);
    QCOMPARE(failureOf(f, u"create role clerk"_s), int(embedded::InformixCode::RoleNameInUse));
    f.run(u"grant clerk to ann"_s);
    f.run(u"grant 'Boss' to ann, bob with grant option"_s);
    QCOMPARE(failureOf(f, u"grant Boss to ann"_s), int(embedded::InformixCode::RoleDoesNotExist));
    QCOMPARE(failureOf(f, u"grant nothing to ann"_s), int(embedded::InformixCode::RoleDoesNotExist));
    QCOMPARE(f.rows(u"select username, usertype from sysusers order by 1"_s),
             (QStringList{u"Boss|G"_s, u"clerk|G"_s, u"everyone|G"_s}));
    QCOMPARE(f.rows(u"select rolename, grantee, is_grantable from sysroleauth order by 2, 1"_s),
             (QStringList{u"Boss|ann|Y"_s, u"clerk|ann|N"_s, u"Boss|bob|Y"_s}));
    QCOMPARE(f.rows(QString::fromLatin1(SessionQuery::RoleList) + u" order by 1"_s), (QStringList{u"Boss"_s, u"clerk"_s}));

    f.run(u"set role clerk"_s);
    f.run(u"set role 'Boss'"_s);
    f.run(u"set role none"_s);
    f.run(u"set role null"_s);
    QCOMPARE(failureOf(f, u"set role everyone"_s), int(embedded::InformixCode::NoPrivilegeToSetRole));
    QCOMPARE(failureOf(f, u"set role nothing"_s), int(embedded::InformixCode::RoleDoesNotExist));
    f.run(u"grant everyone to public"_s);
    f.run(u"set role everyone"_s);
    // The role picker sets the role through a query object.
    Query setRole(f.database, u"set role clerk"_s);
    setRole.execute();
    setRole.setText(u"set role nothing"_s);
    try {
        setRole.execute();
        QFAIL("set role of an unknown role succeeded");
    } catch (const EngineError &e) {
        QCOMPARE(e.nativeCode(), int(embedded::InformixCode::RoleDoesNotExist));
    }

    f.run(u"revoke clerk from ann"_s);
    QCOMPARE(failureOf(f, u"set role clerk"_s), int(embedded::InformixCode::NoPrivilegeToSetRole));
    QCOMPARE(f.rows(QString::fromLatin1(SessionQuery::RoleList)), QStringList{u"Boss"_s});

    f.run(u"grant default role clerk to ann"_s);
    QCOMPARE(f.rows(u"select usertype, defrole from sysusers where username = 'ann'"_s), QStringList{u"U|clerk"_s});
    f.run(u"set role default"_s);
    QCOMPARE(failureOf(f, u"grant default role clerk to everyone"_s),
             int(embedded::InformixCode::DatabasePrivilegeToRole));
    f.run(u"grant connect to carl"_s);
    f.run(u"grant resource to carl"_s);
    QCOMPARE(f.rows(u"select usertype from sysusers where username = 'carl'"_s), QStringList{u"R"_s});

    f.run(u"drop role 'Boss'"_s);
    QCOMPARE(f.rows(u"select count(*) from sysroleauth where rolename = 'Boss'"_s), QStringList{u"0"_s});
    QCOMPARE(failureOf(f, u"drop role 'Boss'"_s), int(embedded::InformixCode::RoleDoesNotExist));
    QCOMPARE(failureOf(f, u"set role 'Boss'"_s), int(embedded::InformixCode::RoleDoesNotExist));
}

void TstCatalogObjects::tablePrivilegesAreCheckedAndAccepted()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"privileges"_s);
    f.run(u"create table t (a integer, b integer)"_s);
    f.run(u"grant select on t to public"_s);
    f.run(u"grant select, update (a, b), insert on t to bob, carl with grant option"_s);
    f.run(u"grant all privileges on t to dora as ann"_s);
    f.run(u"revoke all on t from public"_s);
    f.run(u"grant select on systables to public"_s);
    f.run(u"grant usage on language spl to public"_s);
    QCOMPARE(failureOf(f, u"grant select on missing to public"_s), int(embedded::InformixCode::TableNotInDatabase));
    QCOMPARE(failureOf(f, u"grant select on t to public with grant option"_s),
             int(embedded::InformixCode::PublicWithGrantOption));
    QCOMPARE(failureOf(f, u"grant select on t"_s), int(embedded::InformixCode::SyntaxError));
}

QUOLL_TEST(TstCatalogObjects);
#include "tst_catalogobjects.moc"
