#include "resultfixture.h"
#include "testregistry.h"

#include "app/gridcommands.h"
#include "results/datasetmodel.h"
#include "results/dbnavigator.h"
#include "results/valueviewer.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QScrollBar>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ResultFixture;
using quoll::testing::ScriptedDialogs;

namespace {

QString viewerText(const ResultFixture &f)
{
    return f.probe().viewer()->textView()->toPlainText();
}

void setCell(QTableView *grid, int row, int column, const QString &text)
{
    QVERIFY(grid->model()->setData(grid->model()->index(row, column), text));
}

void click(const ResultFixture &f, results::DBNavigator::Button button)
{
    f.probe().dataPage()->navigator()->button(button)->click();
}

} // namespace

// The output grid, the table data page, the value viewer and the statement
// templates through the main window against the embedded server.
class TstResultPages : public QObject
{
    Q_OBJECT

private slots:
    void theOutputGridFetchesAsItScrolls();
    void countingKeepsTheCurrentRow();
    void fontStepsChangeTextAndTitleTogether();
    void theViewerFollowsOnlyWhileVisible();
    void templatesOfTheOutputPage();
    void theDataPageOpensTheSelectedTableOnShow();
    void aTableThatFailsIsNotRetried();
    void theNavigatorEditsTheTable();
    void countingTheTableDoesNotMove();
    void anUnpostedEditIsWrittenBeforeDisconnecting();
};

void TstResultPages::theOutputGridFetchesAsItScrolls()
{
    ResultFixture f;
    QVERIFY(f.ready());
    QVERIFY(f.show());
    f.trigger("acQueryBar");
    f.run(u"select i from big"_s);
    QVERIFY(f.result().isActive());
    QTRY_VERIFY(f.outputGrid()->model()->rowCount() > 0);
    const int shown = f.outputGrid()->model()->rowCount();
    QVERIFY2(shown > 0 && shown <= 2 * results::DatasetModel::FetchBatch, qPrintable(QString::number(shown)));
    QCOMPARE(f.result().fetchedCount(), qint64(shown));
    QCOMPARE(f.outputGrid()->model()->index(0, 0).data().toString(), u"1"_s);

    // Each scroll to the end reads one more batch, never the whole result.
    QScrollBar *bar = f.outputGrid()->verticalScrollBar();
    bar->setValue(bar->maximum());
    QTRY_VERIFY(f.outputGrid()->model()->rowCount() > shown);
    QVERIFY(f.outputGrid()->model()->rowCount() < 1000);
    QCOMPARE(f.result().fetchedCount(), qint64(f.outputGrid()->model()->rowCount()));

    // Ctrl+End goes to the last row, reading the rest.
    f.outputGrid()->setFocus();
    QTest::keyClick(f.outputGrid(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(f.outputGrid()->model()->rowCount(), 1000);
    QCOMPARE(f.result().currentRow(), qint64(999));
    QCOMPARE(f.outputGrid()->currentIndex().row(), 999);
    QVERIFY(f.result().atEnd());
    // Moving in the grid moves the data set.
    QTest::keyClick(f.outputGrid(), Qt::Key_Up);
    QCOMPARE(f.result().currentRow(), qint64(998));
}

void TstResultPages::countingKeepsTheCurrentRow()
{
    ResultFixture f;
    QVERIFY(f.ready());
    QAbstractItemModelTester tester(f.outputGrid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.run(u"select i from big"_s);
    for (int i = 0; i < 5; ++i)
        f.trigger("acGoToNextRecord");
    QCOMPARE(f.result().currentRow(), qint64(5));
    f.trigger("acGetRecordCount");
    QCOMPARE(f.countPanel(), u"Строк : 1000"_s);
    QCOMPARE(f.result().currentRow(), qint64(5));
    QCOMPARE(f.outputGrid()->currentIndex().row(), 5);
    QCOMPARE(f.outputGrid()->model()->rowCount(), 1000);

    // At the first row the first-row commands stay disabled after counting.
    f.run(u"select i from big"_s);
    f.trigger("acGetRecordCount");
    QCOMPARE(f.result().currentRow(), qint64(0));
    QVERIFY(!f.enabled("acGoToFirstRecord"));
    QVERIFY(f.enabled("acGoToNextRecord"));
}

void TstResultPages::fontStepsChangeTextAndTitleTogether()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.run(u"select * from t"_s);
    f.listTables({u"t"_s}, u"t"_s);
    f.trigger("acDataBar");
    QCOMPARE(f.probe().outputPage()->fontHeight(), -13);
    f.trigger("acFontBigger");
    QCOMPARE(f.probe().outputPage()->fontHeight(), -14);
    QCOMPARE(f.outputGrid()->font().pixelSize(), 14);
    QCOMPARE(f.outputGrid()->horizontalHeader()->font().pixelSize(), 14);
    f.trigger("acFontSmaller1");
    f.trigger("acFontSmaller1");
    QCOMPARE(f.probe().dataPage()->fontHeight(), -11);
    QCOMPARE(f.dataGrid()->horizontalHeader()->font().pixelSize(), 11);
    QCOMPARE(f.probe().outputPage()->fontHeight(), -14);
}

void TstResultPages::theViewerFollowsOnlyWhileVisible()
{
    ResultFixture f;
    QVERIFY(f.ready());
    QVERIFY(f.show());
    f.trigger("acQueryBar");
    f.run(u"select id, name from t"_s);
    results::ValueViewer *viewer = f.probe().viewer();
    QVERIFY(!viewer->isVisible());

    // Hidden: moving and entering columns leave it hidden.
    f.trigger("acGoToNextRecord");
    f.outputGrid()->setCurrentIndex(f.outputGrid()->model()->index(1, 1));
    QVERIFY(!viewer->isVisible());

    // The command shows the current cell; a NULL shows an empty box.
    viewer->textView()->setPlainText(u"old"_s);
    f.trigger("acShowViewer");
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewerText(f), QString());

    // Visible: it follows rows and columns.
    f.trigger("acGoToNextRecord");
    QCOMPARE(viewerText(f), u"O'Brien"_s);
    f.outputGrid()->setCurrentIndex(f.outputGrid()->model()->index(2, 0));
    QCOMPARE(viewerText(f), u"3"_s);
    const QRect where = viewer->geometry();
    f.trigger("acGoToFirstRecord");
    QCOMPARE(viewerText(f), u"1"_s);
    QCOMPARE(viewer->geometry(), where);

    // Closed, it stops following; a double click opens it again.
    viewer->close();
    QVERIFY(!viewer->isVisible());
    f.trigger("acGoToLastRecord");
    QCOMPARE(viewerText(f), u"1"_s);
    const QModelIndex cell = f.outputGrid()->model()->index(0, 1);
    const QPoint centre = f.outputGrid()->visualRect(cell).center();
    QTest::mouseClick(f.outputGrid()->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(f.outputGrid()->viewport(), Qt::LeftButton, {}, centre);
    // The viewer came up under the pointer and took the test tool's
    // release; the button goes up where it went down, as a grab would do.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        QTest::mouseRelease(f.outputGrid()->viewport(), Qt::LeftButton, {}, centre);
    QCOMPARE(QGuiApplication::mouseButtons(), Qt::NoButton);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewerText(f), u"a"_s);
}

void TstResultPages::templatesOfTheOutputPage()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.run(u"select id, name from t"_s);
    f.trigger("acGoToLastRecord");
    f.trigger("acGenerateSIUD");
    QVERIFY(f.probe().viewer()->isVisible());
    const QStringList lines = viewerText(f).split(u'\n');
    QCOMPARE(lines.mid(0, 3), (QStringList{u"select id, name"_s, u"from "_s, u"where id = 3 and name = 'O''Brien'"_s}));
    QCOMPARE(lines.value(4), u"insert into "_s);
    QCOMPARE(lines.value(11), u"delete from "_s);

    // The NULL row matches with "is null".
    f.trigger("acGoToPriorRecord");
    f.trigger("acGenerateSIUD");
    QCOMPARE(viewerText(f).split(u'\n').value(2), u"where id = 2 and name is null"_s);
}

void TstResultPages::theDataPageOpensTheSelectedTableOnShow()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.window->database().execute(u"create table u (k integer)"_s);
    f.listTables({u"big"_s, u"t"_s, u"u"_s}, u"t"_s);
    QAbstractItemModelTester tester(f.dataGrid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.trigger("acDataBar");
    QVERIFY(f.data() && f.data()->isActive());
    QCOMPARE(f.probe().tableData().tableName(), u"t"_s);
    QCOMPARE(f.dataGrid()->toolTip(), u"t"_s);
    QCOMPARE(f.dataGrid()->model()->index(0, 1).data().toString(), u"a"_s);
    QVERIFY(f.data()->moveTo(2));

    // Shown again with the same selection: nothing happens, the row stays.
    f.trigger("acSQLBar");
    f.trigger("acDataBar");
    QCOMPARE(f.data()->currentRow(), qint64(2));
    QCOMPARE(f.dataGrid()->currentIndex().row(), 2);

    // Another selection while the page shows does not reload it.
    f.selectTable(u"u"_s);
    QCOMPARE(f.probe().tableData().tableName(), u"t"_s);
    f.trigger("acSQLBar");
    f.trigger("acDataBar");
    QCOMPARE(f.probe().tableData().tableName(), u"u"_s);
    QCOMPARE(f.dataGrid()->toolTip(), u"u"_s);
    QCOMPARE(f.dataGrid()->model()->headerData(0, Qt::Horizontal).toString(), u"k"_s);
    QVERIFY(f.dialogs.messages().isEmpty());

    // Switching the database closes it and forgets its name.
    f.createDatabases({u"beta"_s});
    f.pickDatabase(u"beta"_s);
    QVERIFY(!f.data() || !f.data()->isActive());
    QCOMPARE(f.probe().tableData().tableName(), QString());
    QCOMPARE(f.dataGrid()->model()->rowCount(), 0);
}

void TstResultPages::aTableThatFailsIsNotRetried()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.listTables({u"nosuch"_s, u"t"_s}, u"nosuch"_s);
    f.trigger("acDataBar");
    QCOMPARE(f.dialogs.messages().size(), 1);
    QVERIFY(!f.data()->isActive());
    QCOMPARE(f.probe().tableData().tableName(), u"nosuch"_s);
    QVERIFY(!f.enabled("acGetRecordCount1"));
    f.trigger("acSQLBar");
    f.trigger("acDataBar");
    QCOMPARE(f.dialogs.messages().size(), 1);

    f.selectTable(u"t"_s);
    f.trigger("acSQLBar");
    f.trigger("acDataBar");
    QVERIFY(f.data()->isActive());
    QCOMPARE(f.dialogs.messages().size(), 1);
}

void TstResultPages::theNavigatorEditsTheTable()
{
    using Nav = results::DBNavigator;
    ResultFixture f;
    QVERIFY(f.ready());
    f.listTables({u"t"_s}, u"t"_s);
    QAbstractItemModelTester tester(f.dataGrid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.trigger("acDataBar");
    results::DBNavigator *navigator = f.probe().dataPage()->navigator();
    QVERIFY(!navigator->button(Nav::First)->isEnabled());
    QVERIFY(navigator->button(Nav::Next)->isEnabled());
    QVERIFY(!navigator->button(Nav::Post)->isEnabled());

    // Insert: a new row after the current one, written when posted.
    click(f, Nav::Insert);
    QCOMPARE(f.data()->state(), connection::TableDataset::State::Insert);
    QVERIFY(navigator->button(Nav::Post)->isEnabled());
    setCell(f.dataGrid(), int(f.data()->currentRow()), 0, u"10"_s);
    setCell(f.dataGrid(), int(f.data()->currentRow()), 1, u"new"_s);
    QCOMPARE(f.dataGrid()->model()->index(int(f.data()->currentRow()), 1).data().toString(), u"new"_s);
    click(f, Nav::Post);
    QCOMPARE(f.data()->state(), connection::TableDataset::State::Browse);
    QCOMPARE(f.column(u"select name from t where id = 10"_s), QStringList{u"new"_s});

    // Edit: typing into a cell starts editing; posting writes it.
    click(f, Nav::First);
    setCell(f.dataGrid(), 0, 1, u"changed"_s);
    QCOMPARE(f.data()->state(), connection::TableDataset::State::Edit);
    QCOMPARE(f.dataGrid()->model()->headerData(0, Qt::Vertical).toString(), u"I"_s);
    click(f, Nav::Post);
    QCOMPARE(f.column(u"select name from t where id = 1"_s), QStringList{u"changed"_s});

    // Cancel drops what was typed.
    setCell(f.dataGrid(), 0, 1, u"dropped"_s);
    click(f, Nav::Cancel);
    QCOMPARE(f.dataGrid()->model()->index(0, 1).data().toString(), u"changed"_s);
    QCOMPARE(f.column(u"select name from t where id = 1"_s), QStringList{u"changed"_s});

    // Delete asks first; No keeps the row.
    f.dialogs.answerQuestion(Dialogs::Button::No);
    click(f, Nav::Delete);
    QCOMPARE(f.dialogs.calls().last().kind, ScriptedDialogs::Kind::Question);
    QCOMPARE(f.dialogs.calls().last().text, u"Delete record?"_s);
    QCOMPARE(f.column(u"select count(*) from t"_s), QStringList{u"4"_s});
    f.dialogs.answerQuestion(Dialogs::Button::Yes);
    click(f, Nav::Delete);
    QCOMPARE(f.column(u"select id from t order by id"_s), (QStringList{u"2"_s, u"3"_s, u"10"_s}));
    QCOMPARE(f.dataGrid()->model()->rowCount(), 3);
    QVERIFY(f.dialogs.messages().isEmpty());

    // The data page's templates name the table.
    f.trigger("acGenerateSIUD1");
    QCOMPARE(viewerText(f).split(u'\n').value(1), u"from t"_s);
}

void TstResultPages::countingTheTableDoesNotMove()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.listTables({u"big"_s}, u"big"_s);
    f.trigger("acDataBar");
    QVERIFY(f.data()->moveTo(3));
    const qint64 fetched = f.data()->fetchedCount();
    f.trigger("acGetRecordCount1");
    QCOMPARE(f.countPanel(), u"Строк : 1000"_s);
    QCOMPARE(f.data()->currentRow(), qint64(3));
    QVERIFY(!f.data()->atEnd());
    // The server counted the table: not one more row was read for it.
    QCOMPARE(f.data()->fetchedCount(), fetched);
    QVERIFY(fetched < 1000);
    // Rows written since are counted too.
    f.window->database().execute(u"insert into big values (1001)"_s);
    f.trigger("acGetRecordCount1");
    QCOMPARE(f.countPanel(), u"Строк : 1001"_s);
}

// Leaving the database would drop an edit buffer; what the user typed is
// written to the table first, and a failure keeps the connection.
void TstResultPages::anUnpostedEditIsWrittenBeforeDisconnecting()
{
    ResultFixture f;
    QVERIFY(f.ready());
    f.listTables({u"t"_s}, u"t"_s);
    f.trigger("acDataBar");
    setCell(f.dataGrid(), 0, 1, u"kept"_s);
    f.probe().topBar()->connectButton()->click();
    QVERIFY(!f.window->database().isConnected());
    QVERIFY(f.connect());
    f.pickDatabase(u"alpha"_s);
    QCOMPARE(f.column(u"select name from t where id = 1"_s), QStringList{u"kept"_s});
}

QUOLL_TEST(TstResultPages);

#include "tst_resultpages.moc"
