#include "testregistry.h"

#include "connection/embedded/rewrite/storagepipeline.h"
#include "connection/embedded/server/informixerrors.h"
#include "connection/engine/dateliterals.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>

using namespace Qt::Literals::StringLiterals;
using namespace quoll::connection;
using namespace quoll::connection::embedded;

namespace {

const QString kDir = QStringLiteral(DIALECT_GOLDEN_DIR);

QString fileText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : u"<missing>"_s;
}

// The tables of schema.txt, one per line: "name: column TYPE, column TYPE".
QHash<QString, std::vector<StoredColumn>> readSchema()
{
    QHash<QString, std::vector<StoredColumn>> tables;
    for (const QString &line : fileText(kDir + u"/schema.txt"_s).split(u'\n')) {
        const qsizetype colon = line.indexOf(u':');
        if (line.startsWith(u'#') || colon < 0)
            continue;
        std::vector<StoredColumn> &columns = tables[line.left(colon).trimmed()];
        for (const QString &column : line.mid(colon + 1).split(u',')) {
            const QString c = column.trimmed();
            const qsizetype space = c.indexOf(u' ');
            columns.push_back({c.left(space), c.mid(space + 1)});
        }
    }
    return tables;
}

// The statements of a corpus file: blocks of lines between blank lines,
// each taken as written.
QStringList statementsOf(const QString &text)
{
    QStringList statements;
    QStringList block;
    for (const QString &line : text.split(u'\n')) {
        if (!line.trimmed().isEmpty()) {
            block << line;
        } else if (!block.isEmpty()) {
            statements << block.join(u'\n');
            block.clear();
        }
    }
    if (!block.isEmpty())
        statements << block.join(u'\n');
    return statements;
}

void appendLines(QString &out, const QString &label, const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i)
        out += (i == 0 ? label : u"    "_s) + lines[i] + u'\n';
}

// Runs of the storage text by where they come from: "a-b=c" copied from
// the user's text at c, "a-b@c" written in place of the user's text at c.
QString positionMap(const StorageSql &storage)
{
    const qsizetype length = storage.text().size();
    QStringList runs;
    qsizetype i = 0;
    while (i < length) {
        const qsizetype from = storage.userIndex(i);
        qsizetype j = i + 1;
        const bool copied = j < length && storage.userIndex(j) == from + 1;
        while (j < length && storage.userIndex(j) == (copied ? from + (j - i) : from))
            ++j;
        runs << u"%1-%2%3%4"_s.arg(i).arg(j - 1).arg(copied || j == i + 1 ? u"="_s : u"@"_s).arg(from);
        i = j;
    }
    return runs.join(u' ');
}

QString flags(const std::vector<bool> &columns)
{
    QStringList at;
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i])
            at << QString::number(i);
    return at.join(u',');
}

// What the storage pipeline makes of one statement, as the expected file
// spells it.
QString describe(const QString &statement, const SchemaLookup &schema)
{
    QString out;
    appendLines(out, u"in:  "_s, statement);
    try {
        const StorageSql storage = toStorage(statement, schema, u"shop"_s);
        appendLines(out, u"out: "_s, storage.text());
        out += u"map: "_s + positionMap(storage) + u'\n';
        const DateColumns &dates = storage.rewritten.dateColumns();
        if (!flags(dates.leading).isEmpty() || !flags(dates.trailing).isEmpty())
            out += u"date columns: "_s + flags(dates.leading) + u" | "_s + flags(dates.trailing) + u'\n';
        if (!storage.rewritten.intoTemp().isEmpty())
            out += u"into temp: "_s + storage.rewritten.intoTemp() + u'\n';
    } catch (const StatementError &e) {
        out += u"error: %1 at %2\n"_s.arg(e.nativeCode()).arg(e.at());
    }
    return out;
}

} // namespace

// Each corpus file of the dialect folder, statement by statement, through
// the storage pipeline: the storage text, its map back to the user's text
// and the error of what is refused, compared with the expected file beside
// it. QUOLL_UPDATE_GOLDEN=1 (scripts/update-golden.sh) writes the expected
// files anew; read the difference before keeping it.
class TstDialectGolden : public QObject
{
    Q_OBJECT

private slots:
    void corpusGivesItsExpectedStorageText_data();
    void corpusGivesItsExpectedStorageText();
};

void TstDialectGolden::corpusGivesItsExpectedStorageText_data()
{
    QTest::addColumn<QString>("corpus");
    const QStringList files = QDir(kDir).entryList({u"*.sql"_s}, QDir::Files, QDir::Name);
    QVERIFY(!files.isEmpty());
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TstDialectGolden::corpusGivesItsExpectedStorageText()
{
    QFETCH(QString, corpus);
    if (DateFormat::client().order != DateFormat::Order::MDY || DateFormat::client().separator != u'/')
        QSKIP("the corpus writes its dates as DBDATE=MDY4/ reads them");
    const auto tables = readSchema();
    QVERIFY(!tables.isEmpty());
    static const std::vector<StoredColumn> none;
    const SchemaLookup schema = [&](const QString &table) -> const std::vector<StoredColumn> & {
        const auto it = tables.find(table);
        return it == tables.end() ? none : *it;
    };

    QString actual = u"# in: the Informix text; out: the storage text; map: its runs, \"a-b=c\" copied\n"
                     "# from the user's text at c, \"a-b@c\" written in place of the user's text at c.\n"_s;
    for (const QString &statement : statementsOf(fileText(kDir + u'/' + corpus)))
        actual += u'\n' + describe(statement, schema);

    const QString expectedPath = kDir + u'/' + QString(corpus).replace(u".sql"_s, u".expected"_s);
    if (qEnvironmentVariableIntValue("QUOLL_UPDATE_GOLDEN") == 1) {
        QFile file(expectedPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(actual.toUtf8());
    }
    const QString expected = fileText(expectedPath);
    // Compared line by line, so that a failure names the statement.
    const QStringList want = expected.split(u'\n'), got = actual.split(u'\n');
    QString statement;
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QString w = want.value(i), g = got.value(i);
        if (g.startsWith(u"in:"_s))
            statement = g;
        QVERIFY2(w == g, qPrintable(u"%1\n   expected: %2\n   actual:   %3"_s.arg(statement, w, g)));
    }
}

QUOLL_TEST(TstDialectGolden);
#include "tst_dialectgolden.moc"
