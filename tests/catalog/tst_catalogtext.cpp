#include "embeddedfixture.h"
#include "testregistry.h"

#include "catalog/browserqueries.h"
#include "catalog/catalogtext.h"
#include "catalog/proclistreader.h"
#include "connection/builtin/demodatabases.h"
#include "connection/builtin/demoschema.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::EmbeddedFixture;

// Stored texts come back from the catalog exactly as they were written:
// a lost blank or line break changes a routine that is created again.
class TstCatalogText : public QObject
{
    Q_OBJECT

private slots:
    void lineBreaksBecomeCrLf_data();
    void lineBreaksBecomeCrLf();
    void piecesJoinWithTheirTrailingBlanks();
    void demoRoutinesTriggersAndViewsReadBackWhole();
};

void TstCatalogText::lineBreaksBecomeCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF stays") << u"a\r\nb"_s << u"a\r\nb"_s;
    QTest::newRow("LF alone") << u"a\nb\n"_s << u"a\r\nb\r\n"_s;
    QTest::newRow("CR alone") << u"a\rb\r"_s << u"a\r\nb\r\n"_s;
    QTest::newRow("LF CR is two breaks") << u"a\n\rb"_s << u"a\r\n\r\nb"_s;
    QTest::newRow("CR CR LF") << u"\r\r\n"_s << u"\r\n\r\n"_s;
    QTest::newRow("none") << u"select 1"_s << u"select 1"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TstCatalogText::lineBreaksBecomeCrLf()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(catalog::withCrLfBreaks(text), expected);
}

void TstCatalogText::piecesJoinWithTheirTrailingBlanks()
{
    EmbeddedFixture f;
    f.useNewDatabase(u"pieces"_s);
    const QStringList pieces{u"create procedure p()  "_s, u"  let a = 1;\r"_s, u"\nlet b = 2;\n"_s, u"end procedure"_s};
    // Written in another order than the sequence numbers; a NULL piece adds
    // nothing.
    for (int seqno : {2, 0, 3, 1})
        f.run(u"insert into sysprocbody (procid, datakey, seqno, data) values (4242, 'T', %1, '%2')"_s.arg(seqno).arg(
            QString(pieces[seqno]).replace(u"'"_s, u"''"_s)));
    f.run(u"insert into sysprocbody (procid, datakey, seqno, data) values (4242, 'T', 9, null)"_s);
    catalog::BrowserQueries queries(f.database);
    queries.qProcBd().setParameter(u"procid"_s, 4242);
    QCOMPARE(catalog::ReadCatalogText(queries.qProcBd()),
             u"create procedure p()    let a = 1;\r\nlet b = 2;\r\nend procedure"_s);
    // A routine without a document: the script ends with the source and one
    // line break; a function's script drops a function.
    catalog::ProcInfo routine;
    routine.name = u"p"_s;
    routine.procid = 4242;
    routine.isproc = false;
    QCOMPARE(catalog::BuildProcText(routine, queries.qProcBd(), queries.qProcDc()),
             u"drop function p;\r\n\r\ncreate procedure p()    let a = 1;\r\nlet b = 2;\r\nend procedure\r\n"_s);
    queries.unprepareAll();
}

// The demo database's routines, triggers and views, as long as several
// catalog pieces, read back equal to the statements that made them.
void TstCatalogText::demoRoutinesTriggersAndViewsReadBackWhole()
{
    EmbeddedFixture f(u"anna"_s);
    connection::builtin::generateDemoDatabases(f.engine->server(), u"anna"_s);
    f.run(u"database demo"_s);
    catalog::BrowserQueries queries(f.database);
    const auto crlf = [](const char *text) { return catalog::withCrLfBreaks(QString::fromUtf8(text)); };

    // Routines: "T" is the statement up to "end procedure"/"end function".
    const catalog::ProcInfoList routines = catalog::readProcList(f.database, u"9"_s, QString());
    int longest = 0;
    for (const char *statement : connection::builtin::demoRoutines()) {
        const QString text = crlf(statement);
        const QString name = text.section(u'(', 0, 0).trimmed().section(u' ', -1);
        const auto routine = std::find_if(routines.begin(), routines.end(),
                                          [&](const catalog::ProcInfo &r) { return r.name == name; });
        QVERIFY2(routine != routines.end(), qPrintable(name));
        QCOMPARE(routine->isproc, text.contains(u"procedure "_s));
        queries.qProcBd().setParameter(u"procid"_s, routine->procid);
        const QString source = catalog::ReadCatalogText(queries.qProcBd());
        QVERIFY2(text.startsWith(source), qPrintable(source));
        QVERIFY(source.endsWith(routine->isproc ? u"end procedure"_s : u"end function"_s));
        const QString script = catalog::BuildProcText(*routine, queries.qProcBd(), queries.qProcDc());
        QVERIFY(script.startsWith((routine->isproc ? u"drop procedure "_s : u"drop function "_s) + name
                                  + u";\r\n\r\n"_s + source));
        QVERIFY(script.endsWith(u"\r\n"_s));
        longest = std::max(longest, int(source.size()));
    }
    QVERIFY2(longest > 256, "a routine spans several pieces");

    // Triggers: the header pieces, then the body pieces.
    for (const char *statement : connection::builtin::demoTriggers()) {
        const QString text = crlf(statement);
        const QString name = text.section(u' ', 2, 2).section(u'\r', 0, 0);
        const int trigid = f.rows(u"select trigid from systriggers where trigname = '%1'"_s.arg(name)).value(0).toInt();
        QVERIFY2(trigid > 0, qPrintable(name));
        queries.qTrgHd().setParameter(u"trigid"_s, trigid);
        queries.qTrgBd().setParameter(u"trigid"_s, trigid);
        QCOMPARE(catalog::ReadCatalogText(queries.qTrgHd()) + catalog::ReadCatalogText(queries.qTrgBd()), text);
    }

    // Views: 64-character pieces.
    for (const char *statement : connection::builtin::demoViews()) {
        const QString text = crlf(statement);
        const QString name = text.section(u' ', 2, 2);
        const int tabid = f.rows(u"select tabid from systables where tabname = '%1'"_s.arg(name)).value(0).toInt();
        queries.qViewBd().setParameter(u"tabid"_s, tabid);
        const QString stored = catalog::ReadCatalogText(queries.qViewBd());
        QCOMPARE(stored, text);
        QVERIFY(stored.size() > 64 || name == u"california_customers"_s);
    }
    queries.unprepareAll();
}

QUOLL_TEST(TstCatalogText);
#include "tst_catalogtext.moc"
