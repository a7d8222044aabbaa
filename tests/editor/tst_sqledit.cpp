#include "core/error.h"
#include "editor/keybindings.h"
#include "editor/sqledit.h"
#include "editor/sqlhighlighter.h"
#include "editor/textloader.h"

#include "testregistry.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::editor;

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
    void anyDragIsTakenButOnlyTextAddsAnything()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.resize(300, 200);
        edit.setText(QStringLiteral("abc"));
        QMimeData files;
        files.setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/x.sql"))});
        const QPoint at = edit.viewport()->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &drop);
        QCOMPARE(edit.text(), QStringLiteral("abc"));

        QMimeData text;
        text.setText(QStringLiteral("x"));
        QDragEnterEvent textEnter(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &textEnter);
        QDragMoveEvent textMove(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &textMove);
        QDropEvent textDrop(QPointF(at), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit.viewport(), &textDrop);
        QCOMPARE(edit.text().size(), 4);

        SqlEdit pane(SqlEdit::Mode::ReadOnlyPane);
        pane.resize(300, 200);
        QDragEnterEvent paneEnter(at, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pane.viewport(), &paneEnter);
        QVERIFY(!paneEnter.isAccepted());
    }

    void textKeepsEveryCharacter()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        const QString text = QStringLiteral("a\u00A0b\r\n\tc \u2603\r\n");
        edit.setText(text);
        QCOMPARE(edit.text(), text);
        edit.setSelection(0, 3);
        QCOMPARE(edit.selectedText(), QStringLiteral("a\u00A0b"));
    }

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

    // Every binding that would change the text, and typing, leave the
    // procedure pane's text as it was; moving and copying still work.
    void readOnlyPaneRefusesEveryEditingKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        int editing = 0;
        for (const KeyBinding &binding : defaultKeyBindings()) {
            if (!changesText(binding.command))
                continue;
            ++editing;
            QTest::addRow("%s", qPrintable(QKeySequence(binding.keys).toString()))
                << int(binding.keys.key()) << int(binding.keys.keyboardModifiers());
        }
        QCOMPARE(editing, 21);
        QTest::newRow("letter") << int(Qt::Key_X) << 0;
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void readOnlyPaneRefusesEveryEditingKey()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QWidget window;
        auto *pane = new SqlEdit(SqlEdit::Mode::ReadOnlyPane, &window);
        pane->setWantTabs(true); // so that even Tab reaches the pane
        window.show();
        pane->setFocus();
        QApplication::clipboard()->setText(u"pasted"_s);
        pane->setText(threeLines);
        pane->setSelection(7, 4);
        QTest::keyClick(pane, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(pane->text(), threeLinesCrLf);
        QVERIFY(!pane->canUndo());
        QVERIFY(!pane->canPaste());
        QVERIFY(!pane->overwriteMode());
    }

    void readOnlyPaneHasNoCaretButMovesAndCopies()
    {
        SqlEdit pane(SqlEdit::Mode::ReadOnlyPane);
        QCOMPARE(pane.cursorWidth(), 0);
        QVERIFY(pane.isReadOnly());
        QVERIFY(pane.options().testFlag(EditorOption::NoCaret));
        pane.setText(threeLines);
        pane.show();
        QTest::keyClick(&pane, Qt::Key_Insert); // no overwrite caret either
        QVERIFY(!pane.overwriteMode());
        QTest::keyClick(&pane, Qt::Key_Down);
        QTest::keyClick(&pane, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(pane.selectedText(), u"1234567"_s);
        QTest::keyClick(&pane, Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"1234567"_s);
        QTest::keyClick(&pane, Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(pane.selLength(), 19);
    }

    void pagesAreConfiguredAsTheWindowWantsThem()
    {
        SqlEdit page(SqlEdit::Mode::Editable);
        QCOMPARE(page.font().family(), u"Courier New"_s);
        QVERIFY(page.tabChangesFocus());
        QVERIFY(page.acceptDrops());
        QVERIFY(page.cursorWidth() > 0);
        QCOMPARE(page.findChild<SqlHighlighter *>(u"SqlHighlighter1"_s), page.highlighter());
        // Tab stops are eight blanks of whatever font the page has.
        QCOMPARE(page.tabStopDistance(), QFontMetricsF(page.font()).horizontalAdvance(u' ') * 8);
        QFont bigger = page.font();
        bigger.setPixelSize(bigger.pixelSize() * 2);
        page.setFont(bigger);
        QCOMPARE(page.tabStopDistance(), QFontMetricsF(bigger).horizontalAdvance(u' ') * 8);
    }

    void rightEdgeIsASilverLineAtColumn80()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setBackground(Qt::white);
        QCOMPARE(edit.background(), QColor(Qt::white));
        edit.resize(1400, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const int x = edit.rightEdgeX();
        const qreal advance = QFontMetricsF(edit.font()).horizontalAdvance(u'x');
        QVERIFY(qAbs(x - (edit.document()->documentMargin() + 80 * advance)) <= 1);
        const QImage image = edit.viewport()->grab().toImage();
        QCOMPARE(image.pixelColor(x, 100), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(image.pixelColor(x - 3, 100), QColor(Qt::white));
        // With the text scrolled sideways the marker moves with it.
        edit.setText(QString(300, u'y'));
        edit.horizontalScrollBar()->setValue(40);
        QCOMPARE(edit.rightEdgeX(), x - 40);
    }

    void draggingPastTheBottomScrolls()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        QStringList lines;
        for (int i = 0; i < 300; ++i)
            lines << u"select %1 from t"_s.arg(i);
        edit.setText(lines.join(u'\n'));
        edit.resize(400, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        QWidget *view = edit.viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, QPoint(20, 10));
        QMouseEvent drag(QEvent::MouseMove, QPointF(20, view->height() + 30), view->mapToGlobal(QPointF(20, view->height() + 30)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        // The control's scroll timer reads where the mouse pointer is now.
        QCursor::setPos(view->mapToGlobal(QPoint(20, view->height() + 30)));
        QApplication::sendEvent(view, &drag);
        const int before = edit.verticalScrollBar()->value();
        QTRY_VERIFY_WITH_TIMEOUT(edit.verticalScrollBar()->value() >= before + 2, 30000);
        QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(20, view->height() - 5));
        QVERIFY(edit.hasSelection());
    }

    // A large text shows its beginning at once and arrives in full; nothing
    // read from outside sees it half loaded, and the caret stays put.
    void largeTextLoadsInTheBackground()
    {
        QStringList lines;
        for (int i = 0; i < 40000; ++i)
            lines << u"select col%1, 'text' from tab%1 where id = %1;"_s.arg(i);
        const QString whole = lines.join(u"\r\n"_s);
        QVERIFY(whole.size() > TextLoader::DirectLimit);

        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.show();
        edit.setText(whole);
        QVERIFY(edit.isLoading());
        QVERIFY(edit.document()->blockCount() < 40000);
        QCOMPARE(edit.document()->firstBlock().text(), lines.first());
        // The caret at the end of what has arrived so far is not carried along.
        QTextCursor caret(edit.document());
        caret.movePosition(QTextCursor::End);
        edit.setTextCursor(caret);
        const int position = caret.position();
        QSignalSpy done(edit.findChild<TextLoader *>(), &TextLoader::finished);
        QVERIFY(done.wait(10000));
        QVERIFY(!edit.isLoading());
        QCOMPARE(edit.textCursor().position(), position);
        QCOMPARE(edit.document()->blockCount(), 40000);
        // The text arrived out of sight, but the scroll bar knows all of it.
        QTRY_VERIFY(edit.verticalScrollBar()->maximum() > 39900);
        QVERIFY(!edit.canUndo());
        QVERIFY(!edit.document()->isModified());
        QTest::keyClicks(&edit, u"x"_s);
        QVERIFY(edit.canUndo());

        // Reading the text while it loads gives all of it.
        edit.setText(whole);
        QVERIFY(edit.isLoading());
        QCOMPARE(edit.text(), whole);
        QVERIFY(!edit.isLoading());
        // So does an edit: it waits for the rest, and is undoable on its own.
        edit.setText(whole);
        edit.setSelection(0, 6);
        QTest::keyClicks(&edit, u"SELECT"_s);
        QCOMPARE(edit.document()->blockCount(), 40000);
        QVERIFY(edit.text().startsWith(u"SELECT col0"_s));
        edit.undo();
        QCOMPARE(edit.text(), whole);
        // A new text replaces one still loading, none of the old one stays.
        edit.setText(whole);
        QVERIFY(edit.isLoading());
        edit.setText(u"select 1"_s);
        QVERIFY(!edit.isLoading());
        QCOMPARE(edit.text(), u"select 1"_s);
        QTest::keyClicks(&edit, u"x"_s);
        QVERIFY(edit.canUndo());
    }

    void repaintCanBeSuspended()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.suspendRepaint();
        edit.suspendRepaint();
        QVERIFY(!edit.viewport()->updatesEnabled());
        edit.resumeRepaint();
        QVERIFY(!edit.viewport()->updatesEnabled());
        edit.resumeRepaint();
        QVERIFY(edit.viewport()->updatesEnabled());
        edit.resumeRepaint(); // one too many does no harm
        QVERIFY(edit.viewport()->updatesEnabled());
    }

    void operationsOfTheOtherParts()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setText(u"select *\r\nfrom t"_s);
        QVERIFY(!edit.hasSelection());
        edit.SelectAll();
        QCOMPARE(edit.selLength(), 16);
        edit.copy();
        QCOMPARE(QApplication::clipboard()->text(), u"select *\nfrom t"_s);
        edit.setSelection(7, 1);
        edit.cut();
        QCOMPARE(edit.text(), u"select \r\nfrom t"_s);
        QVERIFY(edit.canPaste());
        edit.paste();
        QCOMPARE(edit.text(), u"select *\r\nfrom t"_s);
        edit.setSelection(0, 7);
        edit.deleteSelection();
        QCOMPARE(edit.text(), u"*\r\nfrom t"_s);
        QApplication::clipboard()->clear();
        QVERIFY(!edit.canPaste());
    }

    void horizontalScrollingReachesTheMaximumLineLength()
    {
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.setText(u"select 1"_s);
        edit.resize(600, 200);
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        const qreal advance = QFontMetricsF(edit.font()).horizontalAdvance(u'x');
        QScrollBar *bar = edit.horizontalScrollBar();
        QVERIFY(bar->maximum() + edit.viewport()->width() >= int(1024 * advance));
        edit.setOptions(edit.options() & ~EditorOptions(EditorOption::ScrollPastEndOfLine));
        QTRY_COMPARE(bar->maximum(), 0);
        edit.setOptions(edit.options() | EditorOption::ScrollPastEndOfLine);
        // A longer line makes room for itself.
        edit.setText(QString(1500, u'y'));
        QTRY_VERIFY(bar->maximum() + edit.viewport()->width() >= int(1500 * advance));
    }

    // Lines coloured in the background are painted with their new colours:
    // the screen ends up as it is when the same text is coloured at once.
    void backgroundColouringReachesTheScreen()
    {
        QStringList lines;
        for (int i = 0; i < 400; ++i)
            lines << u"select %1, 'a' from t where x = 2 -- c"_s.arg(i);
        SqlEdit edit(SqlEdit::Mode::Editable);
        edit.resize(700, 300);
        edit.setText(lines.join(u'\n'));
        edit.highlighter()->setBudgets({3, 0}, {20, 0});
        edit.show();
        QVERIFY(QTest::qWaitForWindowExposed(&edit));
        edit.setSelection(0, 0);
        edit.replaceSelection(u"/* "_s);
        QVERIFY(edit.highlighter()->isColouringPending());
        QSignalSpy finished(edit.highlighter(), &SqlHighlighter::colouringFinished);
        QVERIFY(finished.wait(5000));

        SqlEdit reference(SqlEdit::Mode::Editable);
        reference.resize(700, 300);
        reference.setText(edit.toPlainText());
        reference.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reference));
        edit.setSelection(0, 0);
        reference.setSelection(0, 0);
        edit.clearFocus();
        reference.clearFocus();
        QCOMPARE(edit.viewport()->grab().toImage(), reference.viewport()->grab().toImage());
        const QTextBlock last = edit.document()->lastBlock();
        QVERIFY(last.layout()->formats().size() == 1 && last.layout()->formats().first().format.fontItalic());
    }
};

QUOLL_TEST(TstSqlEdit);

#include "tst_sqledit.moc"
