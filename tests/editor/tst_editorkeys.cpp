#include "editor/keybindings.h"
#include "editor/sqledit.h"

#include "editorfixture.h"
#include "testregistry.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QSet>
#include <QTest>
#include <QVBoxLayout>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::editor;
using editortest::marked;
using editortest::setMarked;

namespace {

// Presses each entry: a key sequence ("Ctrl+Shift+Left"), or, after a
// double quote, text typed as it stands.
void press(QWidget *widget, const QStringList &keys)
{
    for (const QString &entry : keys) {
        if (entry.startsWith(u'"')) {
            QTest::keyClicks(widget, entry.mid(1));
            continue;
        }
        const QKeySequence sequence(entry);
        QVERIFY2(!sequence.isEmpty(), qPrintable(entry));
        for (int i = 0; i < sequence.count(); ++i)
            QTest::keyClick(widget, sequence[i].key(), sequence[i].keyboardModifiers());
    }
}

struct Window
{
    QWidget window;
    SqlEdit *edit;
    SqlEdit *other;

    explicit Window(SqlEdit::Mode mode = SqlEdit::Mode::Editable)
    {
        auto *layout = new QVBoxLayout(&window);
        edit = new SqlEdit(mode, &window);
        other = new SqlEdit(SqlEdit::Mode::Editable, &window);
        layout->addWidget(edit);
        layout->addWidget(other);
        window.resize(640, 480);
        window.show();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
    }
};

} // namespace

class TstEditorKeys : public QObject
{
    Q_OBJECT

private slots:
    void tableHasSeventyNineDistinctKeys()
    {
        const auto &table = defaultKeyBindings();
        QCOMPARE(table.size(), size_t(79));
        QSet<int> keys;
        for (const KeyBinding &binding : table)
            keys.insert(binding.keys.toCombined());
        QCOMPARE(keys.size(), 79);
    }

    void keysAreReadAsTheTableWritesThem_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("argument");
        const int ctrlShift = int(Qt::ControlModifier | Qt::ShiftModifier);
        QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << int(EditorCommand::LineBreak) << 0;
        QTest::newRow("backtab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier) << int(EditorCommand::BackTab) << 0;
        QTest::newRow("ctrl+shift+1 as !") << int(Qt::Key_Exclam) << ctrlShift << int(EditorCommand::SetBookmark) << 1;
        QTest::newRow("ctrl+shift+0 as )") << int(Qt::Key_ParenRight) << ctrlShift << int(EditorCommand::SetBookmark) << 0;
        QTest::newRow("ctrl+shift+9 as (") << int(Qt::Key_ParenLeft) << ctrlShift << int(EditorCommand::SetBookmark) << 9;
        QTest::newRow("ctrl+shift+3") << int(Qt::Key_3) << ctrlShift << int(EditorCommand::SetBookmark) << 3;
        QTest::newRow("ctrl+7") << int(Qt::Key_7) << int(Qt::ControlModifier) << int(EditorCommand::GotoBookmark) << 7;
        QTest::newRow("keypad arrow") << int(Qt::Key_Up) << int(Qt::KeypadModifier) << int(EditorCommand::CaretUp) << 0;
    }

    void keysAreReadAsTheTableWritesThem()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, command);
        QFETCH(int, argument);
        const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers));
        const auto bound = commandForKey(event);
        QVERIFY(bound.has_value());
        QCOMPARE(int(bound->command), command);
        QCOMPARE(bound->argument, argument);
    }

    void unboundKeysAreNotCommands()
    {
        for (const auto &[key, mods] : std::initializer_list<std::pair<int, Qt::KeyboardModifiers>>{
                 {Qt::Key_F5, Qt::NoModifier}, {Qt::Key_E, Qt::ControlModifier}, {Qt::Key_Exclam, Qt::ShiftModifier},
                 {Qt::Key_Tab, Qt::ControlModifier}, {Qt::Key_Home, Qt::AltModifier}}) {
            const QKeyEvent event(QEvent::KeyPress, key, mods);
            QVERIFY(!commandForKey(event));
        }
    }

    void keysDoWhatTheyAreBoundTo_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QString>("after");
        const auto row = [](const char *name, const QString &before, const QStringList &keys, const QString &after) {
            QTest::newRow(name) << before << keys << after;
        };
        row("right", u"ab|c"_s, {u"Right"_s}, u"abc|"_s);
        row("left at the start stays", u"|ab"_s, {u"Left"_s}, u"|ab"_s);
        row("down keeps the column", u"ab|c\nd\nefgh"_s, {u"Down"_s, u"Down"_s}, u"abc\nd\nef|gh"_s);
        row("up", u"ab\ncd|"_s, {u"Up"_s}, u"ab|\ncd"_s);
        row("shift+right", u"a|bc"_s, {u"Shift+Right"_s, u"Shift+Right"_s}, u"a^bc|"_s);
        row("shift+left", u"ab|c"_s, {u"Shift+Left"_s}, u"a|b^c"_s);
        row("shift+up", u"ab\nc|d"_s, {u"Shift+Up"_s}, u"a|b\nc^d"_s);
        row("shift+down", u"a|b\ncd"_s, {u"Shift+Down"_s}, u"a^b\nc|d"_s);
        row("plain move drops the selection", u"a^bc|"_s, {u"Left"_s}, u"ab|c"_s);
        row("word right", u"select id|, name"_s, {u"Ctrl+Right"_s}, u"select id, |name"_s);
        row("word right from a word start", u"|select id"_s, {u"Ctrl+Right"_s}, u"select |id"_s);
        row("word right over the line end", u"ab|\ncd"_s, {u"Ctrl+Right"_s}, u"ab\n|cd"_s);
        row("word right to the line end first", u"ab c|d\nx"_s, {u"Ctrl+Right"_s}, u"ab cd|\nx"_s);
        row("word left", u"select id, na|me"_s, {u"Ctrl+Left"_s, u"Ctrl+Left"_s}, u"select |id, name"_s);
        row("word left over the line start", u"ab\n|cd"_s, {u"Ctrl+Left"_s}, u"ab|\ncd"_s);
        row("word chars are ASCII", u"x \u0416\u0416|"_s, {u"Ctrl+Left"_s}, u"|x \u0416\u0416"_s);
        row("ctrl+shift+left", u"a bc|"_s, {u"Ctrl+Shift+Left"_s}, u"a |bc^"_s);
        row("ctrl+shift+right", u"|ab cd"_s, {u"Ctrl+Shift+Right"_s}, u"^ab |cd"_s);
        row("page down to the last line", u"a|b\nc\nde"_s, {u"PgDown"_s}, u"ab\nc\nd|e"_s);
        row("page up to the first line", u"ab\nc\nd|e"_s, {u"PgUp"_s}, u"a|b\nc\nde"_s);
        row("shift+page down", u"a|b\ncd"_s, {u"Shift+PgDown"_s}, u"a^b\nc|d"_s);
        row("shift+page up", u"ab\nc|d"_s, {u"Shift+PgUp"_s}, u"a|b\nc^d"_s);
        row("ctrl+page down", u"a|b\nc\nde"_s, {u"Ctrl+PgDown"_s}, u"ab\nc\nd|e"_s);
        row("ctrl+page up", u"ab\nc\nd|e"_s, {u"Ctrl+PgUp"_s}, u"a|b\nc\nde"_s);
        row("ctrl+shift+page down", u"|ab\ncd"_s, {u"Ctrl+Shift+PgDown"_s}, u"^ab\n|cd"_s);
        row("ctrl+shift+page up", u"ab\ncd|"_s, {u"Ctrl+Shift+PgUp"_s}, u"ab|\ncd^"_s);
        row("home", u"ab|c"_s, {u"Home"_s}, u"|abc"_s);
        row("end", u"a|bc\nd"_s, {u"End"_s}, u"abc|\nd"_s);
        row("shift+home", u"ab|c"_s, {u"Shift+Home"_s}, u"|ab^c"_s);
        row("shift+end", u"a|bc"_s, {u"Shift+End"_s}, u"a^bc|"_s);
        row("ctrl+home", u"a\nb|\nc"_s, {u"Ctrl+Home"_s}, u"|a\nb\nc"_s);
        row("ctrl+end", u"a\nb|\nc"_s, {u"Ctrl+End"_s}, u"a\nb\nc|"_s);
        row("ctrl+shift+home", u"a\nb|"_s, {u"Ctrl+Shift+Home"_s}, u"|a\nb^"_s);
        row("ctrl+shift+end", u"a|\nb"_s, {u"Ctrl+Shift+End"_s}, u"a^\nb|"_s);
        row("insert toggles overwrite", u"|abc"_s, {u"Ins"_s, u"\"XY"_s}, u"XY|c"_s);
        row("insert twice inserts", u"|abc"_s, {u"Ins"_s, u"Ins"_s, u"\"XY"_s}, u"XY|abc"_s);
        row("ctrl+insert copies, shift+insert pastes", u"a^bc|"_s, {u"Ctrl+Ins"_s, u"End"_s, u"Shift+Ins"_s},
            u"abcbc|"_s);
        row("ctrl+c and ctrl+v", u"^ab|c"_s, {u"Ctrl+C"_s, u"End"_s, u"Ctrl+V"_s}, u"abcab|"_s);
        row("shift+delete cuts", u"a^bc|d"_s, {u"Shift+Del"_s, u"End"_s, u"Ctrl+V"_s}, u"adbc|"_s);
        row("ctrl+x cuts", u"^ab|c"_s, {u"Ctrl+X"_s, u"End"_s, u"Shift+Ins"_s}, u"cab|"_s);
        row("delete", u"a|bc"_s, {u"Del"_s}, u"a|c"_s);
        row("delete joins lines", u"ab|\ncd"_s, {u"Del"_s}, u"ab|cd"_s);
        row("delete a selection", u"a^bc|"_s, {u"Del"_s}, u"a|"_s);
        row("backspace", u"ab|c"_s, {u"Backspace"_s}, u"a|c"_s);
        row("shift+backspace", u"ab|c"_s, {u"Shift+Backspace"_s}, u"a|c"_s);
        row("ctrl+backspace", u"select na|me"_s, {u"Ctrl+Backspace"_s}, u"select |me"_s);
        row("alt+backspace undoes", u"ab|"_s, {u"\"xyz"_s, u"Alt+Backspace"_s}, u"ab|"_s);
        row("ctrl+z undoes", u"ab|"_s, {u"\"x"_s, u"Ctrl+Z"_s}, u"ab|"_s);
        row("shift+alt+backspace redoes", u"ab|"_s, {u"\"x"_s, u"Ctrl+Z"_s, u"Shift+Alt+Backspace"_s}, u"abx|"_s);
        row("ctrl+shift+z redoes", u"ab|"_s, {u"\"x"_s, u"Alt+Backspace"_s, u"Ctrl+Shift+Z"_s}, u"abx|"_s);
        row("enter indents like the line", u"  ab|cd"_s, {u"Return"_s}, u"  ab\n  |cd"_s);
        row("enter trims trailing blanks", u"ab  |cd"_s, {u"Return"_s}, u"ab\n|cd"_s);
        row("enter replaces a selection", u"a^bc|d"_s, {u"Return"_s}, u"a\n|d"_s);
        row("ctrl+m breaks the line", u"ab|cd"_s, {u"Ctrl+M"_s}, u"ab\n|cd"_s);
        row("ctrl+n inserts a line after the caret", u"ab|cd"_s, {u"Ctrl+N"_s}, u"ab|\ncd"_s);
        row("ctrl+a", u"a|b\nc"_s, {u"Ctrl+A"_s}, u"^ab\nc|"_s);
        row("indent the caret's line", u"a|b\ncd"_s, {u"Ctrl+Shift+I"_s}, u"  a|b\ncd"_s);
        row("indent a block", u"^ab\ncd|\nef"_s, {u"Ctrl+Shift+I"_s}, u"^  ab\n  cd|\nef"_s);
        row("indent stops before a line start", u"^ab\n|cd"_s, {u"Ctrl+Shift+I"_s}, u"^  ab|\ncd"_s);
        row("unindent", u"    a|b"_s, {u"Ctrl+Shift+U"_s}, u"  a|b"_s);
        row("unindent a block", u"^  ab\n cd\nef|"_s, {u"Ctrl+Shift+U"_s}, u"^ab\ncd\nef|"_s);
        row("unindent a tab", u"\tab|"_s, {u"Ctrl+Shift+U"_s}, u"ab|"_s);
        row("ctrl+y deletes the line", u"ab\nc|d\nef"_s, {u"Ctrl+Y"_s}, u"ab\n|ef"_s);
        row("ctrl+y on the last line", u"ab\nc|d"_s, {u"Ctrl+Y"_s}, u"|ab"_s);
        row("ctrl+y on the only line", u"a|b"_s, {u"Ctrl+Y"_s}, u"|"_s);
        row("ctrl+shift+y deletes to the line end", u"ab|cd\nef"_s, {u"Ctrl+Shift+Y"_s}, u"ab|\nef"_s);
        row("matching bracket forward", u"|(a (b) c)"_s, {u"Ctrl+Shift+B"_s}, u"(a (b) c|)"_s);
        row("matching bracket backward", u"(a (b) c)|"_s, {u"Ctrl+Shift+B"_s}, u"|(a (b) c)"_s);
        row("matching bracket skips strings", u"|(a ')' b)"_s, {u"Ctrl+Shift+B"_s}, u"(a ')' b|)"_s);
        row("matching bracket skips comments", u"|(a /* ) */ b)"_s, {u"Ctrl+Shift+B"_s}, u"(a /* ) */ b|)"_s);
        row("matching bracket across lines", u"x |(\n y [1]\n)"_s, {u"Ctrl+Shift+B"_s}, u"x (\n y [1]\n|)"_s);
        row("no bracket, no move", u"a|b"_s, {u"Ctrl+Shift+B"_s}, u"a|b"_s);
        row("typing replaces a selection", u"a^bc|d"_s, {u"\"X"_s}, u"aX|d"_s);
    }

    void keysDoWhatTheyAreBoundTo()
    {
        QFETCH(QString, before);
        QFETCH(QStringList, keys);
        QFETCH(QString, after);
        Window w;
        setMarked(*w.edit, before);
        press(w.edit, keys);
        QCOMPARE(marked(*w.edit), after);
    }

    // Characters come as text; Ctrl or Alt alone make a command, both
    // together are how some keyboards type a third character on a key.
    void charactersAreTypedAndChordsAreNot()
    {
        Window w;
        setMarked(*w.edit, u"|"_s);
        QTest::keyClick(w.edit, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_Q, Qt::AltModifier);
        QCOMPARE(w.edit->text(), QString());
        QKeyEvent third(QEvent::KeyPress, Qt::Key_At, Qt::ControlModifier | Qt::AltModifier, u"@"_s);
        QApplication::sendEvent(w.edit, &third);
        QTest::keyClicks(w.edit, u"x;"_s);
        QTest::keyClick(w.edit, Qt::Key_5, Qt::KeypadModifier);
        QCOMPARE(w.edit->text(), u"@x;5"_s);
    }

    void ctrlUpAndDownScrollWithoutMovingTheCaret()
    {
        Window w;
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << u"line %1"_s.arg(i);
        w.edit->setText(lines.join(u'\n'));
        QTest::keyClick(w.edit, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(w.edit->verticalScrollBar()->value(), 2);
        QTest::keyClick(w.edit, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(w.edit->verticalScrollBar()->value(), 1);
        QCOMPARE(w.edit->textCursor().position(), 0);
    }

    void pageDownMovesByOneScreen()
    {
        Window w;
        QStringList lines;
        for (int i = 0; i < 200; ++i)
            lines << u"line %1"_s.arg(i);
        w.edit->setText(lines.join(u'\n'));
        const int firstBottom = w.edit->cursorForPosition(QPoint(5, w.edit->viewport()->height() - 2)).blockNumber();
        QTest::keyClick(w.edit, Qt::Key_PageDown);
        const int caretLine = w.edit->textCursor().blockNumber();
        QVERIFY2(caretLine >= firstBottom - 1 && caretLine <= firstBottom + 2, qPrintable(QString::number(caretLine)));
        QVERIFY(w.edit->verticalScrollBar()->value() > 0);
        QTest::keyClick(w.edit, Qt::Key_PageUp);
        QCOMPARE(w.edit->textCursor().blockNumber(), 0);
    }

    void bookmarksMarkAPlaceThatMovesWithTheText()
    {
        Window w;
        setMarked(*w.edit, u"one\ntwo\nth|ree\nfour"_s);
        QTest::keyClick(w.edit, Qt::Key_NumberSign, Qt::ControlModifier | Qt::ShiftModifier); // Ctrl+Shift+3
        QCOMPARE(w.edit->bookmarks().line(3), 2);
        QTest::keyClick(w.edit, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(w.edit, u"new"_s);
        QTest::keyClick(w.edit, Qt::Key_Return);
        QTest::keyClick(w.edit, Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(marked(*w.edit), u"new\none\ntwo\nth|ree\nfour"_s);
        // Another number on the same line, then the same key again clears it.
        QTest::keyClick(w.edit, Qt::Key_0, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.edit->bookmarks().line(0), 3);
        QTest::keyClick(w.edit, Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!w.edit->bookmarks().isSet(3));
        QTest::keyClick(w.edit, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(w.edit->textCursor().blockNumber(), 4);
        QTest::keyClick(w.edit, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(w.edit->textCursor().blockNumber(), 3);
    }

    void columnModeSelectsABlock()
    {
        Window w;
        setMarked(*w.edit, u"a|bcd\nefgh\nij"_s);
        QTest::keyClick(w.edit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.edit->selectionMode(), SqlEdit::SelectionMode::Column);
        press(w.edit, {u"Shift+Right"_s, u"Shift+Right"_s, u"Shift+Down"_s});
        QVERIFY(w.edit->hasSelection());
        QCOMPARE(w.edit->selectedText(), u"bc\r\nfg"_s);
        QCOMPARE(w.edit->selStart(), 1);
        QApplication::clipboard()->clear();
        QTest::keyClick(w.edit, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), u"bc\nfg"_s);
        QTest::keyClick(w.edit, Qt::Key_Delete);
        QCOMPARE(w.edit->text(), u"ad\r\neh\r\nij"_s);
        // The block went as one edit.
        QTest::keyClick(w.edit, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.edit->text(), u"abcd\r\nefgh\r\nij"_s);
        // A block over a short line takes what the line has.
        setMarked(*w.edit, u"abc|d\nx\nabcd"_s);
        press(w.edit, {u"Shift+Left"_s, u"Shift+Left"_s, u"Shift+Down"_s, u"Shift+Down"_s});
        QCOMPARE(w.edit->selectedText(), u"bc\r\n\r\nbc"_s);
        QTest::keyClick(w.edit, Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!w.edit->hasSelection());
        QCOMPARE(w.edit->selectionMode(), SqlEdit::SelectionMode::Normal);
    }

    void lineModeSelectsWholeLines()
    {
        Window w;
        setMarked(*w.edit, u"ab\nc|d\nef\ngh"_s);
        QTest::keyClick(w.edit, Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(w.edit, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(w.edit->selectedText(), u"cd\r\n"_s);
        QTest::keyClick(w.edit, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(w.edit->selectedText(), u"cd\r\nef\r\n"_s);
        QTest::keyClick(w.edit, Qt::Key_Up, Qt::ShiftModifier);
        QTest::keyClick(w.edit, Qt::Key_Up, Qt::ShiftModifier);
        QCOMPARE(w.edit->selectedText(), u"ab\r\ncd\r\n"_s);
        QTest::keyClick(w.edit, Qt::Key_Delete);
        QCOMPARE(w.edit->text(), u"ef\r\ngh"_s);
    }

    void tabMovesTheFocusUnlessWanted()
    {
        Window w;
        setMarked(*w.edit, u"ab|"_s);
        QVERIFY(w.edit->hasFocus());
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(w.edit->text(), u"ab"_s);
        QVERIFY(w.other->hasFocus());
        QTest::keyClick(w.other, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(w.edit->hasFocus());

        w.edit->setWantTabs(true);
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(marked(*w.edit), u"ab      |"_s);
        QVERIFY(w.edit->hasFocus());
        // Ctrl+Tab is never the control's.
        QTest::keyClick(w.edit, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(marked(*w.edit), u"ab      |"_s);
        QTest::keyClick(w.edit, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(marked(*w.edit), u"ab|"_s);
    }

    void smartTabGoesUnderTheNextWordAbove()
    {
        Window w;
        w.edit->setWantTabs(true);
        setMarked(*w.edit, u"select id,   name\n|"_s);
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(marked(*w.edit), u"select id,   name\n       |"_s);
        QTest::keyClick(w.edit, Qt::Key_Tab);
        QCOMPARE(marked(*w.edit), u"select id,   name\n             |"_s);
    }

    // The owner sees every key first; what it takes never reaches the
    // bindings, but a character the key types is still typed.
    void ownerKeyHandlerComesFirst()
    {
        Window w;
        QList<int> seen;
        w.edit->setKeyHandler([&seen](QKeyEvent &event) {
            if (event.key() != Qt::Key_Control)
                seen << event.key();
            return (event.key() == Qt::Key_E && event.modifiers() == Qt::ControlModifier)
                   || event.key() == Qt::Key_A;
        });
        setMarked(*w.edit, u"a|b"_s);
        QTest::keyClick(w.edit, Qt::Key_E, Qt::ControlModifier);
        QTest::keyClick(w.edit, Qt::Key_Right);
        // Ctrl+A is taken: the text is not selected.
        QTest::keyClick(w.edit, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(!w.edit->hasSelection());
        QTest::keyClicks(w.edit, u"ax"_s);
        QCOMPARE(marked(*w.edit), u"abax|"_s);
        QCOMPARE(seen, (QList<int>{Qt::Key_E, Qt::Key_Right, Qt::Key_A, Qt::Key_A, Qt::Key_X}));
    }
};

QUOLL_TEST(TstEditorKeys);

#include "tst_editorkeys.moc"
