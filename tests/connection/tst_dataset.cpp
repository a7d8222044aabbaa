#include "connection/engine/dataset.h"

#include "fakeengine.h"
#include "testregistry.h"

#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace Qt::Literals::StringLiterals;
using quoll::connection::Dataset;
using quoll::connection::EngineError;
using quoll::connection::RowSink;
using quoll::testing::FetchCounter;
using quoll::testing::GeneratedCursor;

namespace {

std::unique_ptr<GeneratedCursor> rows(qint64 count, FetchCounter *counter = nullptr, qint64 failAt = -1)
{
    return std::make_unique<GeneratedCursor>(5, count, counter, failAt);
}

// "<current row>", plus "b" at the beginning and "e" at the end.
QString position(const Dataset &set)
{
    return QString::number(set.currentRow()) + (set.atBeginning() ? u"b"_s : QString())
        + (set.atEnd() ? u"e"_s : QString());
}

// Every view signal of `set` as text, in the order they come.
class SignalLog : public QStringList
{
public:
    explicit SignalLog(Dataset &set)
    {
        QObject::connect(&set, &Dataset::reset, &set, [this] { append(u"reset"_s); });
        QObject::connect(&set, &Dataset::rowsFetched, &set,
                         [this](qint64 first, qint64 last) { append(u"fetched %1-%2"_s.arg(first).arg(last)); });
        QObject::connect(&set, &Dataset::currentChanged, &set,
                         [this](qint64 row) { append(u"current %1"_s.arg(row)); });
    }
};

// Takes every field and keeps only counts.
class CountingSink : public RowSink
{
public:
    void addField(const char *, std::size_t length) override { bytes += length; }
    void addNull() override { ++nulls; }
    std::size_t bytes = 0;
    std::size_t nulls = 0;
};

} // namespace

class TstDataset : public QObject
{
    Q_OBJECT

private slots:
    void navigation_data()
    {
        QTest::addColumn<qint64>("rowCount");
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("positions"); // after opening, then after each move
        QTest::newRow("empty") << 0LL << u"next prior first last to0"_s << u"-1be -1be -1be -1be -1be -1be"_s;
        QTest::newRow("one row: past the end and back") << 1LL << u"next next prior prior"_s << u"0b 0e 0e 0b 0b"_s;
        QTest::newRow("one row: last, first") << 1LL << u"last first"_s << u"0b 0e 0b"_s;
        QTest::newRow("three rows: walk") << 3LL << u"next next next prior prior prior prior"_s
                                          << u"0b 1 2 2e 1 0 0b 0b"_s;
        QTest::newRow("three rows: last, next, first, prior") << 3LL << u"last next first prior"_s
                                                              << u"0b 2e 2e 0b 0b"_s;
        QTest::newRow("three rows: moveTo") << 3LL << u"to1 to7 to1 next to0"_s << u"0b 1 1 1 2 0"_s;
        QTest::newRow("many rows: last") << 1000LL << u"last prior"_s << u"0b 999e 998"_s;
    }

    void navigation()
    {
        QFETCH(qint64, rowCount);
        QFETCH(QString, moves);
        QFETCH(QString, positions);
        Dataset set;
        set.attach(rows(rowCount));
        QStringList seen{position(set)};
        for (const QString &move : moves.split(u' ')) {
            if (move == u"next")
                set.next();
            else if (move == u"prior")
                set.prior();
            else if (move == u"first")
                set.first();
            else if (move == u"last")
                set.last();
            else
                set.moveTo(move.mid(2).toLongLong());
            seen.append(position(set));
        }
        QCOMPARE(seen.join(u' '), positions);
        QCOMPARE(set.isEmpty(), rowCount == 0);
    }

    // Counting by the last row reads every row and puts the set back where
    // it was, the views told once: the rows that came, then the position.
    void countFromLastKeepsThePosition_data()
    {
        QTest::addColumn<QString>("before");   // moves before counting
        QTest::addColumn<QString>("after");    // the position afterwards
        QTest::addColumn<QStringList>("told");
        QTest::newRow("at the beginning") << QString() << u"0b"_s
                                          << QStringList{u"fetched 1-99"_s, u"current 0"_s};
        QTest::newRow("in the middle") << u"to40"_s << u"40"_s << QStringList{u"fetched 41-99"_s, u"current 40"_s};
        QTest::newRow("at the end") << u"last"_s << u"99e"_s << QStringList();
    }

    void countFromLastKeepsThePosition()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QStringList, told);
        Dataset set;
        set.attach(rows(100));
        if (before == u"last")
            set.last();
        else if (!before.isEmpty())
            set.moveTo(before.mid(2).toLongLong());
        SignalLog log(set);
        QCOMPARE(set.countFromLast(), 100);
        QCOMPARE(position(set), after);
        QCOMPARE(log, told);
    }

    // Opening reads one row (no look-ahead); every request reads only what
    // it needs, and tells the views once per batch.
    void readsOnlyWhatIsAsked_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<qint64>("argument");
        QTest::addColumn<qint64>("result");
        QTest::addColumn<qint64>("fetched");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("open only") << u"none"_s << 0LL << 0LL << 1LL << QStringList();
        QTest::newRow("moveTo the open row") << u"moveTo"_s << 0LL << 1LL << 1LL << QStringList();
        QTest::newRow("moveTo row 499") << u"moveTo"_s << 499LL << 1LL << 500LL
                                        << QStringList{u"fetched 1-499"_s, u"current 499"_s};
        QTest::newRow("moveTo past the end") << u"moveTo"_s << 2000LL << 0LL << 1000LL
                                             << QStringList{u"fetched 1-999"_s};
        QTest::newRow("fetchMore 250") << u"fetchMore"_s << 250LL << 250LL << 251LL << QStringList{u"fetched 1-250"_s};
        QTest::newRow("fetchMore past the end") << u"fetchMore"_s << 5000LL << 999LL << 1000LL
                                                << QStringList{u"fetched 1-999"_s};
        QTest::newRow("next") << u"next"_s << 0LL << 0LL << 2LL << QStringList{u"fetched 1-1"_s, u"current 1"_s};
        QTest::newRow("recordCount") << u"recordCount"_s << 0LL << 1000LL << 1000LL << QStringList{u"fetched 1-999"_s};
    }

    void readsOnlyWhatIsAsked()
    {
        QFETCH(QString, request);
        QFETCH(qint64, argument);
        QFETCH(qint64, result);
        QFETCH(qint64, fetched);
        QFETCH(QStringList, expected);
        FetchCounter counter;
        Dataset set;
        set.attach(rows(1000, &counter));
        const SignalLog log(set);
        qint64 answer = 0;
        if (request == u"moveTo")
            answer = set.moveTo(argument);
        else if (request == u"fetchMore")
            answer = set.fetchMore(argument);
        else if (request == u"recordCount")
            answer = set.recordCount();
        else if (request == u"next")
            set.next();
        QCOMPARE(answer, result);
        QCOMPARE(counter.rows, fetched);
        QCOMPARE(set.fetchedCount(), fetched);
        QCOMPARE(set.canFetchMore(), fetched < 1000);
        QCOMPARE(log, expected);
    }

    void movingBackReadsNothing()
    {
        FetchCounter counter;
        Dataset set;
        set.attach(rows(100'000, &counter));
        QVERIFY(set.moveTo(500));
        for (int i = 0; i < 11; ++i)
            set.prior();
        QCOMPARE(set.text(0), u"489:0"_s);
        QVERIFY(set.isNull(1));
        set.first();
        QVERIFY(set.moveTo(500));
        QCOMPARE(set.text(3), u"500:3"_s);
        QCOMPARE(counter.rows, 501);
    }

    void bookmarksSurviveMovesAndDieWithAnotherCursor()
    {
        Dataset set;
        QVERIFY(!set.bookmark().isValid());
        set.attach(rows(100));
        set.moveTo(7);
        const Dataset::Bookmark mark = set.bookmark();
        set.last();
        set.first();
        QVERIFY(set.gotoBookmark(mark));
        QCOMPARE(set.text(0), u"7:0"_s);
        Dataset::Bookmark beyond = mark;
        beyond.row = 100;
        QVERIFY(!set.gotoBookmark(beyond));
        QCOMPARE(set.currentRow(), 7);

        set.attach(rows(100));
        set.moveTo(3);
        QVERIFY(!set.gotoBookmark(mark));
        QCOMPARE(set.currentRow(), 3);
    }

    void pausedViews_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("nothing happens") << u"pause resume"_s << QStringList();
        QTest::newRow("batches fold into one") << u"pause fetch5 fetch5 resume"_s << QStringList{u"fetched 1-10"_s};
        QTest::newRow("moves tell the last position")
            << u"pause to3 to7 resume"_s << QStringList{u"fetched 1-7"_s, u"current 7"_s};
        QTest::newRow("reopening is one reset") << u"pause fetch5 attach fetch5 resume"_s
                                                << QStringList{u"reset"_s, u"current 0"_s};
        QTest::newRow("only the last resume tells") << u"pause pause fetch5 resume mark resume"_s
                                                    << QStringList{u"|"_s, u"fetched 1-5"_s};
        QTest::newRow("unpaused: a signal per batch")
            << u"fetch5 to20"_s << QStringList{u"fetched 1-5"_s, u"fetched 6-20"_s, u"current 20"_s};
        QTest::newRow("a resume too many is harmless") << u"resume fetch1"_s << QStringList{u"fetched 1-1"_s};
    }

    void pausedViews()
    {
        QFETCH(QString, actions);
        QFETCH(QStringList, expected);
        Dataset set;
        set.attach(rows(100));
        SignalLog log(set);
        for (const QString &action : actions.split(u' ')) {
            if (action == u"pause")
                set.pauseViews();
            else if (action == u"resume")
                set.resumeViews();
            else if (action == u"attach")
                set.attach(rows(100));
            else if (action == u"mark")
                log.append(u"|"_s);
            else if (action.startsWith(u"fetch"))
                set.fetchMore(action.mid(5).toLongLong());
            else
                set.moveTo(action.mid(2).toLongLong());
        }
        QCOMPARE(log, expected);
    }

    // Row 50 fails half read: the rows before it stay, the cursor goes.
    void cursorFailingMidway_data()
    {
        QTest::addColumn<QString>("request");
        QTest::newRow("recordCount") << u"recordCount"_s;
        QTest::newRow("fetchMore") << u"fetchMore"_s;
        QTest::newRow("moveTo") << u"moveTo"_s;
        QTest::newRow("last") << u"last"_s;
        QTest::newRow("next") << u"next"_s;
    }

    void cursorFailingMidway()
    {
        QFETCH(QString, request);
        Dataset set;
        set.attach(rows(100, nullptr, 50));
        const qint64 current = request == u"next" ? 49 : 0;
        set.moveTo(current);
        const SignalLog log(set);
        try {
            if (request == u"recordCount")
                set.recordCount();
            else if (request == u"fetchMore")
                set.fetchMore(100);
            else if (request == u"moveTo")
                set.moveTo(60);
            else if (request == u"last")
                set.last();
            else
                set.next();
            QFAIL("the cursor's failure did not come through");
        } catch (const EngineError &error) {
            QCOMPARE(error.nativeCode(), -244);
        }
        QCOMPARE(set.fetchedCount(), 50);
        QVERIFY(!set.canFetchMore());
        QCOMPARE(set.currentRow(), current);
        QCOMPARE(log, current ? QStringList() : QStringList{u"fetched 1-49"_s});
        QCOMPARE(set.text(49, 4), u"49:4"_s);
        set.last();
        QCOMPARE(position(set), u"49e"_s);
    }

    void failingFirstFetchLeavesTheSetClosed()
    {
        Dataset set;
        set.attach(rows(10));
        QVERIFY_THROWS_EXCEPTION(EngineError, set.attach(rows(10, nullptr, 0)));
        QVERIFY(!set.isActive());
        QCOMPARE(set.fieldCount(), 0);
        QCOMPARE(position(set), u"-1be"_s);
        QCOMPARE(set.fetchedCount(), 0);
    }

    // A million rows of five fields are stored and counted in one signal,
    // in compact form (how fast is measured by quoll-bench fetch).
    void largeResultIsCountedInOneSignalInCompactForm()
    {
        constexpr qint64 count = 1'000'000;
        Dataset set;
        QSignalSpy fetched(&set, &Dataset::rowsFetched);
        set.attach(rows(count));
        QCOMPARE(set.recordCount(), count);
        QCOMPARE(fetched.count(), 1);
        QCOMPARE(set.text(0, 0), GeneratedCursor::cellText(0, 0));
        QCOMPARE(set.text(count - 1, 4), GeneratedCursor::cellText(count - 1, 4));
        const double perRow = double(set.overheadBytes()) / double(count);
        QVERIFY2(perRow < 100, qPrintable(QString::number(perRow)));
    }
};

QUOLL_TEST(TstDataset);

#include "tst_dataset.moc"
