#include "testregistry.h"

#include "core/timetext.h"

#include <QDateTime>
#include <QTest>

// Elapsed times are written like the log's times of day.
class TstTimeText : public QObject
{
    Q_OBJECT

private slots:
    void elapsed_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QTime>("shownAs");
        QTest::newRow("under a second") << qint64(480) << QTime(0, 0, 0);
        QTest::newRow("a minute and five seconds") << qint64(65'000) << QTime(0, 1, 5);
        QTest::newRow("fractions are cut, not rounded") << qint64(65'999) << QTime(0, 1, 5);
        QTest::newRow("hours") << qint64(2 * 3600'000 + 3'000) << QTime(2, 0, 3);
        QTest::newRow("negative is nothing") << qint64(-5) << QTime(0, 0, 0);
    }
    void elapsed()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QTime, shownAs);
        QCOMPARE(quoll::elapsedTimeText(milliseconds), quoll::longTimeText(shownAs));
        // Asked again after another value: the kept text is not stale.
        quoll::elapsedTimeText(milliseconds + 7'000);
        QCOMPARE(quoll::elapsedTimeText(milliseconds), quoll::longTimeText(shownAs));
    }

    // The cheap clock agrees with Qt's, also when asked again within the
    // same second (its kept offset) and after it.
    void currentTimeOfDayIsTheLocalTime()
    {
        for (int i = 0; i < 3; ++i) {
            const QTime before = QTime::currentTime();
            const QTime now = quoll::currentTimeOfDay();
            const QTime after = QTime::currentTime();
            QVERIFY(now.isValid());
            const int fromBefore = before.msecsTo(now);
            const int toAfter = now.msecsTo(after);
            const int day = 24 * 3600'000;
            // Either side may wrap past midnight.
            QVERIFY2((fromBefore >= 0 || fromBefore < -day / 2) && (toAfter >= 0 || toAfter < -day / 2),
                     qPrintable(before.toString(u"HH:mm:ss.zzz") + u' ' + now.toString(u"HH:mm:ss.zzz") + u' '
                                + after.toString(u"HH:mm:ss.zzz")));
            // The second time round, ask again in the next second.
            if (i == 1) {
                const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
                QVERIFY(QTest::qWaitFor([second] { return QDateTime::currentMSecsSinceEpoch() / 1000 != second; },
                                        60000));
            }
        }
    }

    void timeOfDayHasNoZoneName()
    {
        const QString text = quoll::longTimeText(QTime(13, 14, 15));
        QVERIFY(text.contains(QStringLiteral("14")));
        QVERIFY(text.contains(QStringLiteral("15")));
        QVERIFY(!text.contains(QStringLiteral("UTC")));
    }
};

QUOLL_TEST(TstTimeText);
#include "tst_timetext.moc"
