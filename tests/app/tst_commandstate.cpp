#include "resultfixture.h"
#include "testregistry.h"

#include <QAbstractEventDispatcher>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ResultFixture;

namespace {

QStringList enabledOf(const ResultFixture &f, const QStringList &names)
{
    f.idle();
    QStringList on;
    for (const QString &name : names)
        if (f.window->actions().action(name)->isEnabled())
            on.append(name);
    return on;
}

const QStringList editorCommands{u"acSaveFile"_s,        u"acErase"_s,           u"acSelectAll"_s,
                                 u"acExecute"_s,         u"acExecuteSelected"_s, u"acCutToClipboard"_s,
                                 u"acCopyToClipboard"_s, u"acDeleteSelection"_s, u"acAddQuot"_s,
                                 u"acDeleteQuot"_s};
const QStringList navigation{u"acGoToFirstRecord"_s, u"acGoToPriorRecord"_s, u"acGoToNextRecord"_s,
                             u"acGoToLastRecord"_s};
const QStringList resultTools{u"acRefresh"_s,    u"acExportToHtml"_s, u"acExportToExcel"_s,
                              u"acExportToXLSFile"_s, u"acGetRecordCount"_s, u"acFontBigger"_s,
                              u"acFontSmaller"_s, u"acShowViewer"_s,  u"acGenerateSIUD"_s};
const QStringList dataTools{u"acExportToHtml1"_s, u"acExportToExcel1"_s, u"acExportToXLSFile1"_s,
                            u"acGetRecordCount1"_s, u"acFontBigger1"_s, u"acFontSmaller1"_s,
                            u"acShowViewer1"_s, u"acGenerateSIUD1"_s};

} // namespace

// Which commands are enabled, recomputed when the program becomes idle.
class TstCommandState : public QObject
{
    Q_OBJECT

private slots:
    void editorCommandsFollowTextSelectionAndConnection()
    {
        ResultFixture f;
        editor::SqlEdit *edit = f.window->currentEditor();
        QCOMPARE(enabledOf(f, editorCommands), QStringList());

        edit->setPlainText(u"select 1"_s);
        QCOMPARE(enabledOf(f, editorCommands), (QStringList{u"acSaveFile"_s, u"acErase"_s, u"acSelectAll"_s}));
        edit->setSelection(0, 6);
        QCOMPARE(enabledOf(f, editorCommands),
                 (QStringList{u"acSaveFile"_s, u"acErase"_s, u"acSelectAll"_s, u"acCutToClipboard"_s,
                              u"acCopyToClipboard"_s, u"acDeleteSelection"_s, u"acAddQuot"_s, u"acDeleteQuot"_s}));

        QVERIFY(f.ready());
        QCOMPARE(enabledOf(f, editorCommands), editorCommands);
        // One empty line is no text; an empty second line is.
        edit->setPlainText(QString());
        QCOMPARE(enabledOf(f, editorCommands), QStringList());
        edit->setPlainText(u"\n"_s);
        QCOMPARE(enabledOf(f, editorCommands), (QStringList{u"acSaveFile"_s, u"acErase"_s, u"acSelectAll"_s,
                                                            u"acExecute"_s}));
        // Each page has its own text.
        f.find<QTabWidget>(u"pcSQL"_s)->setCurrentIndex(1);
        QCOMPARE(enabledOf(f, editorCommands), QStringList());
    }

    void undoRedoAndPasteFollowTheEditorAndClipboard()
    {
        ResultFixture f;
        editor::SqlEdit *edit = f.window->currentEditor();
        QCOMPARE(enabledOf(f, {u"acUndo"_s, u"acRedo"_s}), QStringList());
        edit->replaceSelection(u"x"_s);
        QCOMPARE(enabledOf(f, {u"acUndo"_s, u"acRedo"_s}), QStringList{u"acUndo"_s});
        edit->undo();
        QCOMPARE(enabledOf(f, {u"acUndo"_s, u"acRedo"_s}), QStringList{u"acRedo"_s});

        QGuiApplication::clipboard()->setText(u"pasted"_s);
        QVERIFY(f.enabled("acPasteFromClipboard"));
        QGuiApplication::clipboard()->clear();
        QVERIFY(!f.enabled("acPasteFromClipboard"));
    }

    void navigationFollowsTheResultsPosition()
    {
        ResultFixture f;
        QCOMPARE(enabledOf(f, navigation + resultTools), QStringList());
        QVERIFY(f.ready());
        f.run(u"select id from t"_s);
        QCOMPARE(enabledOf(f, navigation), (QStringList{u"acGoToNextRecord"_s, u"acGoToLastRecord"_s}));
        QCOMPARE(enabledOf(f, resultTools), resultTools);
        f.trigger("acGoToNextRecord");
        QCOMPARE(enabledOf(f, navigation), navigation);
        f.trigger("acGoToLastRecord");
        QCOMPARE(enabledOf(f, navigation), (QStringList{u"acGoToFirstRecord"_s, u"acGoToPriorRecord"_s}));
        f.trigger("acGoToFirstRecord");
        QCOMPARE(enabledOf(f, navigation), (QStringList{u"acGoToNextRecord"_s, u"acGoToLastRecord"_s}));

        // An empty result is at start and at end at once.
        f.run(u"select id from t where id < 0"_s);
        QCOMPARE(enabledOf(f, navigation), QStringList());
        QCOMPARE(enabledOf(f, resultTools), resultTools);
        // A statement without rows closes the result.
        f.run(u"update t set id = id"_s);
        QCOMPARE(enabledOf(f, navigation + resultTools), QStringList());
    }

    void dataToolsFollowTheTablePage()
    {
        ResultFixture f;
        QVERIFY(f.ready());
        QCOMPARE(enabledOf(f, dataTools), QStringList());
        f.listTables({u"t"_s}, u"t"_s);
        f.trigger("acDataBar");
        QCOMPARE(enabledOf(f, dataTools), dataTools);
        QCOMPARE(enabledOf(f, resultTools), QStringList());
        f.probe().topBar()->connectButton()->click();
        QCOMPARE(enabledOf(f, dataTools), QStringList());
    }

    // Nothing has to ask: an event loop that waits for events is enough.
    void idleRecomputes()
    {
        ResultFixture f;
        // An event loop that runs until it has nothing left to do and
        // would wait for the next event.
        const auto waitIdle = [] {
            QEventLoop loop;
            const auto idle = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                                      &loop, &QEventLoop::quit);
            loop.exec();
            disconnect(idle);
        };
        f.window->currentEditor()->setPlainText(u"select 1"_s);
        waitIdle();
        QVERIFY(f.window->actions()["acErase"]->isEnabled());
        f.window->currentEditor()->setPlainText(QString());
        waitIdle();
        QVERIFY(!f.window->actions()["acErase"]->isEnabled());
    }
};

QUOLL_TEST(TstCommandState);

#include "tst_commandstate.moc"
