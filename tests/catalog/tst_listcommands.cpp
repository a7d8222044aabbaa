#include "browserfixture.h"
#include "testregistry.h"

#include "catalog/listprint.h"
#include "export/htmlreport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using quoll::testing::BrowserFixture;
using widgets::ReportList;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The expected bytes of a printed list; QUOLL_UPDATE_GOLDEN=1 writes them
// anew from what the program prints (check the difference before keeping).
QByteArray golden(const QString &name, const QByteArray &actual)
{
    const QString path = QDir(QStringLiteral(CATALOG_GOLDEN_DIR)).filePath(name);
    if (qEnvironmentVariableIntValue("QUOLL_UPDATE_GOLDEN") == 1) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(actual);
    }
    return fileBytes(path);
}

} // namespace

// The catalog lists' pop-up menu: its enabling rule, the trigger and view
// texts, the list's look, and the list printed as a page.
class TstListCommands : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void menuEnablesTriggerAndViewTextOnlyWhereTheyApply_data();
    void menuEnablesTriggerAndViewTextOnlyWhereTheyApply();
    void triggerTextIsTheHeaderThenTheBody();
    void viewTextOnlyForAView();
    void fontColourAndBackgroundOfTheList();
    void printedListsMatchTheirGoldenFiles_data();
    void printedListsMatchTheirGoldenFiles();
    void printedTextsAreEscapedAndNothingIsLost();
    void theReportIsTheUsersOwnFile();
    void anUnwritableReportIsSaid();

private:
    QAction *item(const char *name) { return m_f->menu.findChild<QAction *>(QString::fromLatin1(name)); }
    std::unique_ptr<BrowserFixture> m_f;
    QTemporaryDir m_temp;
    QByteArray m_oldTemp;
};

void TstListCommands::init()
{
    // Every report of this test goes to a temporary area of its own.
    m_oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    m_f = std::make_unique<BrowserFixture>();
    m_f->makeShop();
}

void TstListCommands::cleanup()
{
    QCOMPARE(m_f->dialogs.unexpectedCalls(), 0);
    m_f.reset();
    qputenv("TMPDIR", m_oldTemp);
}

void TstListCommands::menuEnablesTriggerAndViewTextOnlyWhereTheyApply_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("selected");   // a table name, "trigger", or empty
    QTest::addColumn<bool>("trigger");
    QTest::addColumn<bool>("view");
    QTest::newRow("table list, a view") << u"lvTables"_s << u"v_every"_s << false << true;
    QTest::newRow("table list, a table") << u"lvTables"_s << u"every_type"_s << false << false;
    QTest::newRow("table list, nothing") << u"lvTables"_s << QString() << false << false;
    QTest::newRow("trigger list, a trigger") << u"lvTriggers"_s << u"trigger"_s << true << false;
    QTest::newRow("trigger list, nothing") << u"lvTriggers"_s << QString() << false << false;
    QTest::newRow("column list, a view selected above") << u"ListView2"_s << u"v_every"_s << false << false;
    QTest::newRow("procedure list") << u"lvProc"_s << u"trigger"_s << false << false;
}

void TstListCommands::menuEnablesTriggerAndViewTextOnlyWhereTheyApply()
{
    QFETCH(QString, list);
    QFETCH(QString, selected);
    QFETCH(bool, trigger);
    QFETCH(bool, view);
    m_f->search(u"*every*"_s);
    if (selected == u"trigger"_s) {
        m_f->select(u"every_type"_s);
        m_f->pane.triggers()->selectRow(0);
    } else if (!selected.isEmpty()) {
        m_f->select(selected);
    }
    m_f->popupOn(m_f->pane.findChild<ReportList *>(list));
    QCOMPARE(item("miShowTrigger")->isEnabled(), trigger);
    QCOMPARE(item("miShowView")->isEnabled(), view);
    for (const char *always : {"N12", "N13", "N1"})
        QVERIFY(item(always)->isEnabled());
}

void TstListCommands::triggerTextIsTheHeaderThenTheBody()
{
    m_f->search(u"every_type"_s);
    m_f->select(u"every_type"_s);
    m_f->pane.triggers()->selectRow(0);
    m_f->popupOn(m_f->pane.triggers());
    item("miShowTrigger")->trigger();
    QCOMPARE(m_f->viewed, QStringList{u"create trigger tr_every insert on every_type referencing new as n for each row "
                                      "(update customer set name = 'x' where id = n.cust)"_s});
    // Read afresh each time: a trigger dropped meanwhile has no text.
    m_f->server.run(u"drop trigger tr_every"_s);
    item("miShowTrigger")->trigger();
    QCOMPARE(m_f->viewed.value(1), QString());
    // Without a selected trigger nothing is shown.
    m_f->pane.triggers()->clearSelection();
    m_f->commands->miShowTriggerClick();
    QCOMPARE(m_f->viewed.size(), 2);
}

void TstListCommands::viewTextOnlyForAView()
{
    m_f->search(u"*every*"_s);
    m_f->select(u"every_type"_s);
    m_f->commands->miShowViewClick();
    QCOMPARE(m_f->viewed, QStringList());
    m_f->select(u"v_every"_s);
    m_f->commands->miShowViewClick();
    QCOMPARE(m_f->viewed, QStringList{u"create view v_every (id, c) as select id, c from every_type"_s});
}

void TstListCommands::fontColourAndBackgroundOfTheList()
{
    ReportList *fields = m_f->pane.fields();
    m_f->popupOn(fields);
    QFont font(u"DejaVu Sans"_s, 13);
    font.setBold(true);
    m_f->dialogs.answerFont(font);
    m_f->dialogs.answerColour(QColor(Qt::darkRed));
    item("N12")->trigger();
    QCOMPARE(fields->font().pointSize(), 13);
    QVERIFY(fields->font().bold());
    QCOMPARE(fields->palette().color(QPalette::Text), QColor(Qt::darkRed));
    m_f->dialogs.answerColour(QColor(Qt::yellow));
    item("N13")->trigger();
    QCOMPARE(fields->palette().color(QPalette::Base), QColor(Qt::yellow));
    // Cancelled dialogs change nothing; other lists keep their look.
    m_f->dialogs.answerFont({});
    m_f->dialogs.clear();
    QCOMPARE(m_f->pane.tables()->palette().color(QPalette::Base) == QColor(Qt::yellow), false);
    QCOMPARE(m_f->pane.tables()->font().pointSize() == 13, false);
}

void TstListCommands::printedListsMatchTheirGoldenFiles_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("file");
    QTest::newRow("an empty list") << u"lvTriggers"_s << QString() << u"list_empty.html"_s;
    QTest::newRow("columns with the star row") << u"ListView2"_s << u"plain"_s << u"list_columns.html"_s;
    QTest::newRow("a unique constraint") << u"ListView4"_s << u"plain"_s << u"list_unique.html"_s;
    QTest::newRow("the table list") << u"lvTables"_s << u"plain"_s << u"list_tables.html"_s;
}

void TstListCommands::printedListsMatchTheirGoldenFiles()
{
    QFETCH(QString, list);
    QFETCH(QString, table);
    QFETCH(QString, file);
    m_f->server.run(u"create table plain (id integer, name char(10), unique (name) constraint u_plain_name)"_s);
    // The same created day in every run.
    m_f->server.run(u"update systables set created = mdy(12, 8, 2026) where tabname = 'plain'"_s);
    if (!table.isEmpty()) {
        m_f->search(table);
        m_f->select(table);
    }
    // Dates as the C locale writes them, whatever the machine's locale.
    const QLocale before;
    QLocale::setDefault(QLocale::c());
    m_f->popupOn(m_f->pane.findChild<ReportList *>(list));
    item("N1")->trigger();
    QLocale::setDefault(before);
    QCOMPARE(m_f->failures, QStringList());
    QCOMPARE(m_f->opened.size(), 1);
    const QByteArray printed = fileBytes(m_f->opened.first());
    QCOMPARE(printed, golden(file, printed));
}

void TstListCommands::printedTextsAreEscapedAndNothingIsLost()
{
    m_f->server.run(u"create table odd (a char(30) default 'x <b>&amp;\"', "
                    "b varchar(30) default 'y Grüße 中 😀 ё')"_s);
    m_f->search(u"odd"_s);
    m_f->select(u"odd"_s);
    m_f->popupOn(m_f->pane.fields());
    item("N1")->trigger();
    const QByteArray page = fileBytes(m_f->opened.value(0));
    QVERIFY2(page.contains("<TD>&lt;b&gt;&amp;amp;&quot;</TD>"), page.constData());
    QVERIFY(page.contains("<TD>Gr&#252;&#223;e &#20013; &#128512; \xB8</TD>"));
    QVERIFY(page.startsWith(exporting::reportHead().toLatin1()));
    QVERIFY(page.endsWith("</TABLE></BODY></HTML>\r\n"));
    QCOMPARE(page.count('\n'), 1);
}

void TstListCommands::theReportIsTheUsersOwnFile()
{
    m_f->popupOn(m_f->pane.tables());
    item("N1")->trigger();
    const QString path = m_f->opened.value(0);
    QCOMPARE(QFileInfo(path).fileName(), u"Report.html"_s);
    const QString folder = QFileInfo(path).absolutePath();
    QVERIFY(folder.startsWith(m_temp.path()));
    struct stat info {};
    QCOMPARE(lstat(QFile::encodeName(folder).constData(), &info), 0);
    QCOMPARE(info.st_uid, geteuid());
    QCOMPARE(info.st_mode & 0777, mode_t(0700));

    // A link planted in its place is replaced, never written through.
    const QString elsewhere = m_temp.filePath(u"elsewhere.html"_s);
    {
        QFile other(elsewhere);
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("kept");
    }
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::link(elsewhere, path));
    item("N1")->trigger();
    QCOMPARE(fileBytes(elsewhere), QByteArray("kept"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QVERIFY(fileBytes(path).startsWith("<HTML>"));
    QCOMPARE(m_f->opened.size(), 2);
}

void TstListCommands::anUnwritableReportIsSaid()
{
    // Where the report folder should be stands a file.
    QTemporaryDir area;
    qputenv("TMPDIR", QFile::encodeName(area.path()));
    QFile blocker(area.filePath(u"quoll-%1"_s.arg(geteuid())));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    m_f->popupOn(m_f->pane.tables());
    item("N1")->trigger();
    QCOMPARE(m_f->failures.size(), 1);
    QVERIFY(m_f->opened.isEmpty());

    // A page nothing can show is written and said to be there.
    qputenv("TMPDIR", QFile::encodeName(m_temp.path()));
    m_f->canOpen = false;
    item("N1")->trigger();
    QCOMPARE(m_f->opened.size(), 1);
    QCOMPARE(m_f->failures.size(), 2);
    QVERIFY(m_f->failures.last().contains(m_f->opened.first()));
}

QUOLL_TEST(TstListCommands);
#include "tst_listcommands.moc"
