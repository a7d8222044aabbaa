#include "exportfixture.h"
#include "testregistry.h"

#include "export/exporter.h"
#include "export/workbookwriter.h"

#include <QProcess>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::exporting;
using quoll::testing::ExportFixture;

namespace {

// Every cell of every sheet as a spreadsheet reader sees it, one line each:
// "sheet!cell type value" (Debian's python3-openpyxl).
QStringList readBack(const QString &path)
{
    const QString script = uR"(
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is not None:
                print("%s!%s %s %r" % (sheet.title, cell.coordinate, type(cell.value).__name__, cell.value))
)"_s;
    QProcess python;
    python.start(u"/usr/bin/python3"_s, {u"-c"_s, script, path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        return {u"reader failed: "_s + QString::fromUtf8(python.readAllStandardError())};
    return QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

// The workbook's cells come back typed, and nothing is lost on the way.
class TstWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void cellsAreTypedAndExact()
    {
        ExportFixture f;
        const auto cursor = f.cursor(u"select * from t order by id"_s);
        CursorSource source(*cursor);
        const QString path = f.path(u"t.xlsx"_s);
        WorkbookWriter writer(path);
        QCOMPARE(exportRows(source, writer).rows, 5);
        const QStringList cells = readBack(path);
        const auto row = [&cells](int number) {
            return cells.filter(QRegularExpression(u"^Sheet1![A-I]%1 "_s.arg(number)));
        };
        QCOMPARE(row(1), (QStringList{u"Sheet1!A1 str 'id'"_s, u"Sheet1!B1 str 'name'"_s, u"Sheet1!C1 str 'amount'"_s,
                                      u"Sheet1!D1 str 'born'"_s, u"Sheet1!E1 str 'note'"_s, u"Sheet1!F1 str 'flag'"_s,
                                      u"Sheet1!G1 str 'big'"_s, u"Sheet1!H1 str 'exact'"_s, u"Sheet1!I1 str 'ts'"_s}));
        QCOMPARE(row(2), (QStringList{u"Sheet1!A2 int 1"_s, u"Sheet1!B2 str 'plain'"_s, u"Sheet1!C2 float 1.5"_s,
                                      u"Sheet1!D2 datetime datetime.datetime(2024, 1, 2, 0, 0)"_s,
                                      u"Sheet1!E2 str 'a<b>&\"c\\'d'"_s, u"Sheet1!F2 bool True"_s,
                                      // Beyond a double's precision: kept as text.
                                      u"Sheet1!G2 str '9007199254740993'"_s, u"Sheet1!H2 str '12345678901234568.00'"_s,
                                      u"Sheet1!I2 datetime datetime.datetime(2024, 1, 2, 3, 4, 5)"_s}));
        // A NULL of any type is an empty cell.
        QCOMPARE(row(3), (QStringList{u"Sheet1!A3 int 2"_s}));
        QCOMPARE(row(4), (QStringList{u"Sheet1!A4 int 3"_s, u"Sheet1!B4 str 'tab\\there'"_s,
                                      u"Sheet1!C4 float -2.25"_s,
                                      u"Sheet1!D4 datetime datetime.datetime(1999, 12, 31, 0, 0)"_s,
                                      // A CR is kept as the format escapes it (spreadsheet
                                      // programs read it back as CR; this reader does not).
                                      u"Sheet1!E4 str 'line\\nbreak_x000D_\\nx'"_s, u"Sheet1!F4 bool False"_s,
                                      u"Sheet1!G4 int -5"_s, u"Sheet1!H4 float 1.1"_s}));
        QCOMPARE(row(5), (QStringList{u"Sheet1!A5 int 4"_s, u"Sheet1!B5 str 'Привет'"_s, u"Sheet1!C5 int 0"_s,
                                      u"Sheet1!E5 str \"O'Brien\""_s, u"Sheet1!G5 int 0"_s,
                                      u"Sheet1!I5 datetime datetime.datetime(1999, 12, 31, 23, 59, 59)"_s}));
        // Leading zeros stay: the text is a text.
        QVERIFY(row(6).contains(u"Sheet1!B6 str '007'"_s));
        QVERIFY(row(6).contains(u"Sheet1!D6 datetime datetime.datetime(2000, 2, 29, 0, 0)"_s));
    }

    // A float's digits are the double's own: always a number, however many.
    void floatsAreNumbersWhateverTheirDigits()
    {
        ExportFixture f;
        f.server.run(u"create table fl (x float, d decimal(30,10))"_s);
        f.server.run(u"insert into fl values (-8547.714285714286, 1.5)"_s);
        const auto cursor = f.cursor(u"select x, d from fl"_s);
        CursorSource source(*cursor);
        const QString path = f.path(u"fl.xlsx"_s);
        WorkbookWriter writer(path);
        exportRows(source, writer);
        const QStringList cells = readBack(path);
        QVERIFY2(cells.contains(u"Sheet1!A2 float -8547.714285714286"_s), qPrintable(cells.join(u'\n')));
        QVERIFY(cells.contains(u"Sheet1!B2 float 1.5"_s));
    }

    // Rows beyond a sheet's end go on in a new sheet under the same header.
    void longResultsGoOnInFurtherSheets()
    {
        ExportFixture f;
        const auto cursor = f.cursor(u"select id, name from t order by id"_s);
        CursorSource source(*cursor);
        const QString path = f.path(u"sheets.xlsx"_s);
        WorkbookWriter writer(path, 3);
        exportRows(source, writer);
        QCOMPARE(readBack(path), (QStringList{
                                     u"Sheet1!A1 str 'id'"_s, u"Sheet1!B1 str 'name'"_s, u"Sheet1!A2 int 1"_s,
                                     u"Sheet1!B2 str 'plain'"_s, u"Sheet1!A3 int 2"_s,
                                     u"Sheet2!A1 str 'id'"_s, u"Sheet2!B1 str 'name'"_s, u"Sheet2!A2 int 3"_s,
                                     u"Sheet2!B2 str 'tab\\there'"_s, u"Sheet2!A3 int 4"_s,
                                     u"Sheet2!B3 str 'Привет'"_s,
                                     u"Sheet3!A1 str 'id'"_s, u"Sheet3!B1 str 'name'"_s, u"Sheet3!A2 int 5"_s,
                                     u"Sheet3!B2 str '007'"_s,
                                 }));
    }

    void anEmptyResultHasTheHeaderOnlyAndACancelWritesNothing()
    {
        ExportFixture f;
        {
            const auto cursor = f.cursor(u"select id, name from t where id < 0"_s);
            CursorSource source(*cursor);
            WorkbookWriter writer(f.path(u"empty.xlsx"_s));
            exportRows(source, writer);
        }
        QCOMPARE(readBack(f.path(u"empty.xlsx"_s)), (QStringList{u"Sheet1!A1 str 'id'"_s, u"Sheet1!B1 str 'name'"_s}));
        {
            const auto cursor = f.cursor(u"select id from t"_s);
            CursorSource source(*cursor);
            WorkbookWriter writer(f.path(u"empty.xlsx"_s));
            writer.begin(source.fields());
            // Destroyed unfinished: the previous workbook stays.
        }
        QCOMPARE(readBack(f.path(u"empty.xlsx"_s)).size(), 2);
        QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"empty.xlsx"_s});
    }
};

QUOLL_TEST(TstWorkbook);
#include "tst_workbook.moc"
