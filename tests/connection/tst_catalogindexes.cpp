#include "embeddedfixture.h"
#include "testregistry.h"

#include "catalog/catalogqueries.h"

#include "connection/embedded/sql/ddlparser.h"
#include "connection/embedded/sql/statementtokens.h"
#include "connection/engine/query.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection;
using quoll::testing::EmbeddedFixture;

namespace {

// Every statement of a script separated by ";" must succeed.
void runAll(EmbeddedFixture &f, const QString &script)
{
    for (const QString &s : script.split(u';', Qt::SkipEmptyParts))
        f.run(s);
}

// A statement that must fail; its code and (from 1) error offset.
std::pair<int, int> failure(EmbeddedFixture &f, const QString &sql)
{
    const DirectResult result = f.engine->executeDirect(sql);
    if (result.status != StatusSqlError)
        return {0, 0};
    return {f.engine->lastError().nativeCode, f.engine->communicationArea().errorOffset};
}

// Index parts as the catalog holds them, "1,-2" for the used ones.
const QString indexRows = u"select idxname, owner, idxtype, clustered, part1 || ',' || part2 || ',' || part3 || ',' "
                          "|| part4 || ',' || part16 from sysindexes where tabid >= 100 order by tabid, idxname"_s;
const QString constraintRows = u"select constrid, constrname, owner, tabid, constrtype, idxname from sysconstraints "
                               "order by constrid"_s;

} // namespace

// Indexes, constraints and references are kept in the catalog as an
// Informix server keeps them, enforced with Informix errors, and read by
// the catalog browser's own queries.
class TstCatalogIndexes : public QObject
{
    Q_OBJECT

private slots:
    void readsConstraintsWhereverTheirNamesStand();
    void createTableCataloguesItsConstraints_data();
    void createTableCataloguesItsConstraints();
    void referencesNameTheParentKey();
    void createIndexWritesItsRow_data();
    void createIndexWritesItsRow();
    void dropIndexRemovesItsRow();
    void badStatementsFailWithInformixCodesAndOffsets_data();
    void badStatementsFailWithInformixCodesAndOffsets();
    void failedStatementsLeaveNoCatalogRows();
    void violationsGiveInformixErrors_data();
    void violationsGiveInformixErrors();
    void compositeAndDescendingKeysNameTheirRule();
    void referencesAreEnforced();
    void serialKeysAndTemporaryTablesWork();
    void droppingATableDropsReferencesToIt();
    void alterTableAddsConstraints();
    void addedConstraintsAreEnforced();
    void addingAConstraintChecksTheRows_data();
    void addingAConstraintChecksTheRows();
    void checksOnDateColumnsCompareDates_data();
    void checksOnDateColumnsCompareDates();
    void alterTableDropsConstraints();
    void updateStatisticsCountsRows();
    void browserQueriesListIndexesAndConstraints();
};

void TstCatalogIndexes::readsConstraintsWhereverTheirNamesStand()
{
    using Kind = embedded::ConstraintDefinition::Kind;
    const auto table = embedded::parseCreateTable(embedded::StatementTokens(
        u"create table t (id int not null constraint nn_id, code char(4) distinct, p int references parent, "
        "constraint pk_t primary key (id, code), check (p > 0) constraint ck_p, "
        "foreign key (p, code) references other (a, b) on delete cascade constraint fk_t)"_s));
    QVERIFY(table);
    QCOMPARE(table->columns.size(), size_t(3));
    struct Expected
    {
        Kind kind;
        QString name;
        QStringList columns;
    };
    const std::vector<Expected> expected{
        {Kind::NotNull, u"nn_id"_s, {u"id"_s}},      {Kind::Unique, QString(), {u"code"_s}},
        {Kind::References, QString(), {u"p"_s}},     {Kind::PrimaryKey, u"pk_t"_s, {u"id"_s, u"code"_s}},
        {Kind::Check, u"ck_p"_s, {}},                {Kind::References, u"fk_t"_s, {u"p"_s, u"code"_s}},
    };
    QCOMPARE(table->constraints.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const embedded::ConstraintDefinition &c = table->constraints[i];
        QCOMPARE(c.kind, expected[i].kind);
        QCOMPARE(c.name, expected[i].name);
        QStringList columns;
        for (const embedded::NamedAt &n : c.columns)
            columns.append(n.name);
        if (c.kind != Kind::Check)
            QCOMPARE(columns, expected[i].columns);
    }
    QCOMPARE(table->constraints[2].referencedTable.name, u"parent"_s);
    QVERIFY(table->constraints[2].referencedColumns.empty());
    QVERIFY(!table->constraints[2].cascadeDelete);
    QCOMPARE(table->constraints[5].referencedTable.name, u"other"_s);
    QCOMPARE(table->constraints[5].referencedColumns.size(), size_t(2));
    QVERIFY(table->constraints[5].cascadeDelete);
    // Key columns are NOT NULL in syscolumns.
    QVERIFY(table->columns[1].notNull);
    QVERIFY(!table->columns[2].notNull);
}

void TstCatalogIndexes::createTableCataloguesItsConstraints_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("constraints");
    QTest::addColumn<QStringList>("indexes");
    QTest::addColumn<QStringList>("nindexes");

    QTest::newRow("names after the constraints")
        << u"create table t (id int not null constraint nn_id, code char(4), primary key (id) constraint pk_t, "
           "unique (code) constraint u_code)"_s
        << QStringList{u"1|nn_id|ann|100|N|"_s, u"2|pk_t|ann|100|P| 100_2"_s, u"3|u_code|ann|100|U| 100_3"_s}
        << QStringList{u" 100_2|ann|U| |1,0,0,0,0"_s, u" 100_3|ann|U| |2,0,0,0,0"_s} << QStringList{u"t|2"_s};
    QTest::newRow("names the server gives")
        << u"create table t (id serial not null primary key, v int check (v >= 0), w char(2) unique, "
           "x int distinct)"_s
        << QStringList{u"1|n100_1|ann|100|N|"_s, u"2|u100_2|ann|100|P| 100_2"_s, u"3|c100_3|ann|100|C|"_s,
                       u"4|u100_4|ann|100|U| 100_4"_s, u"5|u100_5|ann|100|U| 100_5"_s}
        << QStringList{u" 100_2|ann|U| |1,0,0,0,0"_s, u" 100_4|ann|U| |3,0,0,0,0"_s, u" 100_5|ann|U| |4,0,0,0,0"_s}
        << QStringList{u"t|3"_s};
    QTest::newRow("composite key named before it")
        << u"create table t (a int, b int, c int, constraint pk_ab primary key (b, a), unique (c, b))"_s
        << QStringList{u"1|pk_ab|ann|100|P| 100_1"_s, u"2|u100_2|ann|100|U| 100_2"_s}
        << QStringList{u" 100_1|ann|U| |2,1,0,0,0"_s, u" 100_2|ann|U| |3,2,0,0,0"_s} << QStringList{u"t|2"_s};
    QTest::newRow("references with their own index")
        << u"create table p (id int primary key, code char(3) unique);"
           "create table c (n int, pid int references p on delete cascade constraint fk_p, "
           "pc char(3), foreign key (pc) references p (code))"_s
        << QStringList{u"1|u100_1|ann|100|P| 100_1"_s, u"2|u100_2|ann|100|U| 100_2"_s,
                       u"3|fk_p|ann|101|R| 101_3"_s, u"4|r101_4|ann|101|R| 101_4"_s}
        << QStringList{u" 100_1|ann|U| |1,0,0,0,0"_s, u" 100_2|ann|U| |2,0,0,0,0"_s, u" 101_3|ann|D| |2,0,0,0,0"_s,
                       u" 101_4|ann|D| |3,0,0,0,0"_s}
        << QStringList{u"p|2"_s, u"c|2"_s};
    QTest::newRow("a reference shares the key's index")
        << u"create table p (id int primary key);"
           "create table c (id int, primary key (id), foreign key (id) references p (id))"_s
        << QStringList{u"1|u100_1|ann|100|P| 100_1"_s, u"2|u101_2|ann|101|P| 101_2"_s,
                       u"3|r101_3|ann|101|R| 101_2"_s}
        << QStringList{u" 100_1|ann|U| |1,0,0,0,0"_s, u" 101_2|ann|U| |1,0,0,0,0"_s}
        << QStringList{u"p|1"_s, u"c|1"_s};
    QTest::newRow("a table that refers to itself")
        << u"create table emp (id int, boss int references emp, primary key (id) constraint pk_emp)"_s
        << QStringList{u"1|r100_1|ann|100|R| 100_1"_s, u"2|pk_emp|ann|100|P| 100_2"_s}
        << QStringList{u" 100_1|ann|D| |2,0,0,0,0"_s, u" 100_2|ann|U| |1,0,0,0,0"_s} << QStringList{u"emp|2"_s};
    QTest::newRow("numbers go on after a drop")
        << u"create table a (x int unique);drop table a;create table b (y int not null)"_s
        << QStringList{u"2|n101_2|ann|101|N|"_s} << QStringList{} << QStringList{u"b|0"_s};
}

void TstCatalogIndexes::createTableCataloguesItsConstraints()
{
    QFETCH(QString, script);
    QFETCH(QStringList, constraints);
    QFETCH(QStringList, indexes);
    QFETCH(QStringList, nindexes);
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, script);
    QCOMPARE(f.rows(constraintRows), constraints);
    QCOMPARE(f.rows(indexRows), indexes);
    QCOMPARE(f.rows(u"select tabname, nindexes from systables where tabid >= 100 order by tabid"_s), nindexes);
}

void TstCatalogIndexes::referencesNameTheParentKey()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int, code char(3), primary key (id), unique (code) constraint u_code);"
              "create table c (pid int references p, pc char(3) references p (code) on delete cascade);"
              "create table emp (id int primary key, boss int references emp)"_s);
    // primary = the referenced key's constrid, ptabid the parent.
    QCOMPARE(f.rows(u"select * from sysreferences order by constrid"_s),
             (QStringList{u"3|1|100|R|R|N|N"_s, u"4|2|100|R|C|N|N"_s, u"6|5|102|R|R|N|N"_s}));
    // The referencing columns are found through the reference's index.
    QCOMPARE(f.rows(u"select c.constrname, i.idxtype, i.part1 from sysconstraints c, sysindexes i "
                     "where c.constrtype = 'R' and i.idxname = c.idxname order by c.constrid"_s),
             (QStringList{u"r101_3|D|1"_s, u"r101_4|D|2"_s, u"r102_6|D|2"_s}));
}

void TstCatalogIndexes::createIndexWritesItsRow_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("row");

    QTest::newRow("plain") << u"create index ix on t (b)"_s << u"ix|bob|D| |2,0,0,0,0"_s;
    QTest::newRow("unique") << u"create unique index ix on t (a)"_s << u"ix|bob|U| |1,0,0,0,0"_s;
    QTest::newRow("distinct") << u"create distinct index ix on t (a, c)"_s << u"ix|bob|U| |1,3,0,0,0"_s;
    QTest::newRow("cluster") << u"create cluster index ix on t (c)"_s << u"ix|bob|D|C|3,0,0,0,0"_s;
    QTest::newRow("descending parts")
        << u"create unique cluster index ix on t (c desc, a asc, b DESC)"_s << u"ix|bob|U|C|-3,1,-2,0,0"_s;
    QTest::newRow("owner and storage clauses")
        << u"CREATE INDEX bob.Ix ON bob.T (d) USING btree IN dbs1 FILLFACTOR 90;"_s << u"ix|bob|D| |4,0,0,0,0"_s;
}

void TstCatalogIndexes::createIndexWritesItsRow()
{
    QFETCH(QString, statement);
    QFETCH(QString, row);
    EmbeddedFixture f(u"bob"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table t (a int, b char(5), c date, d int);insert into t values (1, 'x', today, 3);"
              "insert into t values (2, 'x', today - 1, 3)"_s);
    f.run(statement);
    QCOMPARE(f.rows(indexRows), QStringList{row});
    QCOMPARE(f.rows(u"select nindexes from systables where tabname = 't'"_s), QStringList{u"1"_s});
    // The storage engine has the index too: a unique one refuses duplicates.
    QCOMPARE(f.rows(u"select count(*) from sqlite_master where type = 'index' and name = 'ix'"_s),
             QStringList{u"1"_s});
}

void TstCatalogIndexes::dropIndexRemovesItsRow()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table t (a int unique, b int);create index ib on t (b desc);create index ib2 on t (a, b)"_s);
    QCOMPARE(f.rows(u"select nindexes from systables where tabname = 't'"_s), QStringList{u"3"_s});
    f.run(u"drop index ib"_s);
    QCOMPARE(f.rows(u"select idxname from sysindexes where tabid = 100 order by idxname"_s),
             (QStringList{u" 100_1"_s, u"ib2"_s}));
    QCOMPARE(f.rows(u"select nindexes from systables where tabname = 't'"_s), QStringList{u"2"_s});
    // The name is free again.
    f.run(u"create index ib on t (b)"_s);
    QCOMPARE(f.rows(u"select part1 from sysindexes where idxname = 'ib'"_s), QStringList{u"2"_s});
}

void TstCatalogIndexes::badStatementsFailWithInformixCodesAndOffsets_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("offset");

    // The set-up: t (a, b) with index ix, a unique; parent p (id) without a key.
    QTest::newRow("index exists") << u"create index ix on t (b)"_s << -316 << 14;
    QTest::newRow("index on an unknown table") << u"create index iy on nosuch (a)"_s << -206 << 20;
    QTest::newRow("index on an unknown column") << u"create index iy on t (a, nosuch)"_s << -217 << 26;
    QTest::newRow("drop an unknown index") << u"drop index nosuch"_s << -319 << 12;
    QTest::newRow("drop without an index name") << u"drop index"_s << -201 << 11;
    QTest::newRow("drop a constraint's index") << u"drop index \" 100_1\""_s << -319 << 12;
    QTest::newRow("unique index over duplicates") << u"create unique index iy on t (b)"_s << -371 << 21;
    QTest::newRow("index without its column list") << u"create index iy on t"_s << -201 << 21;
    QTest::newRow("reference to an unknown table") << u"create table c (x int references nosuch)"_s << -206 << 34;
    QTest::newRow("reference to a table without a key") << u"create table c (x int references p)"_s << -297 << 34;
    QTest::newRow("reference to a column that is no key")
        << u"create table c (x int references t (b))"_s << -297 << 34;
    QTest::newRow("reference to an unknown column")
        << u"create table c (x int references t (nosuch))"_s << -217 << 37;
    QTest::newRow("key on an unknown column") << u"create table c (x int, primary key (y))"_s << -217 << 37;
    QTest::newRow("statistics of an unknown table") << u"update statistics for table nosuch"_s << -206 << 29;
}

void TstCatalogIndexes::badStatementsFailWithInformixCodesAndOffsets()
{
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(int, offset);
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table t (a int unique, b int);create index ix on t (b);insert into t values (1, 5);"
              "insert into t values (2, 5);create table p (id int)"_s);
    QCOMPARE(failure(f, statement), std::make_pair(code, offset));
}

void TstCatalogIndexes::failedStatementsLeaveNoCatalogRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int primary key);insert into p values (1);insert into p values (1 + 1)"_s);
    const QStringList before{f.rows(constraintRows).join(u';'), f.rows(indexRows).join(u';'),
                             f.rows(u"select tabname, nindexes from systables where tabid >= 100"_s).join(u';')};
    // Fails in the storage engine after the references were checked.
    QCOMPARE(failure(f, u"create table c (x int references p, y int, primary key (nosuch_in_storage, x))"_s).first,
             -217);
    QCOMPARE(failure(f, u"create table p (id int unique)"_s).first, -310);
    QCOMPARE(failure(f, u"create unique index ix on p (id) extra"_s).first, 0);   // extra clauses are ignored
    QCOMPARE(failure(f, u"create unique index ix on p (id)"_s).first, -316);
    f.run(u"drop index ix"_s);
    QCOMPARE(failure(f, u"create table c (x int check (x > 0) references p, y int references nosuch)"_s).first, -206);
    const QStringList after{f.rows(constraintRows).join(u';'), f.rows(indexRows).join(u';'),
                            f.rows(u"select tabname, nindexes from systables where tabid >= 100"_s).join(u';')};
    QCOMPARE(after, before);
    QCOMPARE(f.rows(u"select count(*) from sysreferences"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select count(*) from sqlite_master where type = 'trigger'"_s), QStringList{u"0"_s});
}

void TstCatalogIndexes::violationsGiveInformixErrors_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    // The set-up below: constraints 1 n100_1 and 2 u100_2 on code, 3 c100_3 on qty, 4 pk_item,
    // 5 ck_price; index ix_note.
    QTest::newRow("named primary key") << u"insert into item values (1, 'b', 2, 'other', 1)"_s << -268
                                       << u"Unique constraint (carl.pk_item) violated."_s;
    QTest::newRow("unnamed unique") << u"insert into item values (2, 'a', 2, 'other', 1)"_s << -268
                                    << u"Unique constraint (carl.u100_2) violated."_s;
    QTest::newRow("unique index") << u"insert into item values (2, 'b', 2, 'first', 1)"_s << -239
                                  << u"Could not insert new row - duplicate value in a UNIQUE INDEX column "
                                     "(Unique Index:ix_note)."_s;
    QTest::newRow("null into not null") << u"insert into item (id, price) values (2, 1)"_s << -391
                                        << u"Cannot insert a null into column (item.code)."_s;
    QTest::newRow("null into the key") << u"insert into item (code, price) values ('z', 1)"_s << -391
                                       << u"Cannot insert a null into column (item.id)."_s;
    QTest::newRow("named check") << u"update item set price = -1"_s << -530
                                 << u"Check constraint (carl.ck_price) failed."_s;
    QTest::newRow("unnamed check") << u"insert into item values (2, 'b', 2, 'other', 0)"_s << -530
                                   << u"Check constraint (carl.c100_3) failed."_s;
}

void TstCatalogIndexes::violationsGiveInformixErrors()
{
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(QString, message);
    EmbeddedFixture f(u"carl"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table item (id int, code char(2) not null unique, price decimal(8,2), note char(10), "
              "qty int check (qty > 0), primary key (id) constraint pk_item, check (price >= 0) constraint ck_price);"
              "create unique index ix_note on item (note);insert into item values (1, 'a', 1, 'first', 1)"_s);
    QCOMPARE(failure(f, statement).first, code);
    QCOMPARE(f.engine->lastError().context, message);
    QCOMPARE(f.rows(u"select count(*) from item"_s), QStringList{u"1"_s});
}

void TstCatalogIndexes::compositeAndDescendingKeysNameTheirRule()
{
    EmbeddedFixture f(u"eve"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table k (a int, b int, c int, d int, primary key (b, a), unique (c, d) constraint u_cd);"
              "create unique index kd on k (d desc, a);insert into k values (1, 1, 1, 1)"_s);
    QCOMPARE(failure(f, u"insert into k values (1, 1, 2, 2)"_s).first, -268);
    QCOMPARE(f.engine->lastError().context, u"Unique constraint (eve.u100_1) violated."_s);
    QCOMPARE(failure(f, u"insert into k values (2, 2, 1, 1)"_s).first, -268);
    QCOMPARE(f.engine->lastError().context, u"Unique constraint (eve.u_cd) violated."_s);
    QCOMPARE(failure(f, u"insert into k values (1, 3, 3, 1)"_s).first, -239);
    QCOMPARE(f.engine->lastError().context,
             u"Could not insert new row - duplicate value in a UNIQUE INDEX column (Unique Index:kd)."_s);
    // The same columns in another order are another key.
    f.run(u"insert into k values (2, 1, 2, 1)"_s);
}

void TstCatalogIndexes::referencesAreEnforced()
{
    EmbeddedFixture f(u"dee"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int primary key, code char(2) unique);"
              "create table c (n int, pid int references p constraint fk_pid, pc char(2), "
              "foreign key (pc) references p (code) on delete cascade);"
              "insert into p values (1, 'a');insert into p values (2, 'b');"
              "insert into c values (1, 1, 'a');insert into c values (2, null, 'b');insert into c values (3, 2, null)"_s);
    // A child needs its parent, unless a column of the reference is NULL.
    QCOMPARE(failure(f, u"insert into c values (4, 9, null)"_s).first, -691);
    QCOMPARE(f.engine->lastError().context,
             u"Missing key in referenced table for referential constraint (dee.fk_pid)."_s);
    QCOMPARE(failure(f, u"update c set pc = 'zz' where n = 1"_s).first, -691);
    QCOMPARE(f.engine->lastError().context,
             u"Missing key in referenced table for referential constraint (dee.r101_4)."_s);
    // A parent with children stays, and keeps its key.
    QCOMPARE(failure(f, u"delete from p where id = 2"_s).first, -692);
    QCOMPARE(f.engine->lastError().context, u"Key value for constraint (dee.fk_pid) is still being referenced."_s);
    QCOMPARE(failure(f, u"update p set id = 5 where id = 1"_s).first, -692);
    f.run(u"update p set code = code where id = 1"_s);   // the key does not change
    // ON DELETE CASCADE takes the children along; the other reference holds them back.
    f.run(u"delete from c where n = 1"_s);
    f.run(u"delete from p where id = 1"_s);
    QCOMPARE(f.rows(u"select n from c order by n"_s), (QStringList{u"2"_s, u"3"_s}));
    f.run(u"update c set pid = null where n = 3"_s);
    f.run(u"delete from p where id = 2"_s);
    QCOMPARE(f.rows(u"select n from c order by n"_s), QStringList{u"3"_s});
    QCOMPARE(f.rows(u"select count(*) from p"_s), QStringList{u"0"_s});
}

void TstCatalogIndexes::serialKeysAndTemporaryTablesWork()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    f.run(u"create table t (id serial not null primary key, v char(3))"_s);
    f.run(u"insert into t (v) values ('a')"_s);
    f.run(u"insert into t values (0, 'b')"_s);
    QCOMPARE(f.rows(u"select id, v from t order by id"_s), (QStringList{u"1|a"_s, u"2|b"_s}));
    QCOMPARE(failure(f, u"insert into t values (null, 'c')"_s).first, -391);
    // A temporary table takes the same syntax and keeps no catalog rows.
    const QStringList before = f.rows(constraintRows);
    f.run(u"create temp table tt (a int not null constraint nn_a, b int, unique (b) constraint u_b, "
          "check (a > 0) constraint ck_a, foreign key (b) references t)"_s);
    QCOMPARE(f.rows(constraintRows), before);
    f.run(u"insert into tt values (1, 1)"_s);
    QCOMPARE(failure(f, u"insert into tt values (0, 2)"_s).first, -530);
    QCOMPARE(f.engine->lastError().context, u"Check constraint (ck_a) failed."_s);
    QCOMPARE(failure(f, u"insert into tt values (2, 1)"_s).first, -239);
    f.run(u"create unique index tix on tt (a)"_s);
    QCOMPARE(failure(f, u"insert into tt values (1, 3)"_s).first, -239);
    f.run(u"drop index tix"_s);
    f.run(u"insert into tt values (1, 3)"_s);
    QCOMPARE(f.rows(u"select count(*) from sysindexes"_s), QStringList{u"1"_s});   // t's key only
}

void TstCatalogIndexes::droppingATableDropsReferencesToIt()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int primary key);create table q (id int primary key);"
              "create table c (pid int references p, qid int references q, primary key (pid, qid));"
              "insert into p values (1);insert into q values (1);insert into c values (1, 1)"_s);
    QCOMPARE(f.rows(u"select nindexes from systables where tabname = 'c'"_s), QStringList{u"3"_s});
    f.run(u"drop table p"_s);
    // Only the reference to q is left on c.
    QCOMPARE(f.rows(u"select constrname, constrtype from sysconstraints where tabid = 102 order by constrid"_s),
             (QStringList{u"r102_4|R"_s, u"u102_5|P"_s}));
    QCOMPARE(f.rows(u"select * from sysreferences"_s), QStringList{u"4|2|101|R|R|N|N"_s});
    QCOMPARE(f.rows(u"select idxname from sysindexes where tabid = 102 order by idxname"_s),
             (QStringList{u" 102_4"_s, u" 102_5"_s}));
    QCOMPARE(f.rows(u"select nindexes from systables where tabname = 'c'"_s), QStringList{u"2"_s});
    f.run(u"insert into c values (7, 1)"_s);
    QCOMPARE(failure(f, u"insert into c values (8, 2)"_s).first, -691);
    // Dropping the child frees its parent.
    f.run(u"drop table c"_s);
    f.run(u"delete from q"_s);
    QCOMPARE(f.rows(u"select count(*) from sysreferences"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select count(*) from sqlite_master where type = 'trigger'"_s), QStringList{u"0"_s});
}

void TstCatalogIndexes::alterTableAddsConstraints()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int, code char(2));create table c (n int, pid int, pc char(2));"
              "create unique index ux on p (code)"_s);
    f.run(u"alter table p add constraint primary key (id) constraint pk_p"_s);
    f.run(u"alter table p add constraint unique (code)"_s);   // served by ux
    f.run(u"alter table c add constraint (foreign key (pid) references p constraint fk_c, "
          "check (n > 0), unique (n, pid))"_s);
    f.run(u"alter table c add constraint fk_code foreign key (pc) references p (code) on delete cascade"_s);
    QCOMPARE(f.rows(constraintRows),
             (QStringList{u"1|pk_p|ann|100|P| 100_1"_s, u"2|u100_2|ann|100|U|ux"_s, u"3|fk_c|ann|101|R| 101_3"_s,
                          u"4|c101_4|ann|101|C|"_s, u"5|u101_5|ann|101|U| 101_5"_s,
                          u"6|fk_code|ann|101|R| 101_6"_s}));
    QCOMPARE(f.rows(u"select * from sysreferences order by constrid"_s),
             (QStringList{u"3|1|100|R|R|N|N"_s, u"6|2|100|R|C|N|N"_s}));
    QCOMPARE(f.rows(u"select tabname, nindexes from systables where tabid >= 100 order by tabid"_s),
             (QStringList{u"p|2"_s, u"c|3"_s}));
    // A primary key's columns become NOT NULL in syscolumns.
    QCOMPARE(f.rows(u"select colname, coltype from syscolumns where tabid = 100 order by colno"_s),
             (QStringList{u"id|258"_s, u"code|0"_s}));
}

void TstCatalogIndexes::addedConstraintsAreEnforced()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int, code char(2));create table c (n int, pid int);"
              "alter table p add constraint primary key (id);"
              "alter table c add constraint (foreign key (pid) references p, check (n between 1 and 9) constraint ck_n);"
              "insert into p values (1, 'a');insert into c values (1, 1)"_s);
    QCOMPARE(failure(f, u"insert into p values (1, 'b')"_s).first, -268);
    QCOMPARE(f.engine->lastError().context, u"Unique constraint (ann.u100_1) violated."_s);
    QCOMPARE(failure(f, u"insert into p values (null, 'b')"_s).first, -391);
    QCOMPARE(f.engine->lastError().context, u"Cannot insert a null into column (p.id)."_s);
    QCOMPARE(failure(f, u"update c set n = 10"_s).first, -530);
    QCOMPARE(f.engine->lastError().context, u"Check constraint (ann.ck_n) failed."_s);
    QCOMPARE(failure(f, u"insert into c values (2, 7)"_s).first, -691);
    QCOMPARE(failure(f, u"delete from p"_s).first, -692);
    f.run(u"insert into c values (null, null)"_s);   // NULL passes a check and a reference
}

// A check compares a DATE column with date strings as a statement on the
// table would, wherever the check was written.
void TstCatalogIndexes::checksOnDateColumnsCompareDates_data()
{
    QTest::addColumn<QString>("script");
    QTest::newRow("on the column") << u"create table t (id int, d date check (d > '01/01/2024'))"_s;
    QTest::newRow("on the table, named")
        << u"create table t (id int, d date, check (d > '01/01/2024' and d <= '12/31/2030') constraint ck_d)"_s;
    QTest::newRow("added by alter table")
        << u"create table t (id int, d date); alter table t add constraint check (d > '01/01/2024')"_s;
    QTest::newRow("added over a row that keeps it")
        << u"create table t (id int, d date); insert into t values (9, '03/03/2025'); "
           "alter table t add constraint check (d between '01/02/2024' and '12/31/2030') constraint ck_d; "
           "delete from t"_s;
    QTest::newRow("temporary table") << u"create temp table t (id int, d date check (d > '01/01/2024'))"_s;
}

void TstCatalogIndexes::checksOnDateColumnsCompareDates()
{
    QFETCH(QString, script);
    EmbeddedFixture f;
    f.useNewDatabase(u"dates"_s);
    runAll(f, script);
    f.run(u"insert into t values (1, '06/15/2024')"_s);
    f.run(u"insert into t values (2, null)"_s);
    QCOMPARE(failure(f, u"insert into t values (3, '12/31/2023')"_s).first, -530);
    QCOMPARE(failure(f, u"update t set d = '01/01/2024' where id = 1"_s).first, -530);
    f.run(u"update t set d = '02/01/2025' where id = 1"_s);
    QCOMPARE(f.rows(u"select id from t where d = '02/01/2025'"_s), QStringList{u"1"_s});
    QCOMPARE(f.rows(u"select count(*) from t"_s), QStringList{u"2"_s});
    // A check added over rows that break it is refused.
    if (!script.contains(u"temp"_s))
        QCOMPARE(failure(f, u"alter table t add constraint check (d > '01/01/2026')"_s).first, -530);
}

void TstCatalogIndexes::addingAConstraintChecksTheRows_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("offset");

    // t (a, b) holds (1, 1), (1, 2), (null, 3); p (id) is a key holding 1.
    QTest::newRow("duplicate key") << u"alter table t add constraint unique (a)"_s << -371 << 30;
    QTest::newRow("null in a primary key") << u"alter table t add constraint primary key (b, a)"_s << -391 << 46;
    QTest::newRow("check the rows break") << u"alter table t add constraint check (b < 3)"_s << -530 << 30;
    QTest::newRow("reference without its parent")
        << u"alter table t add constraint foreign key (b) references p"_s << -691 << 30;
    QTest::newRow("unknown table") << u"alter table nosuch add constraint unique (a)"_s << -206 << 13;
    QTest::newRow("unknown column") << u"alter table t add constraint unique (a, c)"_s << -217 << 41;
    QTest::newRow("no constraint there") << u"alter table t add constraint (unique (b),)"_s << -201 << 0;
    QTest::newRow("drop an unknown constraint") << u"alter table t drop constraint nosuch"_s << -623 << 31;
    QTest::newRow("name taken") << u"alter table t add constraint unique (b) constraint u100_1"_s << -32001 << 30;
}

void TstCatalogIndexes::addingAConstraintChecksTheRows()
{
    QFETCH(QString, statement);
    QFETCH(int, code);
    QFETCH(int, offset);
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int primary key);insert into p values (1);create table t (a int, b int);"
              "insert into t values (1, 1);insert into t values (1, 2);insert into t values (null, 3)"_s);
    const QStringList before = f.rows(constraintRows);
    const std::pair<int, int> got = failure(f, statement);
    QCOMPARE(got.first, code);
    if (offset > 0)
        QCOMPARE(got.second, offset);
    QCOMPARE(f.rows(constraintRows), before);
    QCOMPARE(f.rows(u"select count(*) from sqlite_master where type in ('trigger', 'index') "
                     "and name like 'quoll%' and tbl_name not like 'sys%'"_s),
             QStringList{u"0"_s});
}

void TstCatalogIndexes::alterTableDropsConstraints()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int, code char(2) unique constraint u_code);"
              "create table c (pid int references p (code) constraint fk_c, n int check (n > 0));"
              "alter table p add constraint primary key (id) constraint pk_p;"
              "alter table c add constraint (foreign key (n) references p constraint fk_n, check (n < 5) constraint ck_n)"_s);
    // A key written in CREATE TABLE stays with the table.
    QCOMPARE(failure(f, u"alter table p drop constraint u_code"_s).first, -32001);
    QCOMPARE(failure(f, u"alter table c drop constraint c101_3"_s).first, -32001);
    // A reference, a check and a key that ALTER TABLE added can go; the
    // references to a key go with it.
    f.run(u"alter table c drop constraint (fk_c, ck_n)"_s);
    f.run(u"alter table p drop constraint pk_p"_s);
    QCOMPARE(f.rows(u"select constrname from sysconstraints order by constrid"_s),
             (QStringList{u"u_code"_s, u"c101_3"_s}));
    QCOMPARE(f.rows(u"select count(*) from sysreferences"_s), QStringList{u"0"_s});
    QCOMPARE(f.rows(u"select idxname from sysindexes order by idxname"_s), QStringList{u" 100_1"_s});
    QCOMPARE(f.rows(u"select tabname, nindexes from systables where tabid >= 100 order by tabid"_s),
             (QStringList{u"p|1"_s, u"c|0"_s}));
    // Nothing enforces them any more.
    runAll(f, u"insert into p values (1, 'a');insert into p values (1, 'b');insert into c values ('zz', 7)"_s);
    QCOMPARE(f.rows(u"select count(*) from sqlite_master where type in ('trigger', 'index') and name like 'quoll%' and tbl_name not like 'sys%'"_s),
             QStringList{u"0"_s});
}

void TstCatalogIndexes::updateStatisticsCountsRows()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table a (x int, y int);create table b (y int);create index ax on a (y desc, x);"
              "insert into a values (1, 5);insert into a values (2, 5);insert into b values (1)"_s);
    const QString counts = u"select tabname, nrows from systables where tabid >= 100 order by tabid"_s;
    QCOMPARE(f.rows(counts), (QStringList{u"a|0"_s, u"b|0"_s}));
    f.run(u"update statistics medium for table a"_s);
    QCOMPARE(f.rows(counts), (QStringList{u"a|2"_s, u"b|0"_s}));
    QCOMPARE(f.rows(u"select nunique from sysindexes where idxname = 'ax'"_s), QStringList{u"1"_s});
    runAll(f, u"insert into b values (2);insert into b values (3);delete from a"_s);
    f.run(u"update statistics"_s);
    QCOMPARE(f.rows(counts), (QStringList{u"a|0"_s, u"b|3"_s}));
    // The catalog's own tables are counted too.
    QCOMPARE(f.rows(u"select nrows from systables where tabname = 'systables'"_s),
             f.rows(u"select count(*) from systables"_s));
    QCOMPARE(f.rows(u"select nrows from systables where tabname = 'syscolumns'"_s), QStringList{u"3"_s});
    f.run(u"update statistics high for table"_s);
    f.run(u"update statistics for procedure"_s);
    QCOMPARE(f.rows(counts), (QStringList{u"a|0"_s, u"b|3"_s}));
}

void TstCatalogIndexes::browserQueriesListIndexesAndConstraints()
{
    EmbeddedFixture f(u"ann"_s);
    f.useNewDatabase(u"db"_s);
    runAll(f, u"create table p (id int primary key);"
              "create table c (n int not null, pid int references p, v int check (v > 0), "
              "unique (v, n) constraint u_vn);create cluster index ixc on c (v desc, pid)"_s);
    const auto fetch = [&](const char *text) {
        QStringList rows = f.rowsWith(QString::fromLatin1(text), u"tabid"_s, 101);
        rows.sort();
        return rows;
    };
    QCOMPARE(fetch(quoll::catalog::CatalogQuery::Indexes),
             (QStringList{u" 101_3|D |2|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0"_s,
                          u" 101_5|U |3|1|0|0|0|0|0|0|0|0|0|0|0|0|0|0"_s,
                          u"ixc|DC|-3|2|0|0|0|0|0|0|0|0|0|0|0|0|0|0"_s}));
    QCOMPARE(fetch(quoll::catalog::CatalogQuery::Constraints),
             (QStringList{u"c101_4|C||"_s, u"n101_2|N||"_s, u"r101_3|R| 101_3|p"_s, u"u_vn|U| 101_5|"_s}));
}

QUOLL_TEST(TstCatalogIndexes);
#include "tst_catalogindexes.moc"
