#include "mainfixture.h"
#include "testregistry.h"

#include "app/commandtable.h"
#include "app/logmodel.h"
#include "app/logpage.h"
#include "widgets/reportlist.h"

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QDateTime>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::MainFixture;

namespace {

widgets::ReportList *logList(const MainFixture &f)
{
    return f.find<widgets::ReportList>(u"lwLog"_s);
}

app::LogModel *logModel(const MainFixture &f)
{
    return qobject_cast<app::LogModel *>(logList(f)->model());
}

QString memoText(const MainFixture &f)
{
    return f.find<QPlainTextEdit>(u"mmLog"_s)->toPlainText();
}

void showPage(const MainFixture &f, const QString &page)
{
    f.find<QTabWidget>(u"pcMenu"_s)->setCurrentWidget(f.find(page));
}

// Opens `pmLog` over the list and returns whether `miCopy` and `miClear`
// were enabled while it was open.
std::pair<bool, bool> logMenuState(const MainFixture &f)
{
    auto *menu = f.find<QMenu>(u"pmLog"_s);
    emit logList(f)->customContextMenuRequested(QPoint(5, 5));
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); }))
        return {false, false};
    const std::pair state{menu->findChild<QAction *>(u"miCopy"_s)->isEnabled(),
                          menu->findChild<QAction *>(u"miClear"_s)->isEnabled()};
    menu->hide();
    return state;
}

// A log model that records the rows the view asks to show.
class CountingLogModel : public app::LogModel
{
public:
    mutable int highestRow = -1;
    mutable int requests = 0;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole) {
            ++requests;
            highestRow = std::max(highestRow, index.row());
        }
        return app::LogModel::data(index, role);
    }
};

} // namespace

class TstEventLog : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheStartEntrySelectedOnShowing();
    void entriesShowTimeMessageAndDetailsInOrder();
    void addingNeitherSelectsNorTouchesTheMemo();
    void showingThePageSelectsTheLastEntry_data();
    void showingThePageSelectsTheLastEntry();
    void selectingAnEntryShowsItsDetailsWhole_data();
    void selectingAnEntryShowsItsDetailsWhole();
    void clearingKeepsTheMemo();
    void copyPutsOnlyTheDetailsOnTheClipboard_data();
    void copyPutsOnlyTheDetailsOnTheClipboard();
    void copyItemIsEnabledExactlyWithASelection();
    void ctrlCInTheListCopiesNothing();
    void hundredThousandEntriesShowAndClear();
    void viewAsksOnlyForVisibleRows();
    void modelIsConsistent();
    void batchAnnouncesItsEntriesAsOneInsertion();
};

void TstEventLog::startsWithTheStartEntrySelectedOnShowing()
{
    MainFixture f;
    QVERIFY(f.show());
    app::LogModel *model = logModel(f);
    QVERIFY(model);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->entry(0).message, u"Запуск программы"_s);
    QCOMPARE(model->entry(0).details, QString());
    QCOMPARE(logList(f)->selectedRow(), -1);
    showPage(f, u"tsLog"_s);
    QCOMPARE(logList(f)->selectedRow(), 0);
    QCOMPARE(logList(f)->currentIndex().row(), 0);
    QCOMPARE(memoText(f), QString());
    QVERIFY(f.dialogs.calls().isEmpty());
}

void TstEventLog::entriesShowTimeMessageAndDetailsInOrder()
{
    MainFixture f;
    const QTime before = QTime::currentTime();
    f.window->AddLog(u"Подключение к базе"_s, u"demo@sysmaster"_s);
    const QTime after = QTime::currentTime();
    app::LogModel *model = logModel(f);
    QCOMPARE(model->columnCount(), 3);
    const QStringList captions{u"Время"_s, u"Сообщение"_s, u"Дополнительно"_s};
    for (int c = 0; c < 3; ++c)
        QCOMPARE(model->headerData(c, Qt::Horizontal).toString(), captions[c]);
    QCOMPARE(model->data(model->index(1, 1)).toString(), u"Подключение к базе"_s);
    QCOMPARE(model->data(model->index(1, 2)).toString(), u"demo@sysmaster"_s);
    // The time column holds the time of adding in the long time format.
    const QString time = model->data(model->index(1, 0)).toString();
    QStringList expected;
    for (QTime t = before.addMSecs(-before.msec()); t <= after; t = t.addSecs(1))
        expected.append(app::LogModel::timeText(t));
    QVERIFY2(expected.contains(time), qPrintable(time));
    // Hours, minutes and seconds of the day, without a time zone name.
    const QString zone = QDateTime::currentDateTime().timeZoneAbbreviation();
    QVERIFY2(zone.isEmpty() || !time.contains(zone), qPrintable(time));
    QCOMPARE(model->data(model->index(0, 1)).toString(), u"Запуск программы"_s);
}

void TstEventLog::addingNeitherSelectsNorTouchesTheMemo()
{
    MainFixture f;
    QVERIFY(f.show());
    showPage(f, u"tsLog"_s);
    f.window->AddLog(u"first"_s, u"one"_s);
    QCOMPARE(logList(f)->selectedRow(), 0);
    QCOMPARE(memoText(f), QString());
    for (int i = 0; i < 200; ++i)
        f.window->AddLog(u"Начало транзакции"_s);
    QCoreApplication::processEvents();
    QCOMPARE(logModel(f)->rowCount(), 202);
    QCOMPARE(logList(f)->selectedRow(), 0);
    QCOMPARE(memoText(f), QString());
    // The new entries are below the visible part: nothing scrolled.
    QCOMPARE(logList(f)->rowAt(0), 0);
}

void TstEventLog::showingThePageSelectsTheLastEntry_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("tab") << u"tab"_s;
    QTest::newRow("Alt+4") << u"Alt+4"_s;
    QTest::newRow("again after another page") << u"again"_s;
}

void TstEventLog::showingThePageSelectsTheLastEntry()
{
    QFETCH(QString, way);
    MainFixture f;
    QVERIFY(f.show());
    auto *pages = f.find<QTabWidget>(u"pcMenu"_s);
    if (way == u"again"_s) {
        showPage(f, u"tsLog"_s);
        showPage(f, u"tsOutput"_s);
    }
    for (int i = 1; i <= 300; ++i)
        f.window->AddLog(u"entry %1"_s.arg(i), u"details %1"_s.arg(i));
    if (way == u"Alt+4"_s) {
        f.find(u"mmSQL1"_s)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_4, Qt::AltModifier);
    } else {
        pages->setCurrentWidget(f.find(u"tsLog"_s));
    }
    QCOMPARE(pages->currentWidget()->objectName(), u"tsLog"_s);
    widgets::ReportList *list = logList(f);
    QCOMPARE(list->selectedRow(), 300);
    QCOMPARE(list->currentIndex().row(), 300);
    QCOMPARE(memoText(f), u"details 300"_s);
    QCoreApplication::processEvents();
    const QRect last = list->visualRect(logModel(f)->index(300, 0));
    QVERIFY(list->viewport()->rect().intersects(last));
}

void TstEventLog::selectingAnEntryShowsItsDetailsWhole_data()
{
    QTest::addColumn<QString>("details");
    QTest::newRow("CR LF lines") << u"select *\r\n  from systables\r\n where tabid > 99"_s;
    QTest::newRow("LF lines") << u"update t\nset a = 1\n\nwhere b = 2\n"_s;
    QTest::newRow("empty") << QString();
}

void TstEventLog::selectingAnEntryShowsItsDetailsWhole()
{
    QFETCH(QString, details);
    MainFixture f;
    QVERIFY(f.show());
    f.window->AddLog(u"SQL - 0:00:01"_s, details);
    f.window->AddLog(u"Откат транзакции"_s, u"other"_s);
    showPage(f, u"tsLog"_s);
    QCOMPARE(memoText(f), u"other"_s);
    widgets::ReportList *list = logList(f);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(logModel(f)->index(1, 1)).center());
    QCOMPARE(list->selectedRow(), 1);
    QString shown = details;
    shown.replace(u"\r\n"_s, u"\n"_s);
    QCOMPARE(memoText(f), shown);
    QCOMPARE(f.find<QPlainTextEdit>(u"mmLog"_s)->document()->blockCount(), int(shown.count(u'\n')) + 1);
    QCOMPARE(list->selectionModel()->selectedIndexes().size(), 3);
}

void TstEventLog::clearingKeepsTheMemo()
{
    MainFixture f;
    QVERIFY(f.show());
    f.window->AddLog(u"Query.Error [-206]"_s, u"select * from nowhere"_s);
    showPage(f, u"tsLog"_s);
    QCOMPARE(memoText(f), u"select * from nowhere"_s);
    f.window->actions()["acClearLog"]->trigger();
    QCOMPARE(logModel(f)->rowCount(), 0);
    QCOMPARE(logList(f)->selectedRow(), -1);
    QCOMPARE(memoText(f), u"select * from nowhere"_s);
    showPage(f, u"tsSQLText"_s);
    showPage(f, u"tsLog"_s);
    QCOMPARE(logModel(f)->rowCount(), 0);
    QCOMPARE(memoText(f), u"select * from nowhere"_s);
    // Clearing and copying an empty log do nothing.
    QGuiApplication::clipboard()->setText(u"kept"_s);
    f.window->actions()["acClearLog"]->trigger();
    f.window->actions()["acCopyLogToClipboard"]->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"kept"_s);
    QVERIFY(f.dialogs.calls().isEmpty());
    // The log fills again after clearing.
    f.window->AddLog(u"Отключение от базы"_s, u"demo@stores"_s);
    showPage(f, u"tsSQLText"_s);
    showPage(f, u"tsLog"_s);
    QCOMPARE(memoText(f), u"demo@stores"_s);
}

void TstEventLog::copyPutsOnlyTheDetailsOnTheClipboard_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start entry") << 0 << QString();
    QTest::newRow("statement") << 1 << u"select 1\r\n  from systables"_s;
}

void TstEventLog::copyPutsOnlyTheDetailsOnTheClipboard()
{
    QFETCH(int, row);
    QFETCH(QString, expected);
    MainFixture f;
    QVERIFY(f.show());
    f.window->AddLog(u"SQL - 0:00:02"_s, u"select 1\r\n  from systables"_s);
    showPage(f, u"tsLog"_s);
    logList(f)->selectRow(row);
    QGuiApplication::clipboard()->setText(u"previous"_s);
    auto *menu = f.find<QMenu>(u"pmLog"_s);
    emit logList(f)->customContextMenuRequested(QPoint(5, 5));
    QTRY_VERIFY(menu->isVisible());
    QAction *copy = menu->findChild<QAction *>(u"miCopy"_s);
    menu->hide();
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    QCOMPARE(logModel(f)->rowCount(), 2);
}

void TstEventLog::copyItemIsEnabledExactlyWithASelection()
{
    MainFixture f;
    QVERIFY(f.show());
    showPage(f, u"tsLog"_s);
    logList(f)->clearSelection();
    QCOMPARE(logMenuState(f), std::pair(false, true));
    logList(f)->selectRow(0);
    QCOMPARE(logMenuState(f), std::pair(true, true));
    auto *menu = f.find<QMenu>(u"pmLog"_s);
    menu->findChild<QAction *>(u"miClear"_s)->trigger();
    QCOMPARE(logModel(f)->rowCount(), 0);
    QCOMPARE(logMenuState(f), std::pair(false, true));
    // The command itself stays enabled for the idle rule.
    QVERIFY(f.window->actions()["acCopyLogToClipboard"]->isEnabled());
}

// The copy command has no other way in than the pop-up menu.
void TstEventLog::ctrlCInTheListCopiesNothing()
{
    MainFixture f;
    QVERIFY(f.show());
    f.window->AddLog(u"SQL - 0:00:02"_s, u"select 1 from systables"_s);
    showPage(f, u"tsLog"_s);
    logList(f)->selectRow(1);
    logList(f)->setFocus();
    QGuiApplication::clipboard()->setText(u"previous"_s);
    QTest::keyClick(logList(f), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"previous"_s);
    QTest::keyClick(logList(f), Qt::Key_Insert, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"previous"_s);
}

// How long this takes is measured by quoll-bench; here only what it shows.
void TstEventLog::hundredThousandEntriesShowAndClear()
{
    MainFixture f;
    QVERIFY(f.show());
    showPage(f, u"tsLog"_s);
    for (int i = 1; i <= 100000; ++i)
        f.window->AddLog(u"SQL - 0:00:00"_s, u"select %1 from systables"_s.arg(i));
    QCoreApplication::processEvents();
    showPage(f, u"tsOutput"_s);
    showPage(f, u"tsLog"_s);
    QCoreApplication::processEvents();
    QCOMPARE(logModel(f)->rowCount(), 100001);
    QCOMPARE(logList(f)->selectedRow(), 100000);
    QCOMPARE(memoText(f), u"select 100000 from systables"_s);
    f.window->actions()["acClearLog"]->trigger();
    QCoreApplication::processEvents();
    QCOMPARE(logModel(f)->rowCount(), 0);
    QCOMPARE(memoText(f), u"select 100000 from systables"_s);
}

void TstEventLog::viewAsksOnlyForVisibleRows()
{
    CountingLogModel model;
    widgets::ReportList list;
    list.setModel(&model);
    list.resize(400, 300);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int i = 0; i < 100000; ++i)
        model.append({QTime::currentTime(), u"message"_s, u"details %1"_s.arg(i)});
    QCoreApplication::processEvents();
    list.viewport()->repaint();
    const int visibleRows = list.viewport()->height() / list.verticalHeader()->defaultSectionSize() + 2;
    QVERIFY(model.requests > 0);
    QVERIFY2(model.highestRow < visibleRows, qPrintable(QString::number(model.highestRow)));
    model.highestRow = -1;
    list.scrollToBottom();
    QCoreApplication::processEvents();
    list.viewport()->repaint();
    QVERIFY(model.highestRow >= 99999 - visibleRows);
    QVERIFY(model.requests < 100 * visibleRows);
}

void TstEventLog::modelIsConsistent()
{
    app::LogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.append({QTime(10, 0, 5), u"a"_s, u"x"_s});
    model.append({QTime(10, 0, 6), u"b"_s, QString()});
    QCOMPARE(model.data(model.index(0, 0)).toString(), app::LogModel::timeText(QTime(10, 0, 5)));
    // A statement that starts on a new line shows from its first word, on one line;
    // the entry keeps it as it was.
    model.append({QTime(10, 0, 7), u"SQL"_s, u"\r\n  select a,\r\n\tb from t;"_s});
    QCOMPARE(model.data(model.index(2, 2)).toString(), u"select a, b from t;"_s);
    QCOMPARE(model.entry(2).details, u"\r\n  select a,\r\n\tb from t;"_s);
    QVERIFY(app::LogModel::timeText(QTime(1, 5, 9)).contains(u"05"_s));
    QVERIFY(!(model.flags(model.index(0, 2)) & Qt::ItemIsEditable));
    model.clear();
    QCOMPARE(model.rowCount(), 0);
}

void TstEventLog::batchAnnouncesItsEntriesAsOneInsertion()
{
    app::LogModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.append({QTime(9, 0), u"before"_s, QString()});
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    {
        const app::LogModel::Batch outer(model);
        model.append({QTime(9, 1), u"one"_s, QString()});
        {
            const app::LogModel::Batch inner(model);
            model.append({QTime(9, 2), u"two"_s, QString()});
        }
        // The views still see the rows from before; the entries are kept.
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.size(), 3);
        QCOMPARE(model.entry(2).message, u"two"_s);
        model.append({QTime(9, 3), u"three"_s, QString()});
    }
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.front().at(1).toInt(), 1);
    QCOMPARE(inserted.front().at(2).toInt(), 3);
    QCOMPARE(model.rowCount(), 4);
    QCOMPARE(model.data(model.index(3, 1)).toString(), u"three"_s);
    // A batch that logs nothing announces nothing; out of batches each entry is its own.
    { const app::LogModel::Batch empty(model); }
    QCOMPARE(inserted.count(), 1);
    model.append({QTime(9, 4), u"after"_s, QString()});
    QCOMPARE(inserted.count(), 2);
    // Clearing inside a batch leaves nothing to announce twice.
    {
        const app::LogModel::Batch cleared(model);
        model.append({QTime(9, 5), u"gone"_s, QString()});
        model.clear();
        model.append({QTime(9, 6), u"kept"_s, QString()});
    }
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 1)).toString(), u"kept"_s);
}

QUOLL_TEST(TstEventLog);
#include "tst_eventlog.moc"
