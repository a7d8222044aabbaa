#include "clientenvironment.h"
#include "mainprobe.h"
#include "scripteddialogs.h"
#include "testregistry.h"

#include "app/editorcommands.h"
#include "app/errorhandler.h"
#include "app/quollmain.h"
#include "app/snippetpages.h"
#include "catalog/catalogpane.h"
#include "catalog/listcommands.h"
#include "catalog/namefilter.h"
#include "connection/widgets/connectdialog.h"
#include "core/apppaths.h"
#include "core/profilefile.h"
#include "editor/sqledit.h"
#include "results/gridpage.h"
#include "results/valueviewer.h"
#include "widgets/panesplitter.h"
#include "widgets/reportlist.h"
#include "workspace/editorpages.h"
#include "app/connectioncontrol.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::ScriptedDialogs;

namespace {

// Main windows started and closed one after another on one folder, as a
// user restarts the program.
struct Restarts
{
    testing::ClientEnvironment environment{QString()};
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    app::ErrorHandler errors{dialogs};
    std::unique_ptr<app::QuollMain> window;

    AppPaths paths() const { return AppPaths(folder.path(), u"quoll"_s); }
    app::QuollMain &start()
    {
        window = std::make_unique<app::QuollMain>(paths(), dialogs, errors);
        return *window;
    }
    bool close() { return window->close(); }
    QString settingsPath() const { return paths().settingsFile(); }
    ProfileFile settings() const { return ProfileFile::load(settingsPath()); }
    void writeSettings(const QByteArray &bytes) const
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    template<class T = QWidget>
    T *find(const QString &name) const
    {
        return window->findChild<T *>(name);
    }
    widgets::PaneSplitter *splitter(const char *name) const { return find<widgets::PaneSplitter>(QString::fromLatin1(name)); }
    widgets::ReportList *list(const char *name) const { return find<widgets::ReportList>(QString::fromLatin1(name)); }
    editor::SqlEdit *editor(int number) const { return find<editor::SqlEdit>(u"mmSQL%1"_s.arg(number)); }
};

} // namespace

// What a user arranged comes back after a restart; the file is written as
// the profile functions would write it.
class TstSettings : public QObject
{
    Q_OBJECT

private slots:
    void firstStartHasTheDefaultsAndTheFirstCloseWritesEveryKeyInOrder()
    {
        Restarts r;
        app::QuollMain &w = r.start();
        const testing::MainProbe probe{w};
        QCOMPARE(w.pos(), QPoint(0, 0));
        QCOMPARE(w.size(), QSize(550, 450));
        QVERIFY(!w.isMaximized());
        QCOMPARE(catalog::filterHistory(*r.find<QComboBox>(u"cbTableWild"_s)), QStringList(5, QString()));
        QCOMPARE(probe.connectDialog()->Logins(), QStringList());
        QCOMPARE(r.splitter("Splitter2")->paneSize(), 130);
        // The starter snippets come with the first start.
        QVERIFY(QFile::exists(r.paths().menuFile()));
        QVERIFY(r.find<QTabWidget>(u"pcButtons"_s)->count() > 0);
        QVERIFY(r.close());
        const ProfileFile file = r.settings();
        QCOMPARE(file.sections(),
                 (QStringList{u"Position"_s, u"Connection"_s, u"Grid1"_s, u"Grid2"_s, u"TableWildCards"_s,
                              u"ProcWildCards"_s, u"ViewPosition"_s, u"TextView"_s, u"TableView"_s, u"FieldView"_s,
                              u"IndexView"_s, u"CnstrView"_s, u"TriggView"_s, u"ProcView"_s, u"SQL1"_s, u"SQL2"_s,
                              u"SQL3"_s, u"SQL4"_s, u"SQL5"_s}));
        QCOMPARE(file.keys(u"Position"_s),
                 (QStringList{u"SplTop"_s, u"SplLeft"_s, u"SplLeft1"_s, u"SplLeft2"_s, u"SplLeft3"_s,
                              u"ComboHeight"_s, u"LogHeight"_s, u"SplRight"_s, u"SplPLeft"_s, u"ButtHeight"_s,
                              u"Maximized"_s, u"Left"_s, u"Top"_s, u"Width"_s, u"Height"_s}));
        QCOMPARE(file.keys(u"TableView"_s),
                 (QStringList{u"fnName"_s, u"fnColor"_s, u"fnSize"_s, u"Color"_s, u"ColWide0"_s, u"ColWide1"_s,
                              u"ColWide2"_s, u"ColWide3"_s, u"ColWide4"_s, u"ColWide5"_s, u"ColWide6"_s,
                              u"ColWide7"_s, u"ColWide8"_s}));
        QCOMPARE(file.value(u"TableView"_s, u"fnColor"_s), std::optional<QString>(u"clWindowText"_s));
        QCOMPARE(file.value(u"TableView"_s, u"Color"_s), std::optional<QString>(u"clWindow"_s));
        QCOMPARE(file.value(u"TableView"_s, u"fnName"_s), std::optional<QString>(u"MS Sans Serif"_s));
        QCOMPARE(file.value(u"SQL3"_s, u"fnHeight"_s), std::optional<QString>(u"-17"_s));
        QCOMPARE(file.value(u"Grid2"_s, u"FontHeight"_s), std::optional<QString>(u"-13"_s));
        QVERIFY(r.settings().toBytes().startsWith("[Position]\r\nSplTop=130\r\n"));
        QCOMPARE(r.dialogs.messages().size(), 0);
    }

    void everythingArrangedComesBack()
    {
        Restarts r;
        {
            app::QuollMain &w = r.start();
            const testing::MainProbe probe{w};
            w.move(40, 30);
            w.resize(900, 700);
            const std::pair<const char *, int> panes[] = {{"Splitter2", 210}, {"Splitter4", 240}, {"Splitter6", 150},
                                                          {"Splitter7", 160}, {"Splitter8", 90}, {"Splitter1", 50},
                                                          {"Splitter10", 90}, {"Splitter5", 60}, {"Splitter9", 200},
                                                          {"Splitter3", 70}};
            for (const auto &[name, size] : panes)
                r.splitter(name)->setPaneSize(size);
            probe.outputPage()->setFontHeight(-19);
            probe.dataPage()->setFontHeight(-21);
            catalog::setFilterHistory(*r.find<QComboBox>(u"cbTableWild"_s),
                                      {u"*tbl"_s, u"cp*"_s, QString(), u"x;y"_s, u"Ы*"_s});
            catalog::setFilterHistory(*r.find<QComboBox>(u"cbProcWild"_s), {u"sp_*"_s, {}, {}, {}, {}});
            probe.connectDialog()->setLogins({u"anna"_s, u"bob"_s});
            probe.connectionControl().setSavedServerName(u"quoll_work"_s);
            probe.connectionControl().setSavedDataBaseName(u"shop"_s);
            probe.viewer()->setGeometry(100, 120, 600, 500);
            probe.viewer()->setTextFontHeight(-23);
            widgets::ReportList *fields = r.list("ListView2");
            QFont font(u"DejaVu Sans"_s, 11);
            fields->setFont(font);
            fields->setProperty(catalog::ChosenTextColour, QColor(0x12, 0x34, 0x56));
            fields->setProperty(catalog::ChosenBackground, QColor(Qt::yellow));
            fields->horizontalHeader()->resizeSection(2, 77);
            app::EditorCommands::setFontHeight(r.editor(3), -25);
            QVERIFY(r.close());
        }
        const ProfileFile file = r.settings();
        QCOMPARE(file.value(u"FieldView"_s, u"fnColor"_s), std::optional<QString>(u"$00563412"_s));
        QCOMPARE(file.value(u"FieldView"_s, u"Color"_s), std::optional<QString>(u"clYellow"_s));

        app::QuollMain &w = r.start();
        const testing::MainProbe probe{w};
        QCOMPARE(w.pos(), QPoint(40, 30));
        QCOMPARE(w.size(), QSize(900, 700));
        QCOMPARE(r.splitter("Splitter2")->paneSize(), 210);
        QCOMPARE(r.splitter("Splitter8")->paneSize(), 90);
        QCOMPARE(r.splitter("Splitter3")->paneSize(), 70);
        QCOMPARE(probe.outputPage()->fontHeight(), -19);
        QCOMPARE(probe.dataPage()->fontHeight(), -21);
        QCOMPARE(catalog::filterHistory(*r.find<QComboBox>(u"cbTableWild"_s)),
                 (QStringList{u"*tbl"_s, u"cp*"_s, QString(), u"x;y"_s, u"Ы*"_s}));
        QCOMPARE(r.find<QComboBox>(u"cbTableWild"_s)->currentText(), u"*tbl"_s);
        QCOMPARE(r.find<QComboBox>(u"cbProcWild"_s)->currentText(), u"sp_*"_s);
        QCOMPARE(probe.connectDialog()->Logins(), (QStringList{u"anna"_s, u"bob"_s}));
        QCOMPARE(probe.connectDialog()->userName()->currentText(), u"anna"_s);
        QCOMPARE(probe.connectionControl().savedServerName(), u"quoll_work"_s);
        QCOMPARE(probe.connectionControl().savedDataBaseName(), u"shop"_s);
        QCOMPARE(r.find<QComboBox>(u"cbServerName"_s)->currentText(), u"quoll_work"_s);
        QCOMPARE(probe.viewer()->geometry(), QRect(100, 120, 600, 500));
        QCOMPARE(probe.viewer()->textFontHeight(), -23);
        widgets::ReportList *fields = r.list("ListView2");
        QCOMPARE(fields->font().family(), u"DejaVu Sans"_s);
        QCOMPARE(fields->font().pointSize(), 11);
        QCOMPARE(fields->palette().color(QPalette::Text), QColor(0x12, 0x34, 0x56));
        QCOMPARE(fields->palette().color(QPalette::Base), QColor(Qt::yellow));
        QCOMPARE(fields->horizontalHeader()->sectionSize(2), 77);
        QCOMPARE(fields->horizontalHeader()->sectionSize(1), 100);
        QCOMPARE(app::EditorCommands::fontHeight(r.editor(3)), -25);
        QCOMPARE(app::EditorCommands::fontHeight(r.editor(2)), -17);
        // Closed again unchanged, the file is the same byte for byte.
        const QByteArray before = file.toBytes();
        QVERIFY(r.close());
        QCOMPARE(r.settings().toBytes(), before);
    }

    void oddValuesGiveTheirDefaults()
    {
        Restarts r;
        r.writeSettings("[Position]\r\nMaximized=2\r\nSplTop=x\r\n[TableView]\r\nColWide0=-1\r\nColWide1=55\r\n"
                        "fnColor=clNoSuchColour\r\nColor=$0000FF00\r\nfnSize=big\r\n"
                        "[uLogins]\r\nb=bob\r\na=anna\r\n");
        app::QuollMain &w = r.start();
        const testing::MainProbe probe{w};
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QCOMPARE(r.splitter("Splitter2")->paneSize(), 130);
        widgets::ReportList *tables = r.list("lvTables");
        QCOMPARE(tables->horizontalHeader()->sectionSize(0), 100);
        QCOMPARE(tables->horizontalHeader()->sectionSize(1), 55);
        QCOMPARE(tables->horizontalHeader()->sectionSize(2), 100);
        QCOMPARE(tables->palette().color(QPalette::Base), QColor(0, 255, 0));
        QCOMPARE(tables->font().pointSize(), 8);
        QCOMPARE(probe.connectDialog()->Logins(), (QStringList{u"bob"_s, u"anna"_s}));
        QVERIFY(r.close());
        // b and a stay beside the keys written for the list.
        const ProfileFile file = r.settings();
        QCOMPARE(file.keys(u"uLogins"_s), (QStringList{u"b"_s, u"a"_s, u"0"_s, u"1"_s}));
        QCOMPARE(file.value(u"uLogins"_s, u"0"_s), std::optional<QString>(u"bob"_s));
        QCOMPARE(file.value(u"TableView"_s, u"fnColor"_s), std::optional<QString>(u"clWindowText"_s));
        QCOMPARE(file.value(u"TableView"_s, u"Color"_s), std::optional<QString>(u"clLime"_s));
        // ...and are read again at the next start.
        QCOMPARE(testing::MainProbe{r.start()}.connectDialog()->Logins(), (QStringList{u"bob"_s, u"anna"_s, u"bob"_s, u"anna"_s}));
    }

    // Maximized: only the flag is written, the normal bounds stay, and the
    // next start puts them back behind the maximized window.
    void maximizedAndMinimizedKeepTheNormalBounds()
    {
        Restarts r;
        r.writeSettings("[Position]\r\nLeft=11\r\nTop=12\r\nWidth=701\r\nHeight=502\r\nMaximized=1\r\n");
        app::QuollMain &w = r.start();
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.normalGeometry().size(), QSize(701, 502));
        QVERIFY(r.close());
        ProfileFile file = r.settings();
        QCOMPARE(file.value(u"Position"_s, u"Maximized"_s), std::optional<QString>(u"1"_s));
        QCOMPARE(file.value(u"Position"_s, u"Width"_s), std::optional<QString>(u"701"_s));
        QCOMPARE(file.value(u"Position"_s, u"Left"_s), std::optional<QString>(u"11"_s));

        app::QuollMain &again = r.start();
        again.setWindowState(Qt::WindowMinimized);
        again.resize(333, 222);
        QVERIFY(r.close());
        file = r.settings();
        QCOMPARE(file.value(u"Position"_s, u"Maximized"_s), std::optional<QString>(u"0"_s));
        QCOMPARE(file.value(u"Position"_s, u"Width"_s), std::optional<QString>(u"701"_s));
    }

    // A settings file that cannot be written stops the close with a message;
    // the window stays and nothing is lost.
    void aRefusedWriteKeepsTheWindowOpen()
    {
        Restarts r;
        QVERIFY(QDir(r.folder.path()).mkpath(u"quoll.ini/x"_s));   // a folder where the file should be
        app::QuollMain &w = r.start();
        r.dialogs.clear();
        r.editor(1)->setPlainText(u"select 1"_s);
        QVERIFY(!r.close());
        QCOMPARE(r.dialogs.messages().size(), 1);
        QCOMPARE(r.dialogs.messages().first().text, u"Unable to write to %1"_s.arg(r.settingsPath()));
        QVERIFY(!QFile::exists(r.paths().autosaveFile(1)));
        QCOMPARE(r.editor(1)->text(), u"select 1"_s);
        QVERIFY(QDir(r.settingsPath()).removeRecursively());
        QVERIFY(r.close());
        QVERIFY(QFile::exists(r.paths().autosaveFile(1)));
    }
};

// The snippet pages from the menu file.
class TstSnippetPages : public QObject
{
    Q_OBJECT

    struct Pages
    {
        QTemporaryDir folder;
        ScriptedDialogs dialogs;
        QTabWidget tabs;
        QStringList inserted;

        void load(const QByteArray &menu)
        {
            const QString path = folder.filePath(u"quoll.mnu"_s);
            if (!menu.isNull()) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(menu);
            }
            app::LoadButtonPages(tabs, path, dialogs, [this](const QString &text) { inserted.append(text); });
        }
        // The snippet buttons (not the tool bar's own extension button).
        QList<QToolButton *> buttons(int page) const
        {
            QList<QToolButton *> found;
            for (QToolButton *button : tabs.widget(page)->findChildren<QToolButton *>())
                if (button->property("snippet").isValid())
                    found.append(button);
            return found;
        }
    };

private slots:
    void pagesAndButtonsInFileOrder()
    {
        Pages p;
        p.load("[Select]\r\nb=select \"b\" from t\r\na='%'\r\n[Strings]\r\nconcat=a || b|x\r\n[Empty]\r\n");
        QCOMPARE(p.tabs.count(), 3);
        QCOMPARE(p.tabs.tabText(0), u"Select"_s);
        QCOMPARE(p.tabs.tabText(2), u"Empty"_s);
        QCOMPARE(p.buttons(2).size(), 0);
        const QList<QToolButton *> select = p.buttons(0);
        QCOMPARE(select.size(), 2);
        QCOMPARE(select[0]->text(), u"b"_s);
        QCOMPARE(select[1]->text(), u"a"_s);
        // Enclosing quotes go; the tool tip ends at the first bar.
        select[1]->click();
        const QToolButton *concat = p.buttons(1).value(0);
        QCOMPARE(concat->toolTip(), u"a "_s);
        p.buttons(1).value(0)->click();
        select[0]->click();
        QCOMPARE(p.inserted, (QStringList{u"%"_s, u"a || b|x"_s, u"select \"b\" from t"_s}));
        QCOMPARE(p.dialogs.calls().size(), 0);
    }

    void aMissingFileIsSaidAndAnEmptyOneGivesNoPages()
    {
        Pages missing;
        missing.load(QByteArray());
        QCOMPARE(missing.tabs.count(), 0);
        QCOMPARE(missing.dialogs.messages().size(), 1);
        const auto message = missing.dialogs.messages().first();
        QCOMPARE(message.title, u"Buttons File"_s);
        QCOMPARE(message.icon, Dialogs::Icon::Information);
        QCOMPARE(message.text, u"File [%1] not found"_s.arg(missing.folder.filePath(u"quoll.mnu"_s)));
        Pages empty;
        empty.load(QByteArray(""));
        QCOMPARE(empty.tabs.count(), 0);
        QCOMPARE(empty.dialogs.calls().size(), 0);
    }
};

QUOLL_TEST(TstSettings);
QUOLL_TEST(TstSnippetPages);
#include "tst_settings.moc"
