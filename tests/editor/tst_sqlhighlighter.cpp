#include "editor/sqlhighlighter.h"

#include "testregistry.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::editor;

namespace {

// The format the highlighter gave the character at `column` of `line`.
QTextCharFormat formatAt(const QTextDocument &document, int line, int column)
{
    const QTextBlock block = document.findBlockByNumber(line);
    for (const QTextLayout::FormatRange &range : block.layout()->formats())
        if (column >= range.start && column < range.start + range.length)
            return range.format;
    return {};
}

// "B" bold, "I" italic, "blue", "green" or "plain".
QString look(const QTextCharFormat &format)
{
    QStringList parts;
    if (format.fontWeight() == QFont::Bold)
        parts << u"B"_s;
    if (format.fontItalic())
        parts << u"I"_s;
    if (format.hasProperty(QTextFormat::ForegroundBrush)) {
        const QColor c = format.foreground().color();
        parts << (c == QColor(0, 0, 0xFF) ? u"blue"_s : c == QColor(0, 0x80, 0) ? u"green"_s : c.name());
    }
    if (format.hasProperty(QTextFormat::BackgroundBrush))
        parts << u"background"_s;
    return parts.isEmpty() ? u"plain"_s : parts.join(u'+');
}

// The look of every line, one letter per character: c comment, k reserved,
// n number, s string, . plain.
QString picture(const QTextDocument &document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString row;
        for (int i = 0; i < block.length() - 1; ++i) {
            const QString l = look(formatAt(document, block.blockNumber(), i));
            row += l == u"I"_s ? u'c' : l == u"B"_s ? u'k' : l == u"blue"_s ? u'n' : l == u"green"_s ? u's' : u'.';
        }
        lines << row;
    }
    return lines.join(u'\n');
}

QString numberedLines(int count, const QString &pattern)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << pattern.arg(i);
    return lines.join(u'\n');
}

} // namespace

class TstSqlHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void eachKindHasItsAttribute_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("look");
        const QString line = u"SELECT a, 12.5, 'txt', @v, #x -- note"_s;
        QTest::newRow("reserved word bold") << line << 0 << u"B"_s;
        QTest::newRow("identifier plain") << line << 7 << u"plain"_s;
        QTest::newRow("symbol plain") << line << 8 << u"plain"_s;
        QTest::newRow("number blue") << line << 11 << u"blue"_s;
        QTest::newRow("string green") << line << 17 << u"green"_s;
        QTest::newRow("variable plain") << line << 23 << u"plain"_s;
        QTest::newRow("unknown plain") << line << 27 << u"plain"_s;
        QTest::newRow("space plain") << line << 6 << u"plain"_s;
        QTest::newRow("line comment italic") << line << 33 << u"I"_s;
        QTest::newRow("block comment italic") << u"x /* y */"_s << 5 << u"I"_s;
        QTest::newRow("lower-case keyword bold") << u"from"_s << 2 << u"B"_s;
        QTest::newRow("type name plain") << u"integer"_s << 2 << u"plain"_s;
    }

    void eachKindHasItsAttribute()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(QString, look);
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        document.setPlainText(text);
        QCOMPARE(::look(formatAt(document, 0, column)), look);
    }

    void stringOverThreeLinesColoursTheMiddleLine()
    {
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        document.setPlainText(u"select 'a\nfrom where 1\nz' x"_s);
        QCOMPARE(picture(document), u"kkkkkk.ss\nssssssssssss\nss.."_s);
        QCOMPARE(SqlHighlighter::stateAfter(document.findBlockByNumber(1)), LineState::SingleQuoteString);
        QCOMPARE(SqlHighlighter::stateAfter(document.findBlockByNumber(2)), LineState::None);
    }

    // Opening a comment at the top re-colours the lines below it, closing
    // it gives them their colours back.
    void editsRecolourTheLinesBelow()
    {
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        document.setPlainText(u"x\nselect 1\nfrom t"_s);
        const QString before = picture(document);
        QCOMPARE(before, u".\nkkkkkk.n\nkkkk.."_s);
        QTextCursor cursor(&document);
        cursor.insertText(u"/*"_s);
        QCOMPARE(picture(document), u"ccc\ncccccccc\ncccccc"_s);
        cursor.setPosition(document.findBlockByNumber(1).position() + 8);
        cursor.insertText(u"*/"_s);
        QCOMPARE(picture(document), u"ccc\ncccccccccc\nkkkk.."_s);
        cursor.setPosition(0);
        cursor.setPosition(2, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        QCOMPARE(picture(document), u".\nkkkkkk.n..\nkkkk.."_s);
    }

    // With a small budget an edit colours a few lines at once and leaves the
    // rest for idle time; the end result is the same as colouring all at once,
    // even when more edits come in between.
    void deferredColouringEndsLikeFullColouring()
    {
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        highlighter.setBudgets({3, 0}, {7, 0});
        document.setPlainText(numberedLines(60, u"select %1 from t -- c"_s));
        // Text added at the end is coloured at once, budget or not.
        QVERIFY(!highlighter.isColouringPending());
        QCOMPARE(picture(document).section(u'\n', 59, 59), u"kkkkkk.nn.kkkk...cccc"_s);

        QTextCursor cursor(&document);
        cursor.insertText(u"/* "_s);
        QVERIFY(highlighter.isColouringPending());
        QCOMPARE(picture(document).section(u'\n', 10, 10).left(6), u"kkkkkk"_s);
        QCOMPARE(picture(document).section(u'\n', 1, 1).left(6), u"cccccc"_s);
        // An edit while lines still wait: positions below it move.
        cursor.setPosition(document.findBlockByNumber(30).position());
        cursor.insertText(u"end */ 'open\nmore\n"_s);
        QVERIFY(highlighter.isColouringPending());

        QSignalSpy finished(&highlighter, &SqlHighlighter::colouringFinished);
        QVERIFY(finished.wait(5000));
        QVERIFY(!highlighter.isColouringPending());

        QTextDocument reference;
        SqlHighlighter full(&reference);
        reference.setPlainText(document.toPlainText());
        QCOMPARE(picture(document), picture(reference));
        for (QTextBlock a = document.begin(), b = reference.begin(); a.isValid(); a = a.next(), b = b.next())
            QCOMPARE(a.userState(), b.userState());
    }

    void finishColouringColoursEverythingNow()
    {
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        highlighter.setBudgets({2, 0}, {2, 0});
        document.setPlainText(numberedLines(20, u"%1"_s));
        QTextCursor(&document).insertText(u"'"_s);
        QVERIFY(highlighter.isColouringPending());
        highlighter.finishColouring();
        QVERIFY(!highlighter.isColouringPending());
        // The quote opened on the first line runs to the end.
        QCOMPARE(SqlHighlighter::stateAfter(document.lastBlock()), LineState::SingleQuoteString);
        QCOMPARE(picture(document).section(u'\n', 18, 19), u"ss\nss"_s);
    }

    // A second change that re-colours everything below, made while the
    // first one's lines are still waiting, reaches the last line too.
    void secondLongChangeReachesTheEnd()
    {
        QTextDocument document;
        SqlHighlighter highlighter(&document);
        highlighter.setBudgets({3, 0}, {50, 0});
        document.setPlainText(numberedLines(600, u"select %1 from t"_s));
        QTextCursor cursor(document.findBlockByNumber(300));
        cursor.insertText(u"'"_s);
        QVERIFY(highlighter.isColouringPending());
        QApplication::processEvents();
        cursor.setPosition(0);
        cursor.insertText(u"/*"_s);
        QSignalSpy finished(&highlighter, &SqlHighlighter::colouringFinished);
        QVERIFY(finished.wait(5000));
        QCOMPARE(SqlHighlighter::stateAfter(document.lastBlock()), LineState::BlockComment);
        QCOMPARE(picture(document).section(u'\n', 599, 599), u"ccccccccccccccccc"_s);
    }
};

QUOLL_TEST(TstSqlHighlighter);

#include "tst_sqlhighlighter.moc"
