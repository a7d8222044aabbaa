#include "embeddedfixture.h"
#include "testregistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using quoll::testing::EmbeddedFixture;

namespace {

const QString kTables = QStringLiteral(ROWSIZE_DIR "/dbschema-tables.sql");

// One table of a real schema listing: the CREATE TABLE statement and the
// figures the server that wrote the listing printed in its header.
struct ListedTable
{
    QString source;
    QString name;
    int rowsize = 0;
    int ncols = 0;
    QString statement;
};

// The file holds blocks that each begin with "-- source: ..." followed by
// the listing's header comment and the statement.
QList<ListedTable> listedTables()
{
    QFile file(kTables);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression header(
        u"\\{\\s*TABLE\\s+(?:\"[^\"]*\"\\.)?(\\S+)\\s+row size = (\\d+) number of columns = (\\d+)[^}]*\\}"_s);
    QList<ListedTable> tables;
    for (const QString &block : text.split(u"-- source: "_s, Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = header.match(block);
        if (!m.hasMatch())
            continue;
        ListedTable t;
        t.source = block.section(u'\n', 0, 0).trimmed();
        t.name = m.captured(1);
        t.rowsize = m.captured(2).toInt();
        t.ncols = m.captured(3).toInt();
        t.statement = block.mid(m.capturedEnd()).trimmed();
        if (t.statement.endsWith(u';'))
            t.statement.chop(1);
        tables.append(t);
    }
    return tables;
}

} // namespace

// The row size and column count the catalog keeps for a table are the
// figures a real server printed for the same definition.
class TstRowSizes : public QObject
{
    Q_OBJECT

private slots:
    void listingIsRead();
    void rowSizeIsTheServersFigure_data();
    void rowSizeIsTheServersFigure();
    void rowSizeOfEachType_data();
    void rowSizeOfEachType();
};

void TstRowSizes::listingIsRead()
{
    // A listing that stopped being read would let every row below pass.
    QVERIFY(listedTables().size() >= 60);
}

void TstRowSizes::rowSizeIsTheServersFigure_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("rowsize");
    QTest::addColumn<int>("ncols");
    int n = 0;
    for (const ListedTable &t : listedTables())
        QTest::addRow("%d %s (%s)", ++n, qPrintable(t.name), qPrintable(t.source))
            << t.statement << t.name << t.rowsize << t.ncols;
}

void TstRowSizes::rowSizeIsTheServersFigure()
{
    QFETCH(QString, statement);
    QFETCH(QString, name);
    QFETCH(int, rowsize);
    QFETCH(int, ncols);
    EmbeddedFixture f(u"informix"_s);
    f.useNewDatabase(u"listing"_s);
    f.engine->executeDirect(statement);
    QCOMPARE(f.engine->lastError().context, QString());
    QCOMPARE(f.rows(u"select rowsize, ncols from systables where tabname = '%1'"_s.arg(name)),
             QStringList{u"%1|%2"_s.arg(rowsize).arg(ncols)});
}

// Types the listings above do not hold, with the sizes the server's
// documentation gives for them.
void TstRowSizes::rowSizeOfEachType_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("size");
    QTest::newRow("char") << u"char(10)"_s << 10;
    QTest::newRow("nchar") << u"nchar(7)"_s << 7;
    QTest::newRow("varchar") << u"varchar(100)"_s << 101;
    QTest::newRow("varchar with reserve") << u"varchar(100,20)"_s << 101;
    QTest::newRow("nvarchar") << u"nvarchar(30)"_s << 31;
    QTest::newRow("lvarchar") << u"lvarchar(2000)"_s << 2003;
    QTest::newRow("smallint") << u"smallint"_s << 2;
    QTest::newRow("integer") << u"integer"_s << 4;
    QTest::newRow("serial") << u"serial"_s << 4;
    QTest::newRow("int8") << u"int8"_s << 10;
    QTest::newRow("serial8") << u"serial8"_s << 10;
    QTest::newRow("bigint") << u"bigint"_s << 8;
    QTest::newRow("bigserial") << u"bigserial"_s << 8;
    QTest::newRow("float") << u"float"_s << 8;
    QTest::newRow("smallfloat") << u"smallfloat"_s << 4;
    QTest::newRow("date") << u"date"_s << 4;
    QTest::newRow("boolean") << u"boolean"_s << 2;
    QTest::newRow("text") << u"text"_s << 56;
    QTest::newRow("byte") << u"byte"_s << 56;
    QTest::newRow("blob") << u"blob"_s << 72;
    QTest::newRow("clob") << u"clob"_s << 72;
    QTest::newRow("decimal(16) floating") << u"decimal(16)"_s << 10;
    QTest::newRow("decimal(11,6) even scale") << u"decimal(11,6)"_s << 7;
    QTest::newRow("decimal(12,5) odd scale") << u"decimal(12,5)"_s << 8;
    QTest::newRow("decimal(32,0)") << u"decimal(32,0)"_s << 17;
    QTest::newRow("decimal(1,1)") << u"decimal(1,1)"_s << 2;
    QTest::newRow("money") << u"money"_s << 9;
    QTest::newRow("money(8,2)") << u"money(8,2)"_s << 5;
    QTest::newRow("money(9,3)") << u"money(9,3)"_s << 6;
    QTest::newRow("datetime year to second") << u"datetime year to second"_s << 8;
    QTest::newRow("datetime year to fraction(3)") << u"datetime year to fraction(3)"_s << 9;
    QTest::newRow("datetime hour to minute") << u"datetime hour to minute"_s << 3;
    QTest::newRow("datetime year to day") << u"datetime year to day"_s << 5;
    QTest::newRow("interval day(3) to second") << u"interval day(3) to second"_s << 5;
    QTest::newRow("interval hour to minute") << u"interval hour to minute"_s << 3;
}

void TstRowSizes::rowSizeOfEachType()
{
    QFETCH(QString, type);
    QFETCH(int, size);
    EmbeddedFixture f;
    f.useNewDatabase(u"types"_s);
    f.run(u"create table t (c %1)"_s.arg(type));
    QCOMPARE(f.rows(u"select rowsize from systables where tabname = 't'"_s), QStringList{QString::number(size)});
}

QUOLL_TEST(TstRowSizes);
#include "tst_rowsizes.moc"
