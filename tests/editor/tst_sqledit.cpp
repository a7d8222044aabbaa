#include "editor/sqledit.h"

#include "testregistry.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextBlock>

using namespace Qt::Literals::StringLiterals;
using quoll::editor::SqlEdit;

namespace {

// Three lines; counted the program's way they are "12345\r\n1234567\r\nabc".
const QString threeLines = u"12345\n1234567\nabc"_s;
const QString threeLinesCrLf = u"12345\r\n1234567\r\nabc"_s;

void putCaret(SqlEdit &edit, int block, int column)
{
    QTextCursor cursor(edit.document()->findBlockByNumber(block));
    cursor.setPosition(cursor.position() + column);
    edit.setTextCursor(cursor);
}

} // namespace

class TstSqlEdit : public QObject
{
    Q_OBJECT

private slots:
    void caretCountsLineBreaksAsTwo_data()
    {
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("selStart");
        QTest::newRow("end of line 1") << 0 << 5 << 5;
        QTest::newRow("start of line 2") << 1 << 0 << 7;
        QTest::newRow("inside line 2") << 1 << 3 << 10;
        QTest::newRow("start of line 3") << 2 << 0 << 16;
        QTest::newRow("end of text") << 2 << 3 << 19;
    }

    void caretCountsLineBreaksAsTwo()
    {
        QFETCH(int, block);
        QFETCH(int, column);
        QFETCH(int, selStart);
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setPlainText(threeLines);
        QCOMPARE(edit.text(), threeLinesCrLf);
        putCaret(edit, block, column);
        QCOMPARE(edit.selStart(), selStart);
        QCOMPARE(edit.selLength(), 0);
        QVERIFY(!edit.hasSelection());
    }

    void setSelectionSelectsThoseCharacters_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("length");
        QTest::newRow("first line") << 0 << 5;
        QTest::newRow("across one break") << 3 << 6;
        QTest::newRow("whole line 2") << 7 << 7;
        QTest::newRow("line break only") << 5 << 2;
        QTest::newRow("into line 3") << 12 << 6;
        QTest::newRow("line 3") << 16 << 3;
        QTest::newRow("from line 1 into line 3") << 4 << 13;
        QTest::newRow("everything") << 0 << 19;
    }

    void setSelectionSelectsThoseCharacters()
    {
        QFETCH(int, start);
        QFETCH(int, length);
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setPlainText(threeLines);
        edit.setSelection(start, length);
        QCOMPARE(edit.selectedText(), threeLinesCrLf.mid(start, length));
        QCOMPARE(edit.selStart(), start);
        QCOMPARE(edit.selLength(), length);
    }

    void selectionEdgesAreClamped()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setPlainText(threeLines);
        // Offset 6 lies between CR and LF: it stands for the line end.
        edit.setSelection(6, 3);
        QCOMPARE(edit.selStart(), 5);
        QCOMPARE(edit.selectedText(), u"\r\n12"_s);
        edit.setSelection(16, 50);
        QCOMPARE(edit.selectedText(), u"abc"_s);
    }

    void replaceSelectionIsOneUndoStep()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setPlainText(u"select * from tab"_s);
        QVERIFY(!edit.canUndo());
        QTest::keyClick(&edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(&edit, u" where 1=1"_s);
        const QString typed = u"select * from tab where 1=1"_s;
        QVERIFY(edit.canUndo());

        edit.setSelection(7, 1);
        edit.replaceSelection(u"id,\r\nname"_s);
        const QString replaced = u"select id,\r\nname from tab where 1=1"_s;
        QCOMPARE(edit.text(), replaced);
        QVERIFY(!edit.canRedo());

        edit.undo();
        QCOMPARE(edit.text(), typed);
        QVERIFY(edit.canRedo());
        edit.redo();
        QCOMPARE(edit.text(), replaced);
    }

    void replacementAtCaretKeepsLineBreaksSingle_data()
    {
        QTest::addColumn<QString>("inserted");
        QTest::newRow("CR LF") << u"one\r\ntwo"_s;
        QTest::newRow("LF") << u"one\ntwo"_s;
        QTest::newRow("CR") << u"one\rtwo"_s;
    }

    void replacementAtCaretKeepsLineBreaksSingle()
    {
        QFETCH(QString, inserted);
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setPlainText(u"ab\n[]"_s);
        edit.setSelection(5, 0);
        edit.replaceSelection(inserted);
        QCOMPARE(edit.document()->blockCount(), 3);
        QCOMPARE(edit.text(), u"ab\r\n[one\r\ntwo]"_s);
        QCOMPARE(edit.selStart(), 13);
        QVERIFY(!edit.hasSelection());
    }

    void readOnlyPaneRefusesTypingButCopies()
    {
        SqlEdit pane(SqlEdit::Mode::ReadOnlyPane);
        pane.setPlainText(threeLines);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        putCaret(pane, 0, 0);
        QTest::keyClicks(&pane, u"xyz"_s);
        QTest::keyClick(&pane, Qt::Key_Delete);
        QTest::keyClick(&pane, Qt::Key_Return);
        QCOMPARE(pane.text(), threeLinesCrLf);
        QVERIFY(!pane.canUndo());

        putCaret(pane, 1, 0);
        QTest::keyClick(&pane, Qt::Key_End, Qt::ShiftModifier);
        QCOMPARE(pane.selectedText(), u"1234567"_s);
        QApplication::clipboard()->clear();
        QTest::keySequence(&pane, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), u"1234567"_s);
    }
};

QUOLL_TEST(TstSqlEdit);

#include "tst_sqledit.moc"
