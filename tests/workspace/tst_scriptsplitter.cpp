#include "testregistry.h"

#include "workspace/scriptsplitter.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::workspace::ScriptSplitter;

// Where a script is cut into statements decides what reaches the server:
// every case here is a statement a user would otherwise see cut wrongly.
class TstScriptSplitter : public QObject
{
    Q_OBJECT

private slots:
    void cutsWhereTheRulesSay_data();
    void cutsWhereTheRulesSay();
    void startPositionsCountFromTheSelectionOffset();
    void everyCharacterBelongsToExactlyOneStatementOrTheTail();
    void textFromFilesEndsLineCommentsAtAnyLineBreak_data();
    void textFromFilesEndsLineCommentsAtAnyLineBreak();
};

void TstScriptSplitter::cutsWhereTheRulesSay_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QList<int>>("starts");

    QTest::newRow("two statements") << u"select 1 from t; select 2 from t"_s
                                    << QStringList{u"select 1 from t;"_s, u" select 2 from t"_s}
                                    << QList<int>{1, 17};
    QTest::newRow("semicolon in a string") << u"select ';' from t; select 2 from t"_s
                                           << QStringList{u"select ';' from t;"_s, u" select 2 from t"_s}
                                           << QList<int>{1, 19};
    QTest::newRow("semicolon in a double-quoted string")
        << u"select \";\" from t; x"_s << QStringList{u"select \";\" from t;"_s, u" x"_s} << QList<int>{1, 19};
    QTest::newRow("doubled quote") << u"select 'it''s; ok' from t; x"_s
                                   << QStringList{u"select 'it''s; ok' from t;"_s, u" x"_s} << QList<int>{1, 27};
    QTest::newRow("line comment") << u"select 1 -- not; here\r\nfrom t; x"_s
                                  << QStringList{u"select 1 -- not; here\r\nfrom t;"_s, u" x"_s}
                                  << QList<int>{1, 31};
    QTest::newRow("line comment ended by a lone LF runs on")
        << u"select 1 -- a\nb; c\r\nfrom t; x"_s
        << QStringList{u"select 1 -- a\nb; c\r\nfrom t;"_s, u" x"_s} << QList<int>{1, 28};
    QTest::newRow("brace comment") << u"select 1 { ; } from t; x"_s
                                   << QStringList{u"select 1 { ; } from t;"_s, u" x"_s} << QList<int>{1, 23};
    QTest::newRow("block comment") << u"select 1 /* ; */ from t; x"_s
                                   << QStringList{u"select 1 /* ; */ from t;"_s, u" x"_s} << QList<int>{1, 25};
    QTest::newRow("block comment ends at the first close")
        << u"select /* a */ 1; /* b ; */ x"_s << QStringList{u"select /* a */ 1;"_s, u" /* b ; */ x"_s}
        << QList<int>{1, 18};
    QTest::newRow("procedure body") << u"CREATE PROCEDURE p() LET x = 1; END PROCEDURE; EXECUTE PROCEDURE p();"_s
                                    << QStringList{u"CREATE PROCEDURE p() LET x = 1; END PROCEDURE;"_s,
                                                   u" EXECUTE PROCEDURE p();"_s}
                                    << QList<int>{1, 47};
    QTest::newRow("function body") << u"create function f() returning int; return 1; end function; select 1 from t;"_s
                                   << QStringList{u"create function f() returning int; return 1; end function;"_s,
                                                  u" select 1 from t;"_s}
                                   << QList<int>{1, 59};
    QTest::newRow("drop procedure opens no body") << u"drop procedure p; create table t (a int);"_s
                                                  << QStringList{u"drop procedure p;"_s,
                                                                 u" create table t (a int);"_s}
                                                  << QList<int>{1, 18};
    QTest::newRow("dba procedure body")
        << u"create dba procedure p() let x = 1; end procedure; select 1 from t;"_s
        << QStringList{u"create dba procedure p() let x = 1; end procedure;"_s, u" select 1 from t;"_s}
        << QList<int>{1, 51};
    QTest::newRow("a trigger's execute procedure opens no body")
        << u"create trigger tr insert on t for each row (execute procedure p()); select 1 from t;"_s
        << QStringList{u"create trigger tr insert on t for each row (execute procedure p());"_s,
                       u" select 1 from t;"_s}
        << QList<int>{1, 68};
    QTest::newRow("only semicolons") << u";;"_s << QStringList{} << QList<int>{};
    QTest::newRow("empty") << QString() << QStringList{} << QList<int>{};
    QTest::newRow("semicolon before any word is carried on")
        << u"  ; select 1;"_s << QStringList{u"  ; select 1;"_s} << QList<int>{1};
    QTest::newRow("tail without a word is not sent") << u"select 1; -- done\r\n"_s
                                                     << QStringList{u"select 1;"_s} << QList<int>{1};
    QTest::newRow("unterminated string runs to the end")
        << u"select 'abc; def"_s << QStringList{u"select 'abc; def"_s} << QList<int>{1};
    QTest::newRow("unterminated comment runs to the end")
        << u"select 1 { ; x"_s << QStringList{u"select 1 { ; x"_s} << QList<int>{1};
    QTest::newRow("cyrillic is no word") << u"Привет; select 1"_s
                                         << QStringList{u"Привет; select 1"_s} << QList<int>{1};
    QTest::newRow("trailing minus") << u"select 1 -"_s << QStringList{u"select 1 -"_s} << QList<int>{1};
    QTest::newRow("one letter at the end") << u"select 1; x"_s << QStringList{u"select 1;"_s, u" x"_s}
                                           << QList<int>{1, 10};
}

void TstScriptSplitter::cutsWhereTheRulesSay()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QFETCH(QList<int>, starts);
    QStringList texts;
    QList<int> positions;
    for (const auto &s : ScriptSplitter::split(script)) {
        texts.append(s.text.toString());
        positions.append(s.start);
    }
    QCOMPARE(texts, statements);
    QCOMPARE(positions, starts);
}

void TstScriptSplitter::startPositionsCountFromTheSelectionOffset()
{
    const auto statements = ScriptSplitter::split(u"select 1;\r\nselect 2; select 3"_s, 100);
    QCOMPARE(statements.size(), size_t(3));
    QCOMPARE(statements[0].start, 101);
    QCOMPARE(statements[1].start, 110);
    QCOMPARE(statements[2].start, 121);
}

void TstScriptSplitter::everyCharacterBelongsToExactlyOneStatementOrTheTail()
{
    const QString script = u"create procedure p(); let a = ';'; end procedure;\r\n"
                           u"{ x; } select 1 from t; -- c;\r\nselect \"a;b\" from t;;  "_s;
    QString joined;
    for (const auto &s : ScriptSplitter::split(script))
        joined += s.text;
    QCOMPARE(joined, script.left(joined.size()));
    QCOMPARE(script.mid(joined.size()), u";  "_s);
}

// Files and pipes end lines with LF (or CR): a line comment there must not
// swallow the statements of the lines after it.
void TstScriptSplitter::textFromFilesEndsLineCommentsAtAnyLineBreak_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("statements");

    QTest::newRow("comment ended by LF")
        << u"select 1 a from systables where tabid=1; -- note\nselect 2 from t;\n"_s
        << QStringList{u"select 1 a from systables where tabid=1;"_s, u" -- note\nselect 2 from t;"_s};
    QTest::newRow("semicolon in a comment ended by LF")
        << u"select 1 -- not; here\nfrom t; x"_s << QStringList{u"select 1 -- not; here\nfrom t;"_s, u" x"_s};
    QTest::newRow("comment ended by CR LF") << u"select 1 -- a\r\nfrom t; x"_s
                                            << QStringList{u"select 1 -- a\r\nfrom t;"_s, u" x"_s};
    QTest::newRow("comment ended by a lone CR")
        << u"select 1; -- a\rselect 2;"_s << QStringList{u"select 1;"_s, u" -- a\rselect 2;"_s};
    QTest::newRow("comment on the last line") << u"select 1;\n-- the end"_s << QStringList{u"select 1;"_s};
    QTest::newRow("comment lines between statements")
        << u"-- one\n-- two\nselect 1;\n-- three\nselect 2"_s
        << QStringList{u"-- one\n-- two\nselect 1;"_s, u"\n-- three\nselect 2"_s};
}

void TstScriptSplitter::textFromFilesEndsLineCommentsAtAnyLineBreak()
{
    QFETCH(QString, script);
    QFETCH(QStringList, statements);
    QStringList texts;
    for (const auto &s : ScriptSplitter::split(script, 0, ScriptSplitter::LineBreaks::Any))
        texts.append(s.text.toString());
    QCOMPARE(texts, statements);
}

QUOLL_TEST(TstScriptSplitter);
#include "tst_scriptsplitter.moc"
