#include "embeddedfixture.h"
#include "testregistry.h"

#include "workspace/scriptrun.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;

namespace {

QString script(const QString &name)
{
    QFile file(QStringLiteral(SCRIPTS_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Keeps each statement's failure, if any; the run stops at the first.
struct Outcomes : workspace::ScriptObserver
{
    int statements = 0;
    QString failure;

    bool afterStatement(workspace::StatementOutcome &o) override
    {
        ++statements;
        if (o.failed)
            failure = u"statement %1 at %2: [%3] %4\n%5"_s.arg(o.number).arg(o.errorOffset).arg(o.nativeCode)
                          .arg(o.context, o.text.trimmed());
        return true;
    }
};

// Runs a listing as an editor page runs it, in a new logged database.
int runListing(EmbeddedFixture &f, const QString &text)
{
    f.useNewDatabase(u"library"_s);
    Outcomes outcomes;
    const bool ok = workspace::ScriptRunner(*f.engine).run(text, 0, outcomes);
    if (!ok || !outcomes.failure.isEmpty())
        qWarning("%s", qPrintable(outcomes.failure));
    return ok && outcomes.failure.isEmpty() ? outcomes.statements : -1;
}

// The "row size = N number of columns = M" of each table's header in the
// listing, as "name|M|N".
QStringList headerFigures(const QString &text)
{
    static const QRegularExpression header(
        u"\\{\\s*TABLE\\s+\"[^\"]*\"\\.(\\S+)\\s+row size = (\\d+) number of columns = (\\d+)"_s);
    QStringList figures;
    for (auto it = header.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        figures.append(m.captured(1) + u'|' + m.captured(3) + u'|' + m.captured(2));
    }
    figures.sort();
    return figures;
}

QStringList catalogFigures(EmbeddedFixture &f)
{
    return f.rows(u"select tabname, ncols, rowsize from systables where tabtype = 'T' and tabid >= 100 "
                  "order by tabname"_s);
}

} // namespace

// Whole listings of a database's schema, pasted into an editor page, run
// from top to bottom and leave the catalog the listing describes.
class TstSchemaListings : public QObject
{
    Q_OBJECT

private slots:
    void schemaListingRunsWhole()
    {
        EmbeddedFixture f(u"librarian"_s);
        const QString text = script(u"dbschema-library.sql"_s);
        QVERIFY(!text.isEmpty());
        QCOMPARE(runListing(f, text), 41);
        QCOMPARE(catalogFigures(f), headerFigures(text));

        // Every kind of object, with its owner and its type.
        QCOMPARE(f.rows(u"select tabname, owner, tabtype from systables where tabid >= 100 order by tabid"_s),
                 (QStringList{u"loan_seq|librarian|Q"_s, u"audit_seq|librarian|Q"_s, u"branch|librarian|T"_s,
                              u"book|librarian|T"_s, u"copy|librarian|T"_s, u"loan|librarian|T"_s,
                              u"overdue|librarian|V"_s, u"expensive|librarian|V"_s, u"books|librarian|S"_s,
                              u"my_loans|librarian|P"_s, u"remote_branch|librarian|S"_s}));
        QCOMPARE(f.rows(u"select t.tabname, s.servername, s.dbname, s.tabname, s.btabid from syssyntable s "
                        "join systables t on t.tabid = s.tabid order by t.tabid"_s),
                 (QStringList{u"books||||103"_s, u"my_loans||||105"_s, u"remote_branch|hq|central|branch|"_s}));
        QCOMPARE(f.rows(u"select tabid, start_val, inc_val, min_val, max_val, cycle, cache "
                        "from syssequences order by seqid"_s),
                 (QStringList{u"100|1000|1|1|999999|1|10"_s, u"101|5|5|5|9223372036854775807|0|0"_s}));
        // Keys and references, with the indexes that serve them.
        QCOMPARE(f.rows(u"select c.constrname, c.constrtype, c.idxname, i.part1, i.part2 from sysconstraints c "
                        "left join sysindexes i on i.idxname = c.idxname where c.constrtype in ('P', 'U', 'R') "
                        "order by c.constrid"_s),
                 (QStringList{u"pk_branch|P| 102_3|1|0"_s, u"u_book_isbn|U| 103_7|2|0"_s,
                              u"pk_copy|P| 104_12|1|0"_s, u"pk_book|P|ix_book_id|1|0"_s,
                              u"pk_loan|P| 105_19|1|0"_s, u"fk_copy_book|R| 104_20|2|0"_s,
                              u"fk_copy_branch|R| 104_21|3|0"_s, u"fk_loan_copy|R| 105_22|2|0"_s}));
        QCOMPARE(f.rows(u"select t.tabname, f.strategy, f.evalpos, f.exprtext, f.dbspace, f.partition "
                        "from sysfragments f join systables t on t.tabid = f.tabid order by f.tabid, f.evalpos"_s),
                 (QStringList{u"book|E|0|(book_id < 100000 )|dbs1|p_low"_s, u"book|E|1|remainder|dbs2|p_rest"_s,
                              u"copy|R|0||dbs1|dbs1"_s, u"copy|R|1||dbs2|dbs2"_s}));
        QCOMPARE(f.rows(u"select p.procname, a.grantee, a.procauth from sysprocauth a join sysprocedures p "
                        "on p.procid = a.procid where a.grantor = 'librarian' and a.grantee = 'clerk'"_s),
                 QStringList{u"renew_loan|clerk|e"_s});
        QCOMPARE(f.rows(u"select trigname, event from systriggers"_s), QStringList{u"loan_returned|U"_s});

        // The objects work: the views (one nested 34 deep), the synonyms,
        // the sequences, the references.
        f.run(u"insert into branch (name) values ('Central')"_s);
        f.run(u"insert into book (book_id, isbn, title, price) values (5, '9780000000005', 'Five', 10)"_s);
        f.run(u"insert into book (book_id, isbn, title, price) values (500, '9780000000500', 'Dear', 150)"_s);
        f.run(u"insert into copy (book_id, branch_id) values (5, 1)"_s);
        f.run(u"insert into loan (loan_id, copy_id, reader, taken, due) "
              "values (loan_seq.nextval, 1, 'ann', current year to second, today - 3)"_s);
        QCOMPARE(f.rows(u"select book_id from expensive order by book_id"_s), (QStringList{u"5"_s, u"500"_s}));
        QCOMPARE(f.rows(u"select loan_id, reader, days_late from overdue"_s), QStringList{u"1000|ann|3"_s});
        QCOMPARE(f.rows(u"select count(*) from books"_s), QStringList{u"2"_s});
        QCOMPARE(f.rows(u"select loan_id from my_loans"_s), QStringList{u"1000"_s});
        f.engine->executeDirect(u"delete from book where book_id = 5"_s);
        QCOMPARE(f.engine->lastError().nativeCode, -692);
        // The loan still holds the copy that the branch would take with it.
        f.engine->executeDirect(u"delete from branch where branch_id = 1"_s);
        QCOMPARE(f.engine->lastError().nativeCode, -692);
        f.run(u"delete from loan"_s);
        f.run(u"delete from branch where branch_id = 1"_s);   // cascades to the copy
        QCOMPARE(f.rows(u"select count(*) from copy"_s), QStringList{u"0"_s});
    }

    void exportSchemaRunsWhole()
    {
        EmbeddedFixture f(u"librarian"_s);
        const QString text = script(u"dbexport-library.sql"_s);
        QVERIFY(!text.isEmpty());
        QCOMPARE(runListing(f, text), 13);
        QCOMPARE(catalogFigures(f), headerFigures(text));
        QCOMPARE(f.rows(u"select constrname, constrtype from sysconstraints where constrtype = 'R'"_s),
                 QStringList{u"fk_visit_reader|R"_s});
        QCOMPARE(f.rows(u"select tabname, tabtype from systables where tabname = 'members'"_s),
                 QStringList{u"members|S"_s});
    }
};

QUOLL_TEST(TstSchemaListings);
#include "tst_schemalistings.moc"
