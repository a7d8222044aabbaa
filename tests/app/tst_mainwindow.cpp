#include "mainfixture.h"
#include "testregistry.h"

#include "app/aboutbox.h"
#include "app/commandtable.h"
#include "connection/widgets/connectdialog.h"
#include "connection/engine/database.h"
#include "connection/engine/dataset.h"
#include "editor/sqledit.h"
#include "export/exportdialog.h"
#include "results/valueviewer.h"
#include "widgets/screenscale.h"
#include "widgets/statusbar.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSet>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::MainFixture;
using widgets::scaled;

namespace {

// Every named component of the window and the named component it stands in.
const QList<std::pair<QString, QString>> &components()
{
    static const QList<std::pair<QString, QString>> table = [] {
        QList<std::pair<QString, QString>> t;
        const auto in = [&t](const QString &container, const QStringList &names) {
            for (const QString &n : names)
                t.append({n, container});
        };
        in(u"fmMain"_s, {u"Panel2"_s, u"Splitter1"_s, u"pcMenu"_s, u"StatusBar"_s});
        in(u"Panel2"_s, {u"ToolBar4"_s});
        in(u"ToolBar4"_s, {u"Panel8"_s, u"Splitter6"_s, u"tbConnect"_s, u"Panel9"_s, u"Splitter7"_s,
                           u"Panel10"_s, u"Splitter8"_s, u"tbBeginCommit"_s, u"tbRollback"_s, u"ToolButton28"_s});
        in(u"Panel8"_s, {u"cbServerName"_s});
        in(u"Panel9"_s, {u"cbDataBaseName"_s});
        in(u"Panel10"_s, {u"cbRoleName"_s});
        in(u"pcMenu"_s, {u"tsSQLText"_s, u"tsOutput"_s, u"tsData"_s, u"tsLog"_s});
        in(u"tsSQLText"_s, {u"PageControl1"_s, u"Splitter2"_s, u"pcButtons"_s, u"Splitter3"_s, u"pcSQL"_s,
                            u"Splitter5"_s, u"tbRunButs"_s});
        in(u"PageControl1"_s, {u"tsTables"_s, u"tsProcs"_s});
        in(u"tsTables"_s, {u"Panel5"_s, u"Splitter4"_s, u"PageControl2"_s});
        in(u"Panel5"_s, {u"cbTableWild"_s, u"tbFindTable"_s, u"lvTables"_s});
        in(u"PageControl2"_s, {u"tsFields"_s, u"tsIndexes"_s, u"tsConstraints"_s, u"tsTriggers"_s});
        in(u"tsFields"_s, {u"ListView2"_s});
        in(u"tsIndexes"_s, {u"ListView3"_s});
        in(u"tsConstraints"_s, {u"ListView4"_s});
        in(u"tsTriggers"_s, {u"lvTriggers"_s});
        in(u"tsProcs"_s, {u"Panel7"_s, u"Splitter9"_s, u"mmProcText"_s});
        in(u"Panel7"_s, {u"cbProcWild"_s, u"tbFindProc"_s, u"lvProc"_s});
        for (int i = 1; i <= 5; ++i) {
            in(u"pcSQL"_s, {u"tsSQLText%1"_s.arg(i)});
            in(u"tsSQLText%1"_s.arg(i), {u"mmSQL%1"_s.arg(i)});
        }
        in(u"tbRunButs"_s, {u"tbSQLPre"_s, u"tbSQLRun"_s, u"tbSQLRunSelected"_s, u"tbSQLNext"_s,
                            u"tbSQLOpen"_s, u"tbSQLSave"_s, u"tbSQLErase"_s});
        in(u"tsOutput"_s, {u"ToolBar11"_s, u"DBGrid1"_s});
        in(u"tsData"_s, {u"ToolBar12"_s, u"DBGrid2"_s});
        in(u"ToolBar12"_s, {u"DBNavigator2"_s});
        in(u"tsLog"_s, {u"lwLog"_s, u"Splitter10"_s, u"mmLog"_s});
        return t;
    }();
    return table;
}

// The nearest ancestor that is itself a named component.
QString namedContainer(const QWidget *widget)
{
    static const QSet<QString> names = [] {
        QSet<QString> s{u"fmMain"_s};
        for (const auto &[name, container] : components())
            s.insert(name);
        return s;
    }();
    for (const QWidget *w = widget->parentWidget(); w; w = w->parentWidget())
        if (names.contains(w->objectName()))
            return w->objectName();
    return {};
}

QPoint positionIn(const QWidget *widget, const QWidget *reference)
{
    return widget->mapTo(reference, QPoint(0, 0));
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void everyComponentStandsInItsContainer_data();
    void everyComponentStandsInItsContainer();
    void componentsAreLaidOutInOrder_data();
    void componentsAreLaidOutInOrder();
    void pageControlsHoldTheirPagesInOrder_data();
    void pageControlsHoldTheirPagesInOrder();
    void startsOnTheQueryPageWithCaptionAndFonts();
    void connectionControlsStartDisabled();
    void statusBarHasFourPanels();
    void mainMenuHasNoItems();
    void secondaryWindowsAreCreatedOnceAndOwnedByTheApplication();
    void altDigitSwitchesPages_data();
    void altDigitSwitchesPages();
    void popupMenusOpenOnTheirComponents_data();
    void popupMenusOpenOnTheirComponents();
    void aboutButtonShowsTheAboutBoxModally();
    void closingTheWindowEndsTheProgramWhileTheViewerIsOpen();
    void aboutBoxWebAddressOpensInTheBrowser();
    void paneSplittersResizeTheirPanes_data();
    void paneSplittersResizeTheirPanes();
    void closingIsAccepted();
    void destroyingFreesEveryWindow();
};

void TstMainWindow::everyComponentStandsInItsContainer_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    for (const auto &[name, container] : components())
        QTest::newRow(qPrintable(name)) << name << container;
}

void TstMainWindow::everyComponentStandsInItsContainer()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    MainFixture f;
    auto *widget = f.find(name);
    QVERIFY2(widget, qPrintable(u"no component %1"_s.arg(name)));
    QCOMPARE(namedContainer(widget), container);
    QCOMPARE(f.window->findChildren<QWidget *>(name).size(), 1);
}

void TstMainWindow::componentsAreLaidOutInOrder_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("window") << u"tsSQLText"_s << false
                            << QStringList{u"Panel2"_s, u"Splitter1"_s, u"pcMenu"_s, u"StatusBar"_s};
    QTest::newRow("top bar") << u"tsSQLText"_s << true
                             << QStringList{u"Panel8"_s, u"Splitter6"_s, u"tbConnect"_s, u"Panel9"_s,
                                            u"Splitter7"_s, u"Panel10"_s, u"Splitter8"_s, u"tbBeginCommit"_s,
                                            u"tbRollback"_s, u"ToolButton28"_s};
    QTest::newRow("query page") << u"tsSQLText"_s << false
                                << QStringList{u"PageControl1"_s, u"Splitter2"_s, u"pcButtons"_s,
                                               u"Splitter3"_s, u"pcSQL"_s};
    QTest::newRow("editor row") << u"tsSQLText"_s << true
                                << QStringList{u"pcSQL"_s, u"Splitter5"_s, u"tbRunButs"_s};
    QTest::newRow("table page") << u"tsSQLText"_s << true
                                << QStringList{u"Panel5"_s, u"Splitter4"_s, u"PageControl2"_s};
    QTest::newRow("table filter") << u"tsSQLText"_s << true << QStringList{u"cbTableWild"_s, u"tbFindTable"_s};
    QTest::newRow("table list") << u"tsSQLText"_s << false << QStringList{u"cbTableWild"_s, u"lvTables"_s};
    QTest::newRow("output page") << u"tsOutput"_s << false << QStringList{u"ToolBar11"_s, u"DBGrid1"_s};
    QTest::newRow("data page") << u"tsData"_s << false << QStringList{u"ToolBar12"_s, u"DBGrid2"_s};
    QTest::newRow("log page") << u"tsLog"_s << false << QStringList{u"lwLog"_s, u"Splitter10"_s, u"mmLog"_s};
}

void TstMainWindow::componentsAreLaidOutInOrder()
{
    QFETCH(QString, page);
    QFETCH(bool, horizontal);
    QFETCH(QStringList, names);
    MainFixture f;
    QVERIFY(f.show());
    f.find<QTabWidget>(u"pcMenu"_s)->setCurrentWidget(f.find(page));
    QCoreApplication::processEvents();
    int last = -1;
    for (const QString &name : names) {
        QWidget *w = f.find(name);
        QVERIFY2(w && w->isVisible(), qPrintable(name));
        const QPoint p = positionIn(w, f.window.get());
        const int at = horizontal ? p.x() : p.y();
        QVERIFY2(at > last, qPrintable(u"%1 is not after its predecessor"_s.arg(name)));
        last = at + (horizontal ? w->width() : w->height()) - 1;
    }
}

void TstMainWindow::pageControlsHoldTheirPagesInOrder_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("pcMenu") << u"pcMenu"_s << int(QTabWidget::South)
                            << QStringList{u"tsSQLText"_s, u"tsOutput"_s, u"tsData"_s, u"tsLog"_s}
                            << QStringList{u"Запрос"_s, u"Результат"_s, u"Таблица"_s, u"Журнал"_s};
    QTest::newRow("PageControl1") << u"PageControl1"_s << int(QTabWidget::West)
                                  << QStringList{u"tsTables"_s, u"tsProcs"_s} << QStringList{u"T"_s, u"SP"_s};
    QTest::newRow("PageControl2") << u"PageControl2"_s << int(QTabWidget::West)
                                  << QStringList{u"tsFields"_s, u"tsIndexes"_s, u"tsConstraints"_s, u"tsTriggers"_s}
                                  << QStringList{u"Fi"_s, u"Ix"_s, u"Ct"_s, u"Tg"_s};
    QTest::newRow("pcSQL") << u"pcSQL"_s << int(QTabWidget::West)
                           << QStringList{u"tsSQLText1"_s, u"tsSQLText2"_s, u"tsSQLText3"_s, u"tsSQLText4"_s,
                                          u"tsSQLText5"_s}
                           << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s};
}

void TstMainWindow::pageControlsHoldTheirPagesInOrder()
{
    QFETCH(QString, control);
    QFETCH(int, position);
    QFETCH(QStringList, pages);
    QFETCH(QStringList, captions);
    MainFixture f;
    auto *tabs = f.find<QTabWidget>(control);
    QVERIFY(tabs);
    QCOMPARE(int(tabs->tabPosition()), position);
    QCOMPARE(tabs->count(), pages.size());
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), pages[i]);
        QCOMPARE(tabs->tabText(i), captions[i]);
    }
    QCOMPARE(tabs->currentIndex(), 0);
    if (control == u"pcSQL"_s)
        for (int i = 0; i < tabs->count(); ++i)
            QCOMPARE(tabs->widget(i)->property("tag").toInt(), i + 1);
}

void TstMainWindow::startsOnTheQueryPageWithCaptionAndFonts()
{
    MainFixture f;
    QCOMPARE(f.window->windowTitle(), u"Quoll v4.57b"_s);
    QCOMPARE(f.find<QTabWidget>(u"pcMenu"_s)->currentWidget()->objectName(), u"tsSQLText"_s);
    QCOMPARE(f.window->geometry().size(), QSize(550, 450));
    QCOMPARE(f.window->windowState(), Qt::WindowNoState);
    QCOMPARE(f.window->font().family(), u"Verdana"_s);
    QCOMPARE(f.window->font().pixelSize(), scaled(13));
    for (const QString &combo : {u"cbServerName"_s, u"cbDataBaseName"_s, u"cbRoleName"_s}) {
        const QFont font = f.find(combo)->font();
        QCOMPARE(font.family(), u"Arial"_s);
        QCOMPARE(font.pixelSize(), scaled(18));
    }
    QCOMPARE(f.find(u"mmSQL3"_s)->font().family(), u"Courier New"_s);
    QCOMPARE(f.window->currentEditor(), f.find<editor::SqlEdit>(u"mmSQL1"_s));
}

void TstMainWindow::connectionControlsStartDisabled()
{
    MainFixture f;
    for (const QString &name : {u"cbDataBaseName"_s, u"cbRoleName"_s, u"cbTableWild"_s, u"tbFindTable"_s,
                                u"cbProcWild"_s, u"tbFindProc"_s, u"tbBeginCommit"_s, u"tbRollback"_s})
        QVERIFY2(!f.find(name)->isEnabled(), qPrintable(name));
    QVERIFY(f.find(u"cbServerName"_s)->isEnabled());
    auto *connect = f.find<QToolButton>(u"tbConnect"_s);
    QVERIFY(connect->isEnabled());
    QVERIFY(connect->isCheckable());
    QVERIFY(!connect->isChecked());
    QCOMPARE(f.find(u"tbBeginCommit"_s)->toolTip(), u"Начать транзакцию"_s);
    QCOMPARE(f.find(u"tbRollback"_s)->toolTip(), u"Откатить транзакцию"_s);
    QCOMPARE(f.find(u"cbServerName"_s)->toolTip(), u"Server Name"_s);
    QCOMPARE(f.find(u"cbDataBaseName"_s)->toolTip(), u"DataBase Name"_s);
    QCOMPARE(f.find(u"cbRoleName"_s)->toolTip(), u"Set Role"_s);
    QVERIFY(!f.find<QComboBox>(u"cbServerName"_s)->isEditable());
}

void TstMainWindow::statusBarHasFourPanels()
{
    MainFixture f;
    QVERIFY(f.show());
    auto *bar = f.find<widgets::StatusBar>(u"StatusBar"_s);
    QVERIFY(bar);
    QCOMPARE(bar->panelCount(), 4);
    QCOMPARE(bar->panel(0)->width(), scaled(120));
    QCOMPARE(bar->panel(1)->width(), scaled(90));
    QCOMPARE(bar->panel(2)->width(), scaled(25));
    QVERIFY(bar->panel(3)->width() >= scaled(50));
    QCOMPARE(bar->panel(2)->frameShape(), QFrame::NoFrame);
    for (int bevelled : {0, 1, 3})
        QVERIFY(bar->panel(bevelled)->frameShape() != QFrame::NoFrame);
    // The last panel takes what width is left.
    const int panel3Width = bar->panel(3)->width();
    f.window->resize(f.window->width() + 200, f.window->height());
    QTRY_VERIFY(bar->panel(3)->width() > panel3Width);
}

void TstMainWindow::mainMenuHasNoItems()
{
    MainFixture f;
    const QMenuBar *menu = f.window->findChild<QMenuBar *>();
    QVERIFY(!menu || menu->actions().isEmpty());
}

void TstMainWindow::secondaryWindowsAreCreatedOnceAndOwnedByTheApplication()
{
    MainFixture f;
    const struct
    {
        QWidget *window;
        QString caption;
        bool modal;
    } expected[] = {
        {f.probe().connectDialog(), u"Подключение к БД"_s, true},
        {f.probe().exportDialog(), u"Экспорт в файл"_s, true},
        {f.probe().aboutBox(), u"About"_s, true},
        {f.probe().viewer(), u"Расширеный просмотр"_s, false},
    };
    for (const auto &e : expected) {
        QVERIFY(e.window);
        QCOMPARE(e.window->windowTitle(), e.caption);
        QVERIFY2(!e.window->parent(), qPrintable(e.caption));
        QVERIFY(e.window->isWindow());
        QVERIFY(!e.window->isVisible());
        QCOMPARE(e.window->isModal(), e.modal);
    }
    QVERIFY(f.probe().viewer()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(f.probe().tableInfos() && f.probe().tableInfos()->empty());
    QVERIFY(f.probe().procInfos() && f.probe().procInfos()->empty());
    QVERIFY(f.probe().columnNames() && f.probe().columnNames()->isEmpty());
    QVERIFY(f.probe().resultSet() && !f.probe().resultSet()->isActive());
    QVERIFY(!f.window->database().isConnected());
}

void TstMainWindow::altDigitSwitchesPages_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("page");
    QTest::newRow("Alt+2") << int(Qt::Key_2) << u"tsSQLText"_s << u"tsOutput"_s;
    QTest::newRow("Alt+3") << int(Qt::Key_3) << u"tsLog"_s << u"tsData"_s;
    QTest::newRow("Alt+4") << int(Qt::Key_4) << u"tsOutput"_s << u"tsLog"_s;
    QTest::newRow("Alt+1") << int(Qt::Key_1) << u"tsData"_s << u"tsSQLText"_s;
}

void TstMainWindow::altDigitSwitchesPages()
{
    QFETCH(int, key);
    QFETCH(QString, from);
    QFETCH(QString, page);
    MainFixture f;
    QVERIFY(f.show());
    auto *pages = f.find<QTabWidget>(u"pcMenu"_s);
    pages->setCurrentWidget(f.find(from));
    f.find(u"mmSQL1"_s)->setFocus();
    QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : f.window.get();
    QTest::keyClick(target, Qt::Key(key), Qt::AltModifier);
    QCOMPARE(pages->currentWidget()->objectName(), page);
    QVERIFY(f.dialogs.calls().isEmpty());
}

void TstMainWindow::popupMenusOpenOnTheirComponents_data()
{
    QTest::addColumn<QString>("component");
    QTest::addColumn<QString>("menu");
    QTest::newRow("editor") << u"mmSQL2"_s << u"pmMenu"_s;
    QTest::newRow("editor pages") << u"pcSQL"_s << u"pmMenu"_s;
    QTest::newRow("table list") << u"lvTables"_s << u"pmLW"_s;
    QTest::newRow("column list") << u"ListView2"_s << u"pmLW"_s;
    QTest::newRow("trigger list") << u"lvTriggers"_s << u"pmLW"_s;
    QTest::newRow("procedure list") << u"lvProc"_s << u"pmLW"_s;
    QTest::newRow("log") << u"lwLog"_s << u"pmLog"_s;
}

void TstMainWindow::popupMenusOpenOnTheirComponents()
{
    QFETCH(QString, component);
    QFETCH(QString, menu);
    MainFixture f;
    QVERIFY(f.show());
    QWidget *widget = f.find(component);
    auto *popup = f.find<QMenu>(menu);
    QVERIFY(widget && popup);
    QCOMPARE(widget->contextMenuPolicy(), Qt::CustomContextMenu);
    emit widget->customContextMenuRequested(QPoint(5, 5));
    QTRY_VERIFY(popup->isVisible());
    QCOMPARE(popup->property("popupComponent").toString(), component);
    popup->hide();
}

void TstMainWindow::aboutButtonShowsTheAboutBoxModally()
{
    MainFixture f;
    QVERIFY(f.show());
    bool shownModally = false;
    QTimer::singleShot(0, f.window.get(), [&] {
        shownModally = QApplication::activeModalWidget() == f.probe().aboutBox();
        f.probe().aboutBox()->findChild<QPushButton *>(u"Button1"_s)->click();
    });
    f.find<QToolButton>(u"ToolButton28"_s)->click();
    QVERIFY(shownModally);
    QVERIFY(!f.probe().aboutBox()->isVisible());
    QCOMPARE(f.probe().aboutBox()->result(), int(QDialog::Accepted));
}

// The program's event loop runs until the main window closes, whatever
// other window is open: the value viewer has no owner and must not keep the
// process alive.
void TstMainWindow::closingTheWindowEndsTheProgramWhileTheViewerIsOpen()
{
    MainFixture f;
    QVERIFY(f.show());
    f.probe().viewer()->showInViewer(u"a long value"_s);
    QVERIFY(QTest::qWaitForWindowExposed(f.probe().viewer()));
    bool ended = false;
    QTimer::singleShot(0, f.window.get(), [&] { f.window->close(); });
    // Only a watchdog, so that a failure cannot hang the suite.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(99); });
    watchdog.start(60'000);
    const int status = QApplication::exec();
    ended = status == 0;
    watchdog.stop();
    QVERIFY2(ended, "the event loop went on after the main window closed");
    QVERIFY(!f.window->isVisible());
    QVERIFY(!f.probe().viewer()->isVisible());
}

// Receives the addresses the about box hands to the shell.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

void TstMainWindow::aboutBoxWebAddressOpensInTheBrowser()
{
    MainFixture f;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(u"https"_s, &catcher, "open");
    app::AboutBox *about = f.probe().aboutBox();
    about->show();
    QVERIFY(QTest::qWaitForWindowExposed(about));
    QLineEdit *address = about->webAddress();
    QCOMPARE(address->objectName(), u"Edit1"_s);
    QVERIFY(address->isReadOnly());
    QTest::mouseClick(address, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(u"https"_s);
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(address->text())});
    QVERIFY(about->isVisible());
    QCOMPARE(about->findChild<QLabel *>(u"Label2"_s)->text(), u"   Version 4.57beta"_s);
    about->hide();
}

void TstMainWindow::paneSplittersResizeTheirPanes_data()
{
    QTest::addColumn<QString>("splitter");
    QTest::addColumn<QString>("pane");
    QTest::addColumn<QPoint>("drag");
    QTest::addColumn<QSize>("growth");
    QTest::newRow("top bar") << u"Splitter1"_s << u"Panel2"_s << QPoint(0, 15) << QSize(0, 15);
    QTest::newRow("catalog") << u"Splitter2"_s << u"PageControl1"_s << QPoint(0, 30) << QSize(0, 30);
    QTest::newRow("snippets") << u"Splitter3"_s << u"pcButtons"_s << QPoint(0, -20) << QSize(0, -20);
    QTest::newRow("run bar") << u"Splitter5"_s << u"tbRunButs"_s << QPoint(-40, 0) << QSize(40, 0);
    QTest::newRow("server panel") << u"Splitter6"_s << u"Panel8"_s << QPoint(25, 0) << QSize(25, 0);
    QTest::newRow("table panel") << u"Splitter4"_s << u"Panel5"_s << QPoint(-50, 0) << QSize(-50, 0);
}

void TstMainWindow::paneSplittersResizeTheirPanes()
{
    QFETCH(QString, splitter);
    QFETCH(QString, pane);
    QFETCH(QPoint, drag);
    QFETCH(QSize, growth);
    MainFixture f;
    QVERIFY(f.show());
    QWidget *bar = f.find(splitter);
    QWidget *target = f.find(pane);
    const QSize before = target->size();
    const QPoint start = bar->rect().center();
    QTest::mousePress(bar, Qt::LeftButton, {}, start);
    QMouseEvent move(QEvent::MouseMove, QPointF(start + drag), bar->mapToGlobal(QPointF(start + drag)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, start + drag);
    QTRY_COMPARE(target->size(), before + growth);
}

void TstMainWindow::closingIsAccepted()
{
    MainFixture f;
    QVERIFY(f.show());
    QVERIFY(f.window->close());
    QVERIFY(!f.window->isVisible());
    QVERIFY(f.dialogs.calls().isEmpty());
}

void TstMainWindow::destroyingFreesEveryWindow()
{
    const QSet<QWidget *> before = [] {
        const QWidgetList list = QApplication::topLevelWidgets();
        return QSet<QWidget *>(list.begin(), list.end());
    }();
    {
        MainFixture f;
        QVERIFY(f.show());
        f.probe().viewer()->showInViewer(u"some text"_s);
        QVERIFY(f.window->close());
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QWidgetList after = QApplication::topLevelWidgets();
    for (QWidget *w : after)
        QVERIFY2(before.contains(w), qPrintable(u"left behind: %1 %2"_s.arg(
                                                     QString::fromLatin1(w->metaObject()->className()),
                                                     w->objectName())));
}

QUOLL_TEST(TstMainWindow);
#include "tst_mainwindow.moc"
