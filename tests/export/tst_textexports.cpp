#include "exportfixture.h"
#include "testregistry.h"

#include "connection/engine/dataset.h"
#include "connection/engine/engineerror.h"
#include "core/error.h"
#include "export/exporter.h"
#include "export/textwriters.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll;
using namespace quoll::exporting;
using quoll::testing::ExportFixture;

namespace {

enum class Format { Html, Tab, Delimited };

std::unique_ptr<ExportWriter> writerFor(Format format, const QString &path, const DelimitedOptions &options = {})
{
    switch (format) {
    case Format::Html: return std::make_unique<HtmlWriter>(path);
    case Format::Tab: return std::make_unique<TabWriter>(path);
    case Format::Delimited: return std::make_unique<DelimitedWriter>(path, options);
    }
    return nullptr;
}

// Three rows, then the server fails.
class FailingCursor : public connection::Cursor
{
public:
    FailingCursor() { m_fields.append({u"n"_s, connection::FieldType::Integer, 4, 0, true}); }
    const QList<connection::FieldDesc> &fields() const override { return m_fields; }
    bool fetch(connection::RowSink &sink) override
    {
        if (++m_rows > 3)
            throw connection::EngineError(-244, u"Could not do a physical-order read to fetch next row."_s);
        sink.addField("7", 1);
        return true;
    }

private:
    QList<connection::FieldDesc> m_fields;
    int m_rows = 0;
};

DelimitedOptions quoted(QChar header, QChar data)
{
    DelimitedOptions options;
    options.headerQuote = header;
    options.dataQuote = data;
    return options;
}

} // namespace

// The text exports byte for byte: a wrong byte is a wrong file for whoever
// reads it next.
class TstTextExports : public QObject
{
    Q_OBJECT

private slots:
    void formatsMatchTheirGoldenFiles_data();
    void formatsMatchTheirGoldenFiles();
    void delimitedChoices_data();
    void delimitedChoices();
    void textTheCodePageCannotHoldGoesAsUtf8();
    void theDataSetEndsAtItsFirstRecord();
    void failuresAndCancelsLeaveThePreviousFile();
};

void TstTextExports::formatsMatchTheirGoldenFiles_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("golden");
    const QString all = u"select * from t order by id"_s;
    QTest::newRow("html") << int(Format::Html) << all << u"report.html"_s;
    QTest::newRow("html, empty") << int(Format::Html) << u"select id, name from t where id < 0"_s
                                 << u"report_empty.html"_s;
    QTest::newRow("tab-separated") << int(Format::Tab) << all << u"tabs.xls"_s;
    QTest::newRow("tab-separated, one column") << int(Format::Tab) << u"select name from t order by id"_s
                                               << u"tabs_one_column.xls"_s;
    QTest::newRow("tab-separated, empty") << int(Format::Tab) << u"select id from t where id < 0"_s
                                          << u"tabs_empty.xls"_s;
    QTest::newRow("delimited, quoted") << int(Format::Delimited) << all << u"delimited.txt"_s;
}

void TstTextExports::formatsMatchTheirGoldenFiles()
{
    QFETCH(int, format);
    QFETCH(QString, sql);
    QFETCH(QString, golden);
    ExportFixture f;
    const auto cursor = f.cursor(sql);
    QVERIFY(cursor);
    CursorSource source(*cursor);
    const QString path = f.path(golden);
    const auto writer = writerFor(Format(format), path, quoted(u'"', u'"'));
    const ExportResult result = exportRows(source, *writer);
    QVERIFY(!result.cancelled);
    QVERIFY(!result.utf8);
    const QByteArray written = ExportFixture::bytes(path);
    QCOMPARE(written, ExportFixture::golden(golden, written));
    // Nothing else is left beside the file.
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{golden});
}

void TstTextExports::delimitedChoices_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<DelimitedOptions>("options");
    QTest::addColumn<QByteArray>("expected");
    const QString three = u"select id a, name b, amount c from t where id in (1, 4) order by id"_s;

    DelimitedOptions headerOnly;
    headerOnly.data = false;
    headerOnly.dividerAfterLast = true;
    QTest::newRow("header only, divider after the last") << three << headerOnly << QByteArray("a\tb\tc\t\r\n");

    DelimitedOptions dataOnly;
    dataOnly.header = false;
    dataOnly.columnDivider = u";"_s;
    dataOnly.rowDivider = QString();
    QTest::newRow("data only, no row divider")
        << three << dataOnly << QByteArray("1;plain;1.50" "4;\xCF\xF0\xE8\xE2\xE5\xF2;0.00");

    DelimitedOptions apostrophe = quoted(u'\'', u'\'');
    apostrophe.rowDivider = u"\n"_s;
    apostrophe.columnDivider = u"|"_s;
    QTest::newRow("apostrophes doubled, numbers never quoted")
        << u"select id, note from t where id in (1, 4) order by id"_s << apostrophe
        << QByteArray("'id'|'note'\n1|'a<b>&\"c''d'\n4|'O''Brien'\n");

    DelimitedOptions oneColumn;
    oneColumn.columnDivider = u", "_s;
    QTest::newRow("one column: no divider") << u"select id from t where id < 3 order by id"_s << oneColumn
                                            << QByteArray("id\r\n1\r\n2\r\n");
    oneColumn.dividerAfterLast = true;
    QTest::newRow("one column, divider after the last") << u"select id from t where id < 3 order by id"_s
                                                        << oneColumn << QByteArray("id, \r\n1, \r\n2, \r\n");

    DelimitedOptions other;
    other.rowDivider = u"<EOL>"_s;
    other.columnDivider = u"¦"_s;
    other.dataQuote = u'«';
    QTest::newRow("dividers as typed, in the code page")
        << u"select id, name from t where id = 4"_s << other
        << QByteArray("id\xA6name<EOL>4\xA6\xAB\xCF\xF0\xE8\xE2\xE5\xF2\xAB<EOL>");

    DelimitedOptions nothing;
    nothing.header = false;
    nothing.data = false;
    QTest::newRow("neither header nor data") << three << nothing << QByteArray();
}

void TstTextExports::delimitedChoices()
{
    QFETCH(QString, sql);
    QFETCH(DelimitedOptions, options);
    QFETCH(QByteArray, expected);
    ExportFixture f;
    const auto cursor = f.cursor(sql);
    CursorSource source(*cursor);
    DelimitedWriter writer(f.path(u"out.txt"_s), options);
    exportRows(source, writer);
    QCOMPARE(ExportFixture::bytes(f.path(u"out.txt"_s)), expected);
}

// One character outside Windows-1251 makes the whole file UTF-8 with a
// byte-order mark, the rows written before it included.
void TstTextExports::textTheCodePageCannotHoldGoesAsUtf8()
{
    ExportFixture f;
    f.server.run(u"create table u (n integer, s varchar(20))"_s);
    f.server.run(u"insert into u values (1, 'Привет')"_s);
    f.server.run(u"insert into u values (2, 'x中y')"_s);
    f.server.run(u"insert into u values (3, 'ё')"_s);
    for (const bool tabs : {true, false}) {
        const auto cursor = f.cursor(u"select n, s from u order by n"_s);
        CursorSource source(*cursor);
        const QString path = f.path(tabs ? u"u.xls"_s : u"u.txt"_s);
        const auto writer = writerFor(tabs ? Format::Tab : Format::Delimited, path);
        const ExportResult result = exportRows(source, *writer);
        QVERIFY(result.utf8);
        const QByteArray expected = tabs ? QByteArray("1\tПривет\r\n2\tx中y\r\n3\tё\r\n")
                                         : QByteArray("n\ts\r\n1\tПривет\r\n2\tx中y\r\n3\tё\r\n");
        QCOMPARE(ExportFixture::bytes(path), "\xEF\xBB\xBF" + expected);
    }
    // The page declares windows-1251 and refers to the character instead.
    const auto cursor = f.cursor(u"select s from u order by n"_s);
    CursorSource source(*cursor);
    HtmlWriter html(f.path(u"u.html"_s));
    exportRows(source, html);
    QVERIFY(ExportFixture::bytes(f.path(u"u.html"_s)).contains("<TR><TD>x&#20013;y</TD></TR>\r\n<TR><TD>\xB8</TD>"));
}

// The grid's data set is walked with its views paused and ends at its first
// record, the views told once.
void TstTextExports::theDataSetEndsAtItsFirstRecord()
{
    ExportFixture f;
    connection::Dataset dataset;
    dataset.attach(f.cursor(u"select id, name from t order by id"_s));
    QVERIFY(dataset.moveTo(2));
    QSignalSpy current(&dataset, &connection::Dataset::currentChanged);
    QSignalSpy fetched(&dataset, &connection::Dataset::rowsFetched);
    {
        DatasetSource source(dataset, true);
        QVERIFY(dataset.viewsPaused());
        TabWriter writer(f.path(u"grid.xls"_s));
        QCOMPARE(exportRows(source, writer).rows, 5);
    }
    QVERIFY(!dataset.viewsPaused());
    QCOMPARE(dataset.currentRow(), 0);
    QVERIFY(dataset.atBeginning());
    QCOMPARE(current.count(), 1);
    QCOMPARE(fetched.count(), 1);
    QVERIFY(ExportFixture::bytes(f.path(u"grid.xls"_s)).startsWith("1\tplain\r\n2\t\r\n3\ttab\there\r\n"));
}

void TstTextExports::failuresAndCancelsLeaveThePreviousFile()
{
    ExportFixture f;
    const QString path = f.path(u"kept.txt"_s);
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the previous export");
    }
    // Cancelled from the progress callback after the first thousand rows.
    f.server.run(u"create table many (n integer)"_s);
    f.server.run(u"insert into many select id from t"_s);
    for (int i = 0; i < 9; ++i)
        f.server.run(u"insert into many select n + 10 * (select count(*) from many) from many"_s);
    {
        const auto cursor = f.cursor(u"select n from many"_s);
        CursorSource source(*cursor);
        TabWriter writer(path);
        const ExportResult result = exportRows(source, writer, [](qint64 rows) { return rows < 1000; });
        QVERIFY(result.cancelled);
        QCOMPARE(result.rows, 1000);
    }
    QCOMPARE(ExportFixture::bytes(path), QByteArray("the previous export"));
    // A server failure in the middle of the walk.
    {
        FailingCursor cursor;
        CursorSource source(cursor);
        DelimitedWriter writer(path, {});
        bool failed = false;
        try {
            exportRows(source, writer);
        } catch (const connection::EngineError &) {
            failed = true;
        }
        QVERIFY(failed);
    }
    QCOMPARE(ExportFixture::bytes(path), QByteArray("the previous export"));
    QCOMPARE(QDir(f.folder.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{u"kept.txt"_s}));
    // A folder that is not there.
    QVERIFY_THROWS_EXCEPTION(Error, TabWriter(f.path(u"no/such/folder.xls"_s)));
}

QUOLL_TEST(TstTextExports);
#include "tst_textexports.moc"
