#include "testregistry.h"

#include "workspace/statementrunner.h"

#include <QTest>

using quoll::workspace::StatementRunner;

// Where a failing statement's character is selected.
class TstStatementRunner : public QObject
{
    Q_OBJECT

private slots:
    void failurePosition_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("errorOffset");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("position");
        QTest::newRow("E-th character of the statement") << 1 << 1 << 50 << 0;
        QTest::newRow("inside a later statement") << 18 << 15 << 50 << 31;
        QTest::newRow("no offset: the statement's first character") << 18 << 0 << 50 << 17;
        QTest::newRow("no offset at the text's start") << 1 << 0 << 50 << 0;
        QTest::newRow("past the end of the text") << 40 << 30 << 50 << 49;
        QTest::newRow("empty text") << 1 << 3 << 0 << -1;
    }
    void failurePosition()
    {
        QFETCH(int, start);
        QFETCH(int, errorOffset);
        QFETCH(int, length);
        QFETCH(int, position);
        QCOMPARE(StatementRunner::failurePosition(start, errorOffset, length), position);
    }
};

QUOLL_TEST(TstStatementRunner);
#include "tst_statementrunner.moc"
