#include "testregistry.h"

#include "workspace/quoting.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::workspace;

// Quoting SQL for program source and taking the quotes off again.
class TstQuoting : public QObject
{
    Q_OBJECT

private slots:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << u"a\r\nb"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("lone LF and lone CR") << u"a\nb\rc"_s << QStringList{u"a"_s, u"b"_s, u"c"_s};
        QTest::newRow("a final break adds no line") << u"a\r\n"_s << QStringList{u"a"_s};
        QTest::newRow("empty lines inside stay") << u"a\r\n\r\nb"_s << QStringList{u"a"_s, QString(), u"b"_s};
        QTest::newRow("NUL ends the text") << u"a\r\nb\0c"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("nothing") << QString() << QStringList();
        QTest::newRow("only a break") << u"\r\n"_s << QStringList{QString()};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(quotingLines(text), lines);
    }

    void addQuotes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("two lines") << u"select *\r\nfrom t"_s << u"'select * '+\r\n'from t '+\r\n"_s;
        QTest::newRow("apostrophes are not doubled") << u"it's"_s << u"'it's '+\r\n"_s;
        QTest::newRow("blanks stay") << u"  a  "_s << u"'  a   '+\r\n"_s;
        QTest::newRow("empty line") << u"a\r\n\r\nb"_s << u"'a '+\r\n' '+\r\n'b '+\r\n"_s;
    }
    void addQuotes()
    {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(quoll::workspace::addQuotes(text), std::optional<QString>(quoted));
    }

    void unquotedLine_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("plain");
        QTest::newRow("added quotes") << u"'select * '+"_s << u"select *"_s;
        QTest::newRow("plus in front") << u"+ 'from t'"_s << u"from t"_s;
        QTest::newRow("plus after a blank") << u"'where x = 1 ' +"_s << u"where x = 1"_s;
        QTest::newRow("plus and two blanks") << u"+  'order by 1'"_s << u"order by 1"_s;
        QTest::newRow("text after the quote") << u"'from t';"_s << u"from t';"_s;
        QTest::newRow("indented") << u"    'a'+"_s << u"a"_s;
        QTest::newRow("plus glued") << u"+'x'+"_s << u"x"_s;
        QTest::newRow("doubled quotes stay") << u"'it''s'"_s << u"it''s"_s;
        QTest::newRow("lone apostrophe") << u" ' "_s << u"'"_s;
        QTest::newRow("lone plus") << u"+"_s << u"+"_s;
        QTest::newRow("tabs are blanks") << u"\t'a'\t"_s << u"a"_s;
    }
    void unquotedLine()
    {
        QFETCH(QString, line);
        QFETCH(QString, plain);
        QCOMPARE(quoll::workspace::unquotedLine(line), plain);
    }

    void roundTripLosesOnlyIndentation()
    {
        const QString sql = u"select a,\r\n       b\r\n  from t"_s;
        const std::optional<QString> back = deleteQuotes(*quoll::workspace::addQuotes(sql));
        QCOMPARE(back, std::optional<QString>(u"select a,\r\nb\r\nfrom t\r\n"_s));
    }

    void noLinesNoResult()
    {
        QCOMPARE(quoll::workspace::addQuotes(u"\0abc"_s), std::nullopt);
        QCOMPARE(deleteQuotes(QString()), std::nullopt);
    }
};

QUOLL_TEST(TstQuoting);
#include "tst_quoting.moc"
