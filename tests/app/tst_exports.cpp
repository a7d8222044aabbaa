#include "resultfixture.h"
#include "testregistry.h"

#include "app/exportcommands.h"
#include "app/exportprogress.h"
#include "export/exportdialog.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::Literals::StringLiterals;

namespace {

// Takes the files the program hands to the desktop, so that no test starts
// a browser or a spreadsheet program.
class FileCatcher : public QObject
{
    Q_OBJECT

public:
    FileCatcher() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~FileCatcher() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

} // namespace
using namespace quoll;
using quoll::testing::PrivateTemp;
using quoll::testing::ResultFixture;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}


} // namespace

// The export commands of both result pages, as the user runs them.
class TstExports : public QObject
{
    Q_OBJECT

private slots:
    void tabSeparatedFileOfTheOutputPage()
    {
        ResultFixture f;
        QVERIFY(f.ready());
        f.run(u"select i from big order by i"_s);
        QVERIFY(f.result().moveTo(10));
        const QString path = f.folder.filePath(u"rows.xls"_s);
        f.dialogs.answerSaveFile(path);
        f.trigger("acExportToXLSFile");
        const QByteArray bytes = fileBytes(path);
        QCOMPARE(bytes.count('\n'), 1000);
        QVERIFY(bytes.startsWith("1\r\n2\r\n"));
        QVERIFY(bytes.endsWith("999\r\n1000\r\n"));
        // The grid is back at its first record; the status bar says what
        // was written.
        QCOMPARE(f.result().currentRow(), 0);
        QVERIFY(f.countPanel().contains(u"1000"_s));
        QVERIFY(f.countPanel().contains(path));
        // The next export offers the same name and replaces the file.
        f.run(u"select id from t order by id"_s);
        f.dialogs.answerSaveFile(path);
        f.trigger("acExportToXLSFile");
        QCOMPARE(f.dialogs.calls().last().text, path);
        QCOMPARE(fileBytes(path), QByteArray("1\r\n2\r\n3\r\n"));
    }

    void htmlAndWorkbookOfTheTablePage()
    {
        PrivateTemp temp;
        FileCatcher desktop;
        ResultFixture f;
        QVERIFY(f.ready());
        f.listTables({u"t"_s}, u"t"_s);
        f.trigger("acDataBar");
        f.trigger("acExportToHtml1");
        const QByteArray page = fileBytes(QDir(temp.reportFolder()).filePath(u"Report.html"_s));
        QVERIFY2(page.contains("<TR><TD>3</TD><TD>O&#39;Brien</TD></TR>\r\n"), page.constData());
        f.trigger("acExportToExcel1");
        const QStringList books = QDir(temp.reportFolder()).entryList({u"Export-*.xlsx"_s}, QDir::Files);
        QCOMPARE(books.size(), 1);
        QVERIFY(QFileInfo(QDir(temp.reportFolder()).filePath(books.first())).size() > 1000);
        // A second workbook gets a name of its own.
        f.trigger("acExportToExcel1");
        QCOMPARE(QDir(temp.reportFolder()).entryList({u"Export-*.xlsx"_s}, QDir::Files).size(), 2);
        // Each file went to the desktop's program for it.
        QCOMPARE(desktop.urls.size(), 3);
        QCOMPARE(desktop.urls.first().toLocalFile(), QDir(temp.reportFolder()).filePath(u"Report.html"_s));
        QCOMPARE(f.data()->currentRow(), 0);
    }

    // The dialog's own button stands hidden; the output grid's pop-up menu
    // opens it, and OK writes the file with the choices made.
    void theDelimitedDialogFromTheGridMenu()
    {
        ResultFixture f;
        QVERIFY(f.ready());
        f.run(u"select id, name from t order by id"_s);
        auto *hidden = f.find<QToolButton>(u"ToolButton11"_s);
        QVERIFY(hidden && hidden->isHidden());
        const QString path = f.folder.filePath(u"t.txt"_s);
        f.dialogs.answerDialog([&](QDialog &dialog) {
            dialog.findChild<QComboBox *>(u"cbHeaderQuot"_s)->setEditText(u"\""_s);
            dialog.findChild<QComboBox *>(u"cbDataQuot"_s)->setEditText(u"'"_s);
            dialog.findChild<QComboBox *>(u"cbFileName"_s)->setEditText(path);
            dialog.findChild<QPushButton *>(u"Button2"_s)->click();
            dialog.findChild<QPushButton *>(u"Button3"_s)->click();
            return dialog.result();
        });
        emit f.outputGrid()->customContextMenuRequested(QPoint(5, 5));
        auto *menu = f.outputGrid()->findChild<QMenu *>(u"pmOutputGrid"_s);
        QVERIFY(menu);
        menu->hide();
        menu->findChild<QAction *>(u"miExportToFile"_s)->trigger();
        QCOMPARE(fileBytes(path), QByteArray("\"id\"\t\"name\"\r\n1\t'a'\r\n2\t''\r\n3\t'O''Brien'\r\n"));
        QCOMPARE(f.dialogs.unexpectedCalls(), 0);
    }

    // A long export shows its progress and can be stopped; the file it
    // would have replaced stays.
    void aCancelledExportKeepsThePreviousFile()
    {
        ResultFixture f;
        QVERIFY(f.ready());
        f.run(u"select i from big"_s);
        const QString path = f.folder.filePath(u"kept.xls"_s);
        {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("previous");
        }
        f.probe().exportCommands().setProgressDelay(0);
        bool shown = false;
        // Pressed as soon as the progress window takes events.
        QTimer::singleShot(0, f.window.get(), [&] {
            auto *progress = f.window->findChild<app::ExportProgress *>();
            shown = progress && progress->isVisible();
            if (progress)
                progress->findChild<QPushButton *>(u"btCancelExport"_s)->click();
        });
        f.dialogs.answerSaveFile(path);
        f.trigger("acExportToXLSFile");
        QVERIFY(shown);
        QCOMPARE(fileBytes(path), QByteArray("previous"));
        QVERIFY(f.countPanel().contains(u"прерван"_s));
        QCOMPARE(QDir(f.folder.path()).entryList({u"*kept*"_s}, QDir::Files | QDir::Hidden), QStringList{u"kept.xls"_s});
        QCOMPARE(f.result().currentRow(), 0);
    }
};

QUOLL_TEST(TstExports);
#include "tst_exports.moc"
