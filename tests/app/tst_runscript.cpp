#include "sessionfixture.h"
#include "testregistry.h"

#include "app/commandtable.h"
#include "app/editorcommands.h"
#include "app/logmodel.h"
#include "app/logpage.h"
#include "catalog/tablelistmodel.h"
#include "connection/engine/dataset.h"
#include "connection/engine/engine.h"
#include "editor/sqledit.h"
#include "editor/textloader.h"
#include "widgets/reportlist.h"
#include "widgets/statusbar.h"
#include "workspace/pagefiles.h"
#include "workspace/statementrunner.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QMenu>
#include <QSignalSpy>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::SessionFixture;

namespace {

// A connected window in database "alpha", which holds table t (i) with the
// rows 1, 2 and 3.
bool ready(SessionFixture &f)
{
    f.createDatabases({u"alpha"_s});
    if (!f.connect())
        return false;
    f.pickDatabase(u"alpha"_s);
    f.window->database().execute(u"create table t (i integer)"_s);
    for (int i = 1; i <= 3; ++i)
        f.window->database().execute(u"insert into t values (%1)"_s.arg(i));
    return f.dialogs.messages().isEmpty();
}

// The log from entry `from` with the statement entries' times left out.
QStringList statementLog(const SessionFixture &f, int from)
{
    QStringList entries = f.log(from);
    for (QString &entry : entries)
        if (entry.startsWith(u"SQL - "_s))
            entry = u"SQL"_s + entry.mid(entry.indexOf(u" | "_s));
    return entries;
}

void trigger(const SessionFixture &f, const char *command)
{
    f.idle();
    f.window->actions()[command]->trigger();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void showPage(const SessionFixture &f, int number)
{
    f.find<QTabWidget>(u"pcSQL"_s)->setCurrentIndex(number - 1);
}

} // namespace

// Running SQL from the editor pages, and the pages' files and editing
// commands, through the main window against the embedded server.
class TstRunScript : public QObject
{
    Q_OBJECT

private slots:
    void statementsReachTheServerAsCut_data();
    void statementsReachTheServerAsCut();
    void aSelectionRunsFromItsPlaceInTheText();
    void theFirstFailureStopsTheRun();
    void aSuccessWritesTheStatusPanels();
    void refreshRunsTheLastStatementAgain();
    void insertIntoEditorIsOneEdit();
    void quotingIsOneEdit();
    void openAndSaveKeepTheLineEnds();
    void autosaveFilesCarryThePagesThroughARestart();
    void aChangedPageIsSavedSoonAfterTheLastEdit();
    void fontStepsAndErase();
    void commandsSeeTheWholeTextWhileALargeFileLoads_data();
    void commandsSeeTheWholeTextWhileALargeFileLoads();
    void editorKeys_data();
    void editorKeys();
    void lettersAreTypedWhileAColumnIsSelected();
    void ctrlShiftEMarksAnErrorWhereExecSelDoes();
    void ctrlWheelZoomsTheControlUnderThePointer_data();
    void ctrlWheelZoomsTheControlUnderThePointer();
};

void TstRunScript::statementsReachTheServerAsCut_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QStringList>("log");
    QTest::newRow("two statements") << u"select 1 from t; select 2 from t"_s
                                    << QStringList{u"SQL | select 1 from t;"_s, u"SQL |  select 2 from t"_s};
    QTest::newRow("semicolon in a string")
        << u"select ';' from t; select 2 from t"_s
        << QStringList{u"SQL | select ';' from t;"_s, u"SQL |  select 2 from t"_s};
    QTest::newRow("semicolons in comments")
        << u"select 1 -- a;b\r\nfrom t {;} ; select 2 from t;"_s
        << QStringList{u"SQL | select 1 -- a;b\r\nfrom t {;} ;"_s, u"SQL |  select 2 from t;"_s};
    QTest::newRow("procedure body whole")
        << u"CREATE PROCEDURE p() LET x = 1; END PROCEDURE; drop procedure p; create table t2 (a int);"_s
        << QStringList{u"SQL | CREATE PROCEDURE p() LET x = 1; END PROCEDURE;"_s, u"SQL |  drop procedure p;"_s,
                       u"SQL |  create table t2 (a int);"_s};
    QTest::newRow("only semicolons") << u";;"_s << QStringList();
    QTest::newRow("unterminated string sent whole")
        << u"select 'abc; from t"_s << QStringList{u"Query.Error [-282] | select 'abc; from t"_s};
}

void TstRunScript::statementsReachTheServerAsCut()
{
    QFETCH(QString, script);
    QFETCH(QStringList, log);
    SessionFixture f;
    QVERIFY(ready(f));
    f.window->currentEditor()->setPlainText(script);
    const int before = f.logSize();
    trigger(f, "acExecute");
    QCOMPARE(statementLog(f, before), log);
}

void TstRunScript::aSelectionRunsFromItsPlaceInTheText()
{
    SessionFixture f;
    QVERIFY(ready(f));
    editor::SqlEdit *edit = f.window->currentEditor();
    // 98 characters of comment and a line break: the selection starts at 100.
    const QString padding = u"--"_s + QString(96, u'x') + u"\r\n"_s;
    QCOMPARE(padding.size(), 100);
    edit->setPlainText(padding + u"select 1 from t; select nosuch from t;"_s);
    edit->setSelection(100, edit->text().size() - 100);
    const int before = f.logSize();
    trigger(f, "acExecuteSelected");

    QCOMPARE(statementLog(f, before),
             (QStringList{u"SQL | select 1 from t;"_s, u"Query.Error [-217] |  select nosuch from t;"_s}));
    // The second statement starts right after the first one's semicolon.
    QCOMPARE(f.probe().runner().statementStart(), 117);
    QCOMPARE(edit->selStart(), 100 + 16 + 8);
    QCOMPARE(edit->selectedText(), u"n"_s);
}

void TstRunScript::theFirstFailureStopsTheRun()
{
    SessionFixture f;
    QVERIFY(ready(f));
    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setPlainText(u"select i from t;\r\nselect nosuch from t;\r\nselect i from t;"_s);
    const int before = f.logSize();
    const app::LogModel *log = f.probe().logPage()->model();
    QSignalSpy logged(log, &QAbstractItemModel::rowsInserted);
    trigger(f, "acExecute");

    // The run's entries reach the log view together, the failure's included.
    QCOMPARE(logged.count(), 1);
    QCOMPARE(log->rowCount(), log->size());

    QCOMPARE(statementLog(f, before), (QStringList{u"SQL | select i from t;"_s,
                                                    u"Query.Error [-217] | \r\nselect nosuch from t;"_s}));
    QVERIFY(!f.probe().resultSet()->isActive());
    QCOMPARE(edit->selectedText(), u"n"_s);
    QCOMPARE(edit->selStart(), 16 + 2 + 7);
    widgets::StatusBar *status = f.probe().statusPanels();
    QVERIFY(status->isAlarm());
    QVERIFY(status->panelText(3).startsWith(u"-217 "_s));
    QCOMPARE(f.dialogs.messages().size(), 0);

    // The next run starts from a normal bar.
    edit->setPlainText(u"select i from t"_s);
    trigger(f, "acExecute");
    QVERIFY(!status->isAlarm());
    QVERIFY(f.probe().resultSet()->isActive());
}

void TstRunScript::aSuccessWritesTheStatusPanels()
{
    SessionFixture f;
    QVERIFY(ready(f));
    widgets::StatusBar *status = f.probe().statusPanels();
    status->setPanelText(2, u"kept"_s);
    f.window->currentEditor()->setPlainText(u"select i from t order by i"_s);
    trigger(f, "acExecute");

    connection::Engine &engine = f.window->database().engine();
    const connection::CommunicationArea area = engine.communicationArea();
    QCOMPARE(status->panelText(0), u"%1:%2"_s.arg(area.estimatedCost).arg(area.estimatedRows));
    QCOMPARE(status->panelText(1), area.warningText());
    QCOMPARE(status->panelText(3), u"0 "_s + connection::statusText(0) + u' ' + engine.lastError().context);
    QCOMPARE(status->panelText(2), u"kept"_s);
    QVERIFY(!status->isAlarm());

    connection::Dataset *rows = f.probe().resultSet();
    QVERIFY(rows->isActive());
    QCOMPARE(rows->text(0), u"1"_s);
    QCOMPARE(f.probe().runner().lastStatement(), u"select i from t order by i"_s);
}

void TstRunScript::refreshRunsTheLastStatementAgain()
{
    SessionFixture f;
    QVERIFY(ready(f));
    f.window->currentEditor()->setPlainText(u"select count(*) from t"_s);
    trigger(f, "acExecute");
    f.window->database().execute(u"insert into t values (4)"_s);
    const int before = f.logSize();
    trigger(f, "acRefresh");
    QCOMPARE(statementLog(f, before), QStringList{u"SQL | select count(*) from t"_s});
    QCOMPARE(f.probe().resultSet()->text(0), u"4"_s);
}

void TstRunScript::insertIntoEditorIsOneEdit()
{
    SessionFixture f;
    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setPlainText(u"select * from old"_s);
    edit->setSelection(14, 3);
    f.window->InsertIntoEditor(u"new_table"_s);
    QCOMPARE(edit->text(), u"select * from new_table"_s);
    edit->undo();
    QCOMPARE(edit->text(), u"select * from old"_s);
}

void TstRunScript::quotingIsOneEdit()
{
    SessionFixture f;
    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setPlainText(u"x\r\nselect *\r\nfrom t"_s);
    // From the middle of the first line: only its selected part is quoted.
    edit->setSelection(3, edit->text().size() - 3);
    trigger(f, "acAddQuot");
    QCOMPARE(edit->text(), u"x\r\n'select * '+\r\n'from t '+\r\n"_s);
    edit->selectAll();
    trigger(f, "acDeleteQuot");
    QCOMPARE(edit->text(), u"x\r\nselect *\r\nfrom t\r\n"_s);
    edit->undo();
    QCOMPARE(edit->text(), u"x\r\n'select * '+\r\n'from t '+\r\n"_s);
}

void TstRunScript::openAndSaveKeepTheLineEnds()
{
    SessionFixture f;
    const QString lfFile = f.folder.filePath(u"lf.sql"_s);
    writeBytes(lfFile, "select 1\nfrom t\n");
    f.dialogs.answerOpenFile(lfFile);
    trigger(f, "acOpenFile");
    editor::SqlEdit *edit = f.window->currentEditor();
    QCOMPARE(edit->text(), u"select 1\r\nfrom t"_s);
    QVERIFY(!edit->canUndo());

    // The first Save As offers the opened file; an existing file is
    // replaced without a question.
    const QString copy = f.folder.filePath(u"copy.sql"_s);
    writeBytes(copy, "old contents");
    f.dialogs.answerSaveFile(copy);
    trigger(f, "acSaveFile");
    QCOMPARE(f.dialogs.calls().last().text, lfFile);
    QCOMPARE(fileBytes(copy), QByteArray("select 1\nfrom t\n"));

    // A fresh page writes CR LF; the dialog offers the last saved name.
    showPage(f, 2);
    f.window->currentEditor()->setPlainText(u"select 2"_s);
    const QString crlf = f.folder.filePath(u"crlf.sql"_s);
    f.dialogs.answerSaveFile(crlf);
    trigger(f, "acSaveFile");
    QCOMPARE(f.dialogs.calls().last().text, copy);
    QCOMPARE(fileBytes(crlf), QByteArray("select 2\r\n"));
    QCOMPARE(f.dialogs.unexpectedCalls(), 0);

    // A file that cannot be read: the message, the text kept.
    f.dialogs.answerOpenFile(f.folder.filePath(u"missing.sql"_s));
    trigger(f, "acOpenFile");
    QCOMPARE(f.dialogs.messages().size(), 1);
    QCOMPARE(f.dialogs.messages().first().text, u"Cannot open file "_s + f.folder.filePath(u"missing.sql"_s));
    QCOMPARE(f.window->currentEditor()->text(), u"select 2"_s);
}

void TstRunScript::autosaveFilesCarryThePagesThroughARestart()
{
    QTemporaryDir folder;
    testing::ScriptedDialogs dialogs;
    app::ErrorHandler errors(dialogs);
    const AppPaths paths(folder.path(), u"quoll"_s);
    writeBytes(paths.autosaveFile(2), "lf one\nlf two\n");
    const QString beyond = u"select 'λ ☃ где' from t"_s;
    {
        app::QuollMain window(paths, dialogs, errors);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *pages = window.findChild<QTabWidget *>(u"pcSQL"_s);
        QCOMPARE(window.currentEditor()->text(), QString());
        window.currentEditor()->setPlainText(u"select 1\r\nfrom t"_s);
        pages->setCurrentIndex(1);
        QCOMPARE(window.currentEditor()->text(), u"lf one\r\nlf two"_s);
        pages->setCurrentIndex(3);
        window.currentEditor()->setPlainText(beyond);
        QVERIFY(window.close());
    }
    QCOMPARE(fileBytes(paths.autosaveFile(1)), QByteArray("select 1\r\nfrom t\r\n"));
    QCOMPARE(fileBytes(paths.autosaveFile(2)), QByteArray("lf one\nlf two\n"));
    QCOMPARE(fileBytes(paths.autosaveFile(3)), QByteArray());
    QVERIFY(QFile::exists(paths.autosaveFile(5)));

    app::QuollMain again(paths, dialogs, errors);
    auto *pages = again.findChild<QTabWidget *>(u"pcSQL"_s);
    QCOMPARE(again.currentEditor()->text(), u"select 1\r\nfrom t"_s);
    pages->setCurrentIndex(3);
    QCOMPARE(again.currentEditor()->text(), beyond);
    QCOMPARE(dialogs.messages().size(), 0);
}

void TstRunScript::aChangedPageIsSavedSoonAfterTheLastEdit()
{
    SessionFixture f;
    workspace::PageFiles &files = f.probe().pageFiles();
    files.setAutosaveDelay(30);
    const QString page1 = f.probe().paths().autosaveFile(1);
    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setFocus();
    QTest::keyClicks(edit, u"select 42"_s);
    QVERIFY(files.autosavePending(1));
    QVERIFY(QTest::qWaitFor([&] { return fileBytes(page1) == "select 42\r\n"; }, 60000));
    QVERIFY(!files.autosavePending(1));
    // Pages nobody touched are not written before the close.
    QVERIFY(!QFile::exists(f.probe().paths().autosaveFile(2)));
    QCOMPARE(f.logSize(), 1);
}

void TstRunScript::fontStepsAndErase()
{
    SessionFixture f;
    auto *menu = f.find<QMenu>(u"pmMenu"_s);
    editor::SqlEdit *edit = f.window->currentEditor();
    const int start = edit->fontInfo().pixelSize();
    menu->findChild<QAction *>(u"N32"_s)->trigger();
    QCOMPARE(edit->fontInfo().pixelSize(), start + 3);
    // Other pages keep their font.
    showPage(f, 2);
    QCOMPARE(f.window->currentEditor()->fontInfo().pixelSize(), start);
    menu->findChild<QAction *>(u"N14"_s)->trigger();
    QCOMPARE(f.window->currentEditor()->fontInfo().pixelSize(), start - 1);

    f.window->currentEditor()->setPlainText(u"a\r\nb"_s);
    trigger(f, "acErase");
    QCOMPARE(f.window->currentEditor()->text(), QString());
    f.window->currentEditor()->undo();
    QCOMPARE(f.window->currentEditor()->text(), u"a\r\nb"_s);
}

void TstRunScript::ctrlWheelZoomsTheControlUnderThePointer_data()
{
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("delta");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("change");
    QTest::newRow("towards the user") << int(Qt::ControlModifier) << -120 << u"lvTables"_s << 1;
    QTest::newRow("away, two notches") << int(Qt::ControlModifier) << 240 << u"lvTables"_s << -2;
    QTest::newRow("Ctrl+Shift does nothing") << int(Qt::ControlModifier | Qt::ShiftModifier) << -120
                                             << u"lvTables"_s << 0;
    QTest::newRow("without Ctrl nothing") << int(Qt::NoModifier) << -120 << u"lvTables"_s << 0;
    QTest::newRow("an editor with the focus keeps the turn") << int(Qt::ControlModifier) << -120 << u"mmSQL1"_s << 0;
}

void TstRunScript::ctrlWheelZoomsTheControlUnderThePointer()
{
    QFETCH(int, modifiers);
    QFETCH(int, delta);
    QFETCH(QString, focus);
    QFETCH(int, change);
    SessionFixture f;
    QVERIFY(f.show());
    f.find<QTabWidget>(u"pcMenu"_s)->setCurrentIndex(3);
    QWidget *log = f.find(u"lwLog"_s);
    QWidget *tables = f.find(u"lvTables"_s);
    f.find(focus)->setFocus();
    const qreal before = QFontInfo(log->font()).pointSizeF();
    const qreal tablesBefore = QFontInfo(tables->font()).pointSizeF();

    auto *viewport = static_cast<QAbstractScrollArea *>(log)->viewport();
    const QPoint local = viewport->rect().center();
    QWheelEvent wheel(local, viewport->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::KeyboardModifiers(modifiers), Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &wheel);

    if (change == 0)
        QCOMPARE(QFontInfo(log->font()).pointSizeF(), before);
    else
        QCOMPARE(log->font().pointSizeF(), before + change);
    QCOMPARE(QFontInfo(tables->font()).pointSizeF(), tablesBefore);
}

void TstRunScript::commandsSeeTheWholeTextWhileALargeFileLoads_data()
{
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("select all") << QStringList{u"acSelectAll"_s};
    QTest::newRow("copy") << QStringList{u"acSelectAll"_s, u"acCopyToClipboard"_s};
    QTest::newRow("erase") << QStringList{u"acErase"_s};
    QTest::newRow("execute selected") << QStringList{u"acSelectAll"_s, u"acExecuteSelected"_s};
    QTest::newRow("add quotes") << QStringList{u"acSelectAll"_s, u"acAddQuot"_s};
    QTest::newRow("save as") << QStringList{u"acSaveFile"_s};
}

// A large file is shown at once and the rest appended in the background;
// a command that reads or selects the whole text must see all of it even
// in the first moments.
void TstRunScript::commandsSeeTheWholeTextWhileALargeFileLoads()
{
    QFETCH(QStringList, commands);
    SessionFixture f;
    QVERIFY(ready(f));
    QByteArray bytes;
    for (int line = 1; line <= 120'000; ++line)
        bytes += "-- filler line " + QByteArray::number(line) + "\r\n";
    const QByteArray last = "select 4242 from systables where tabid = 1;";
    bytes += last + "\r\n";
    const QString file = f.folder.filePath(u"big.sql"_s);
    writeBytes(file, bytes);
    const QString whole = QString::fromLatin1(bytes.chopped(2));
    QVERIFY(whole.size() > editor::TextLoader::DirectLimit);

    f.dialogs.answerOpenFile(file);
    trigger(f, "acOpenFile");
    editor::SqlEdit *edit = f.window->currentEditor();
    QApplication::clipboard()->clear();
    const int logBefore = f.logSize();
    const QString saved = f.folder.filePath(u"saved.sql"_s);
    f.idle();
    QVERIFY(edit->isLoading());
    for (const QString &command : commands) {
        f.idle();
        if (command == u"acSaveFile"_s)
            f.dialogs.answerSaveFile(saved);
        f.window->actions()[command.toLatin1().constData()]->trigger();
    }
    QCoreApplication::processEvents();

    const QString name = commands.last();
    if (name == u"acSelectAll"_s) {
        QCOMPARE(edit->selLength(), whole.size());
        QVERIFY(edit->selectedText() == whole);
    } else if (name == u"acCopyToClipboard"_s) {
        // The clipboard holds the lines the way the desktop's programs do.
        QVERIFY(QApplication::clipboard()->text() == QString(whole).replace(u"\r\n"_s, u"\n"_s));
    } else if (name == u"acErase"_s) {
        QVERIFY(!edit->isLoading());
        QCOMPARE(edit->text(), QString());
    } else if (name == u"acExecuteSelected"_s) {
        const QStringList log = f.log(logBefore);
        QCOMPARE(log.size(), 1);
        QVERIFY2(log.first().endsWith(QString::fromLatin1(last)), qPrintable(log.first().right(80)));
    } else if (name == u"acAddQuot"_s) {
        QVERIFY(edit->text().contains(u"'"_s + QString::fromLatin1(last) + u" '+"_s));
        QVERIFY(edit->text().startsWith(u"'-- filler line 1 '+"_s));
    } else if (name == u"acSaveFile"_s) {
        QVERIFY(fileBytes(saved) == bytes);
    }
}

void TstRunScript::editorKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("columnSelected");
    QTest::addColumn<bool>("tableSelected");
    QTest::addColumn<QString>("text");
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    // The editor holds "select X from t" with "X" selected.
    QTest::newRow("Ctrl+F") << int(Qt::Key_F) << ctrl << true << true << u"select  col_a from t"_s;
    QTest::newRow("Ctrl+Shift+F") << int(Qt::Key_F) << ctrlShift << true << true << u"select col_a, from t"_s;
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << ctrl << true << true << u"select  tab_b from t"_s;
    QTest::newRow("Ctrl+Shift+T") << int(Qt::Key_T) << ctrlShift << true << true << u"select tab_b, from t"_s;
    // An empty text: no name inserted (what the editor itself does with
    // the key is its own affair).
    QTest::newRow("Ctrl+Alt+F") << int(Qt::Key_F) << (ctrl | int(Qt::AltModifier)) << true << true << QString();
    QTest::newRow("Ctrl+Shift+Alt+T") << int(Qt::Key_T) << (ctrlShift | int(Qt::AltModifier)) << true << true
                                      << QString();
    // Handling F keeps it from the editor's bindings, never from typing.
    QTest::newRow("F alone with a column: typed") << int(Qt::Key_F) << 0 << true << true << u"select f from t"_s;
    QTest::newRow("F alone without a column: typed") << int(Qt::Key_F) << 0 << false << true << u"select f from t"_s;
    QTest::newRow("Ctrl+T without a table") << int(Qt::Key_T) << ctrl << true << false << u"select X from t"_s;
}

void TstRunScript::editorKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, columnSelected);
    QFETCH(bool, tableSelected);
    QFETCH(QString, text);
    // The lists as a user fills them: the table found through the filter
    // and selected, which lists its columns ("*" first, then col_a).
    SessionFixture f;
    QVERIFY(ready(f));
    f.window->database().execute(u"create table tab_b (col_a integer)"_s);
    f.find<QComboBox>(u"cbTableWild"_s)->setEditText(u"tab_b"_s);
    f.find<QToolButton>(u"tbFindTable"_s)->click();
    auto *tables = f.find<widgets::ReportList>(u"lvTables"_s);
    QCOMPARE(tables->model()->rowCount(), 1);
    tables->selectRow(0);
    auto *columns = f.find<widgets::ReportList>(u"ListView2"_s);
    QCOMPARE(columns->model()->index(1, 0).data().toString(), u"col_a"_s);
    if (columnSelected)
        columns->selectRow(1);
    if (!tableSelected)
        tables->clearSelection();

    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setPlainText(u"select X from t"_s);
    edit->setSelection(7, 1);
    QTest::keyClick(edit, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    if (text.isEmpty()) {
        QVERIFY(!edit->text().contains(u"col_a"_s));
        QVERIFY(!edit->text().contains(u"tab_b"_s));
    } else {
        QCOMPARE(edit->text(), text);
    }
}

// With a column selected the letter F is typed as any other: "from" must
// not come out as "rom".
void TstRunScript::lettersAreTypedWhileAColumnIsSelected()
{
    SessionFixture f;
    auto *columns = f.find<widgets::ReportList>(u"ListView2"_s);
    auto *columnModel = qobject_cast<widgets::ReportListModel *>(columns->model());
    widgets::ReportListModel::Row column;
    column.texts = QStringList{u"col_a"_s, u"integer"_s};
    columnModel->appendRow(column);
    columns->selectRow(0);

    editor::SqlEdit *edit = f.window->currentEditor();
    edit->setPlainText(u"select x "_s);
    edit->setSelection(9, 0);
    QTest::keyClicks(edit, u"from Foo f"_s);
    QCOMPARE(edit->text(), u"select x from Foo f"_s);
}

void TstRunScript::ctrlShiftEMarksAnErrorWhereExecSelDoes()
{
    SessionFixture f;
    QVERIFY(ready(f));
    editor::SqlEdit *edit = f.window->currentEditor();
    const QString text = u"select i from t;\r\nselect i from t; select nosuch from t;\r\nselect 9"_s;
    const int start = int(text.indexOf(u"select i from t; select"_s));
    const int length = int(text.indexOf(u"\r\nselect 9"_s)) - start;
    edit->setPlainText(text);

    edit->setSelection(start, length);
    trigger(f, "acExecuteSelected");
    const int byCommand = edit->selStart();
    edit->setSelection(start, length);
    f.idle();
    QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(edit->selStart(), byCommand);
    QCOMPARE(edit->selectedText(), u"n"_s);

    // With the run button disabled Ctrl+E runs nothing.
    const int before = f.logSize();
    f.window->actions()["acExecute"]->setEnabled(false);
    QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(f.logSize(), before);
    f.window->actions()["acExecute"]->setEnabled(true);
    QTest::keyClick(edit, Qt::Key_E, Qt::ControlModifier);
    QCOMPARE(f.logSize(), before + 3);
}

QUOLL_TEST(TstRunScript);
#include "tst_runscript.moc"
